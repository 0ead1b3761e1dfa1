#include "wavsound.h"

#include <QDir>
#include <QFile>
#include <QtEndian>
#include <cmath>

// The sounds are compiled into this library; a static library's resources
// are registered by hand, outside any namespace.
static void registerSounds()
{
    Q_INIT_RESOURCE(sounds);
}

namespace veltrix {

namespace {

quint16 u16At(const QByteArray &bytes, qsizetype at)
{
    return qFromLittleEndian<quint16>(bytes.constData() + at);
}

quint32 u32At(const QByteArray &bytes, qsizetype at)
{
    return qFromLittleEndian<quint32>(bytes.constData() + at);
}

void appendU16(QByteArray &out, quint16 value)
{
    char bytes[2];
    qToLittleEndian(value, bytes);
    out.append(bytes, 2);
}

void appendU32(QByteArray &out, quint32 value)
{
    char bytes[4];
    qToLittleEndian(value, bytes);
    out.append(bytes, 4);
}

// A channel's loudness (0..65535, as the slider sets it) as the factor for
// the samples: a slider moves in perceived steps, the samples need a linear
// one. The top step plays the sound as it is.
double amplitudeFactor(quint32 channel)
{
    const double level = channel / 65535.0;
    if (level > 0.99)
        return 1.0;
    return -std::log(1.0 - level) / std::log(100.0);
}

} // namespace

QByteArray builtInSound(const QString &name)
{
    if (name.isEmpty())
        return {};
    static const bool registered = (registerSounds(), true);
    Q_UNUSED(registered);
    const QDir root(QStringLiteral(":/"));
    const QString suffix = QStringLiteral(".wav");
    for (const QString &file : root.entryList(QDir::Files, QDir::Name)) {
        if (!file.endsWith(suffix, Qt::CaseInsensitive)
            || file.chopped(suffix.size()).compare(name, Qt::CaseInsensitive) != 0)
            continue;
        QFile sound(root.filePath(file));
        if (sound.open(QIODevice::ReadOnly))
            return sound.readAll();
    }
    return {};
}

std::optional<PcmSound> parseWav(const QByteArray &wav)
{
    if (wav.size() < 12 || !wav.startsWith("RIFF") || wav.mid(8, 4) != "WAVE")
        return std::nullopt;
    PcmSound sound;
    int blockAlign = 0;
    bool haveFormat = false;
    qsizetype at = 12;
    while (wav.size() - at >= 8) {
        const QByteArray id = wav.mid(at, 4);
        const qint64 size = u32At(wav, at + 4);
        // A chunk cut short is a damaged image, not a shorter sound.
        if (size > wav.size() - at - 8)
            return std::nullopt;
        const qsizetype body = at + 8;
        if (id == "fmt ") {
            if (size < 16 || u16At(wav, body) != 1) // PCM only
                return std::nullopt;
            sound.channels = u16At(wav, body + 2);
            sound.sampleRate = int(qMin<quint32>(u32At(wav, body + 4), 0x7FFFFFFF));
            blockAlign = u16At(wav, body + 12);
            sound.bitsPerSample = u16At(wav, body + 14);
            if (sound.channels < 1 || sound.channels > 2 || sound.sampleRate <= 0
                || (sound.bitsPerSample != 8 && sound.bitsPerSample != 16)
                || blockAlign != sound.channels * sound.bitsPerSample / 8)
                return std::nullopt;
            haveFormat = true;
        } else if (id == "data") {
            if (!haveFormat)
                return std::nullopt;
            sound.samples = wav.mid(body, size - size % blockAlign);
            return sound;
        }
        // Chunks start on even offsets: an odd size is followed by a pad byte.
        at = body + size + (size & 1);
    }
    return std::nullopt;
}

QByteArray scaledSamples(const PcmSound &sound, quint32 volume)
{
    double factors[2] = {amplitudeFactor(volume & 0xFFFF), amplitudeFactor(volume >> 16)};
    if (sound.channels == 1)
        factors[0] = amplitudeFactor(((volume & 0xFFFF) + (volume >> 16)) / 2);
    QByteArray out = sound.samples;
    const int channels = qMax(sound.channels, 1);
    if (sound.bitsPerSample == 8) {
        for (qsizetype i = 0; i < out.size(); ++i) {
            const double centred = quint8(out[i]) - 128;
            out[i] = char(quint8(128 + std::lround(centred * factors[i % channels == 0 ? 0 : 1])));
        }
    } else if (sound.bitsPerSample == 16) {
        char *data = out.data();
        for (qsizetype i = 0; i + 1 < out.size(); i += 2) {
            const double sample = qFromLittleEndian<qint16>(data + i);
            const double factor = factors[(i / 2) % channels == 0 ? 0 : 1];
            qToLittleEndian(qint16(std::lround(sample * factor)), data + i);
        }
    }
    return out;
}

QByteArray wavImage(const PcmSound &sound, const QByteArray &samples)
{
    const quint32 blockAlign = quint32(sound.channels * sound.bitsPerSample / 8);
    const quint32 dataSize = quint32(samples.size());
    const quint32 pad = dataSize & 1;
    QByteArray out;
    out.reserve(44 + samples.size() + pad);
    out.append("RIFF");
    appendU32(out, 4 + (8 + 16) + (8 + dataSize + pad));
    out.append("WAVEfmt ");
    appendU32(out, 16);
    appendU16(out, 1);
    appendU16(out, quint16(sound.channels));
    appendU32(out, quint32(sound.sampleRate));
    appendU32(out, quint32(sound.sampleRate) * blockAlign);
    appendU16(out, quint16(blockAlign));
    appendU16(out, quint16(sound.bitsPerSample));
    out.append("data");
    appendU32(out, dataSize);
    out.append(samples);
    if (pad)
        out.append('\0');
    return out;
}

} // namespace veltrix
