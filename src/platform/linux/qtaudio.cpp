#include "qtaudio.h"

#include <QAudio>
#include <QAudioDevice>
#include <QDir>
#include <QMediaDevices>
#include <QSoundEffect>
#include <QUrl>

// The sounds are compiled into this library; a static library's resources
// are registered by hand, outside any namespace.
static void registerSounds()
{
    Q_INIT_RESOURCE(sounds);
}

namespace veltrix {

QtAudio::QtAudio() = default;
QtAudio::~QtAudio() = default;

bool QtAudio::hasOutputDevice()
{
    return !QMediaDevices::defaultAudioOutput().isNull();
}

std::optional<quint32> QtAudio::waveVolume()
{
    if (!hasOutputDevice())
        return std::nullopt;
    return m_volume;
}

bool QtAudio::setWaveVolume(quint32 volume)
{
    if (!hasOutputDevice())
        return false;
    m_volume = volume;
    if (m_effect)
        m_effect->setVolume(effectVolume());
    return true;
}

float QtAudio::effectVolume() const
{
    // The 16-bit channel values are perceived loudness, like a volume
    // slider; the sound effect wants a linear factor. It plays mono, so the
    // channels are averaged.
    const qreal left = m_volume & 0xFFFF;
    const qreal right = m_volume >> 16;
    const qreal level = (left + right) / 2.0 / 65535.0;
    return static_cast<float>(QAudio::convertVolume(level, QAudio::LogarithmicVolumeScale, QAudio::LinearVolumeScale));
}

QString QtAudio::soundResource(const QString &name)
{
    if (name.isEmpty())
        return {};
    static const bool registered = (registerSounds(), true);
    Q_UNUSED(registered);
    const QDir root(QStringLiteral(":/"));
    const QString suffix = QStringLiteral(".wav");
    for (const QString &file : root.entryList(QDir::Files, QDir::Name)) {
        if (file.endsWith(suffix, Qt::CaseInsensitive)
            && file.chopped(suffix.size()).compare(name, Qt::CaseInsensitive) == 0)
            return root.filePath(file);
    }
    return {};
}

bool QtAudio::playSound(const QString &name)
{
    const QString path = soundResource(name);
    if (path.isEmpty())
        return false;
    // Without an output device the sound effect never finishes and the
    // audio server is asked in vain; stay silent instead.
    const QAudioDevice device = QMediaDevices::defaultAudioOutput();
    if (device.isNull())
        return true;
    if (!m_effect)
        m_effect = std::make_unique<QSoundEffect>(device);
    m_effect->stop();
    m_effect->setAudioDevice(device);
    m_effect->setSource(QUrl(QStringLiteral("qrc") + path));
    m_effect->setVolume(effectVolume());
    m_effect->play();
    return true;
}

} // namespace veltrix
