// The WAV handling every system's sound piece shares: what is played and
// how loud comes from here.
#include "platform/wavsound.h"

#include <QtEndian>
#include <QtTest>

using namespace veltrix;

namespace {

QByteArray u16(quint16 v)
{
    QByteArray b(2, '\0');
    qToLittleEndian(v, b.data());
    return b;
}

QByteArray u32(quint32 v)
{
    QByteArray b(4, '\0');
    qToLittleEndian(v, b.data());
    return b;
}

QByteArray chunk(const char *id, const QByteArray &body, bool pad = true)
{
    QByteArray out = QByteArray(id) + u32(quint32(body.size())) + body;
    if (pad && body.size() % 2)
        out.append('\0');
    return out;
}

QByteArray fmt(int format, int channels, int rate, int bits, int blockAlign = -1)
{
    if (blockAlign < 0)
        blockAlign = channels * bits / 8;
    return chunk("fmt ", u16(quint16(format)) + u16(quint16(channels)) + u32(quint32(rate))
                             + u32(quint32(rate * blockAlign)) + u16(quint16(blockAlign)) + u16(quint16(bits)));
}

QByteArray riff(const QByteArray &chunks)
{
    return "RIFF" + u32(quint32(4 + chunks.size())) + "WAVE" + chunks;
}

QByteArray pcm16(std::initializer_list<qint16> samples)
{
    QByteArray out;
    for (qint16 s : samples)
        out += u16(quint16(s));
    return out;
}

QByteArray pcm8(std::initializer_list<int> samples)
{
    QByteArray out;
    for (int s : samples)
        out.append(char(quint8(s)));
    return out;
}

} // namespace

class TestWavSound : public QObject {
    Q_OBJECT

private slots:
    void parse_data()
    {
        QTest::addColumn<QByteArray>("wav");
        QTest::addColumn<int>("channels");  // 0: refused
        QTest::addColumn<int>("bits");
        QTest::addColumn<QByteArray>("samples");
        const QByteArray mono8 = pcm8({128, 200, 56});
        const QByteArray stereo16 = pcm16({1000, -1000, 32767, -32768});
        QTest::newRow("8-bit mono") << riff(fmt(1, 1, 22050, 8) + chunk("data", mono8)) << 1 << 8 << mono8;
        QTest::newRow("16-bit stereo") << riff(fmt(1, 2, 44100, 16) + chunk("data", stereo16)) << 2 << 16 << stereo16;
        QTest::newRow("odd chunk and its pad byte before data")
            << riff(fmt(1, 1, 22050, 8) + chunk("LIST", "abc") + chunk("data", mono8)) << 1 << 8 << mono8;
        QTest::newRow("odd chunk without its pad byte")
            << riff(fmt(1, 1, 22050, 8) + chunk("LIST", "abc", false) + chunk("data", mono8)) << 0 << 0 << QByteArray();
        QTest::newRow("half a frame at the end is left off")
            << riff(fmt(1, 2, 22050, 16) + chunk("data", stereo16 + "\x01\x02\x03")) << 2 << 16 << stereo16;
        QTest::newRow("data cut short") << riff(fmt(1, 1, 22050, 8) + chunk("data", mono8)).chopped(2) << 0 << 0 << QByteArray();
        QTest::newRow("size near 4 GiB")
            << riff(fmt(1, 1, 22050, 8) + "data" + u32(0xFFFFFFF8) + mono8) << 0 << 0 << QByteArray();
        QTest::newRow("header only") << QByteArray("RIFF\x04\0\0\0WAVE", 12) << 0 << 0 << QByteArray();
        QTest::newRow("not WAVE") << QByteArray("RIFF\x04\0\0\0AVI ", 12) + chunk("data", mono8) << 0 << 0 << QByteArray();
        QTest::newRow("data before fmt") << riff(chunk("data", mono8) + fmt(1, 1, 22050, 8)) << 0 << 0 << QByteArray();
        QTest::newRow("no data") << riff(fmt(1, 1, 22050, 8)) << 0 << 0 << QByteArray();
        QTest::newRow("float samples") << riff(fmt(3, 1, 22050, 32) + chunk("data", stereo16)) << 0 << 0 << QByteArray();
        QTest::newRow("extensible header") << riff(fmt(0xFFFE, 1, 22050, 16) + chunk("data", stereo16)) << 0 << 0 << QByteArray();
        QTest::newRow("24-bit") << riff(fmt(1, 1, 22050, 24) + chunk("data", stereo16)) << 0 << 0 << QByteArray();
        QTest::newRow("six channels") << riff(fmt(1, 6, 22050, 16) + chunk("data", stereo16)) << 0 << 0 << QByteArray();
        QTest::newRow("block size not a frame") << riff(fmt(1, 2, 22050, 16, 2) + chunk("data", stereo16)) << 0 << 0 << QByteArray();
    }
    void parse()
    {
        QFETCH(QByteArray, wav);
        QFETCH(int, channels);
        QFETCH(int, bits);
        QFETCH(QByteArray, samples);
        const auto sound = parseWav(wav);
        QCOMPARE(sound.has_value(), channels != 0);
        if (!sound)
            return;
        QCOMPARE(sound->channels, channels);
        QCOMPARE(sound->bitsPerSample, bits);
        QVERIFY(sound->sampleRate == 22050 || sound->sampleRate == 44100);
        QCOMPARE(sound->samples, samples);
    }

    // Loudness 0x8000 is a factor of 0.1505 on the samples.
    void scale_data()
    {
        QTest::addColumn<int>("channels");
        QTest::addColumn<int>("bits");
        QTest::addColumn<QByteArray>("samples");
        QTest::addColumn<quint32>("volume");
        QTest::addColumn<QByteArray>("expected");
        const QByteArray mono8 = pcm8({228, 28, 128});
        const QByteArray mono16 = pcm16({20000, -20000, 0});
        QTest::newRow("8-bit, silent") << 1 << 8 << mono8 << 0u << pcm8({128, 128, 128});
        QTest::newRow("8-bit, full") << 1 << 8 << mono8 << 0xFFFFFFFFu << mono8;
        QTest::newRow("8-bit, half") << 1 << 8 << mono8 << 0x80008000u << pcm8({143, 113, 128});
        QTest::newRow("16-bit, silent") << 1 << 16 << mono16 << 0u << pcm16({0, 0, 0});
        QTest::newRow("16-bit, full") << 1 << 16 << mono16 << 0xFFFFFFFFu << mono16;
        QTest::newRow("16-bit, half") << 1 << 16 << mono16 << 0x80008000u << pcm16({3010, -3010, 0});
        QTest::newRow("16-bit extremes, full") << 1 << 16 << pcm16({32767, -32768}) << 0xFFFFFFFFu << pcm16({32767, -32768});
        QTest::newRow("mono takes the mean of both channels")
            << 1 << 16 << mono16 << 0x0000FFFFu << pcm16({3010, -3010, 0});
        QTest::newRow("16-bit stereo, left full, right silent")
            << 2 << 16 << pcm16({20000, 20000, -100, -100}) << 0x0000FFFFu << pcm16({20000, 0, -100, 0});
        QTest::newRow("8-bit stereo, left silent, right full")
            << 2 << 8 << pcm8({228, 228, 28, 28}) << 0xFFFF0000u << pcm8({128, 228, 128, 28});
    }
    void scale()
    {
        QFETCH(int, channels);
        QFETCH(int, bits);
        QFETCH(QByteArray, samples);
        QFETCH(quint32, volume);
        QFETCH(QByteArray, expected);
        QCOMPARE(scaledSamples({channels, 22050, bits, samples}, volume), expected);
    }

    void imageReadsBack_data()
    {
        QTest::addColumn<int>("channels");
        QTest::addColumn<int>("bits");
        QTest::addColumn<QByteArray>("samples");
        QTest::newRow("8-bit mono, odd length") << 1 << 8 << pcm8({1, 2, 3});
        QTest::newRow("16-bit stereo") << 2 << 16 << pcm16({1, -2, 3, -4});
    }
    void imageReadsBack()
    {
        QFETCH(int, channels);
        QFETCH(int, bits);
        QFETCH(QByteArray, samples);
        const QByteArray image = wavImage({channels, 11025, bits, {}}, samples);
        QCOMPARE(qFromLittleEndian<quint32>(image.constData() + 4), quint32(image.size() - 8));
        QCOMPARE(image.size() % 2, 0);
        const auto sound = parseWav(image);
        QVERIFY(sound);
        QCOMPARE(sound->channels, channels);
        QCOMPARE(sound->sampleRate, 11025);
        QCOMPARE(sound->bitsPerSample, bits);
        QCOMPARE(sound->samples, samples);
    }

    void soundsAreFoundByNameInAnyCase_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("resource");
        QTest::newRow("Timer1") << "Timer1" << ":/TIMER1.wav";
        QTest::newRow("upper") << "TIMER2" << ":/TIMER2.wav";
        QTest::newRow("lower") << "timer3" << ":/TIMER3.wav";
        QTest::newRow("no sound") << "no sound" << "";
        QTest::newRow("nosound") << "nosound" << "";
        QTest::newRow("unknown number") << "Timer4" << "";
        QTest::newRow("with suffix") << "Timer1.wav" << "";
        QTest::newRow("the icon is no sound") << "veltrix" << "";
        QTest::newRow("empty") << "" << "";
    }
    void soundsAreFoundByNameInAnyCase()
    {
        QFETCH(QString, name);
        QFETCH(QString, resource);
        const QByteArray sound = builtInSound(name);
        QByteArray expected;
        if (!resource.isEmpty()) {
            QFile file(resource);
            QVERIFY(file.open(QIODevice::ReadOnly));
            expected = file.readAll();
            QVERIFY(parseWav(sound));
        }
        QCOMPARE(sound, expected);
    }
};

QTEST_GUILESS_MAIN(TestWavSound)
#include "tst_wavsound.moc"
