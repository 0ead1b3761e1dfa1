// The sounds through a real sound server of our own (one silent output on a
// private socket), and what the program does when there is none, when it
// hangs, goes away or comes back.
#include "core/countdown.h"
#include "platform/linux/pulseaudio.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <QTemporaryFile>
#include <QtEndian>
#include <QtTest>
#include <cstdio>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

using namespace veltrix;

namespace {

// A server with one null output, reached at address().
class PrivateServer {
public:
    QString address() const { return QStringLiteral("unix:") + m_dir.filePath(QStringLiteral("native")); }

    bool start()
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const char *name : {"HOME", "XDG_RUNTIME_DIR", "XDG_CONFIG_HOME", "XDG_STATE_HOME"})
            env.insert(QString::fromLatin1(name), m_dir.path());
        m_process.setProcessEnvironment(env);
        m_process.setProcessChannelMode(QProcess::ForwardedOutputChannel);
        m_process.setStandardErrorFile(QProcess::nullDevice());
        m_process.start(QStringLiteral(VELTRIX_PULSEAUDIO),
                        {QStringLiteral("-n"), QStringLiteral("--daemonize=no"), QStringLiteral("--exit-idle-time=-1"),
                         QStringLiteral("--use-pid-file=no"), QStringLiteral("-L"),
                         QStringLiteral("module-null-sink sink_name=out"), QStringLiteral("-L"),
                         QStringLiteral("module-native-protocol-unix auth-anonymous=1 socket=")
                             + m_dir.filePath(QStringLiteral("native"))});
        if (!m_process.waitForStarted())
            return false;
        for (int i = 0; i < 100; ++i) {
            if (pactl({QStringLiteral("info")}).contains("Server String"))
                return true;
            QTest::qWait(100);
        }
        return false;
    }

    // As a crash would: the socket file stays behind.
    void kill()
    {
        m_process.kill();
        m_process.waitForFinished();
    }

    ~PrivateServer() { kill(); }

    int playing() { return pactl({QStringLiteral("list"), QStringLiteral("short"), QStringLiteral("sink-inputs")}).count('\n'); }

    QByteArray pactl(const QStringList &arguments)
    {
        QProcess p;
        p.start(QStringLiteral(VELTRIX_PACTL), QStringList{QStringLiteral("-s"), address()} + arguments);
        p.waitForFinished();
        return p.readAllStandardOutput();
    }

private:
    QTemporaryDir m_dir;
    QProcess m_process;
};

// What this process writes to stderr meanwhile.
class StderrCapture {
public:
    StderrCapture()
    {
        m_file.open();
        std::fflush(stderr);
        m_saved = ::dup(2);
        ::dup2(m_file.handle(), 2);
    }
    QByteArray text()
    {
        std::fflush(stderr);
        if (m_saved >= 0) {
            ::dup2(m_saved, 2);
            ::close(m_saved);
            m_saved = -1;
        }
        m_file.seek(0);
        return m_file.readAll();
    }
    ~StderrCapture() { text(); }

private:
    QTemporaryFile m_file;
    int m_saved = -1;
};

// A socket that takes connections and never answers, as a hung server does.
class SilentSocket {
public:
    bool listen(const QString &path)
    {
        m_fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        const QByteArray name = path.toLocal8Bit();
        qstrncpy(address.sun_path, name.constData(), sizeof address.sun_path);
        return m_fd >= 0 && ::bind(m_fd, reinterpret_cast<sockaddr *>(&address), sizeof address) == 0
               && ::listen(m_fd, 4) == 0;
    }
    ~SilentSocket()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }

private:
    int m_fd = -1;
};

} // namespace

class TestPulseAudio : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { qunsetenv("PULSE_SERVER"); }

    // No server, or one that never answers: silent, quick, and quiet on stderr.
    void withoutServer_data()
    {
        QTest::addColumn<bool>("hung");
        QTest::newRow("no server") << false;
        QTest::newRow("server that never answers") << true;
    }
    void withoutServer()
    {
        QFETCH(bool, hung);
        QTemporaryDir dir;
        const QString socket = dir.filePath(QStringLiteral("native"));
        SilentSocket listener;
        if (hung)
            QVERIFY(listener.listen(socket));
        qputenv("PULSE_SERVER", ("unix:" + socket).toLocal8Bit());
        StderrCapture stderrText;
        PulseAudio audio;
        QElapsedTimer clock;
        clock.start();
        QVERIFY(!audio.waveVolume());
        QVERIFY2(clock.elapsed() < 2000, qPrintable(QString::number(clock.elapsed())));
        // Asked again at every call, but a hung server only after a while.
        clock.restart();
        QVERIFY(!audio.setWaveVolume(0x12345678));
        QVERIFY(audio.playSound(QStringLiteral("Timer2")));
        QVERIFY(!audio.playSound(QStringLiteral("no sound")));
        QVERIFY(!audio.waveVolume());
        QVERIFY2(clock.elapsed() < 200, qPrintable(QString::number(clock.elapsed())));
        QCOMPARE(stderrText.text(), QByteArray());
    }

    void serverGoesAndComesBack()
    {
        auto server = std::make_unique<PrivateServer>();
        QVERIFY(server->start());
        qputenv("PULSE_SERVER", server->address().toLocal8Bit());
        StderrCapture stderrText;
        PulseAudio audio;
        QCOMPARE(audio.waveVolume(), std::optional<quint32>(0xFFFFFFFF));
        QVERIFY(audio.setWaveVolume(0x12345678));
        QCOMPARE(audio.waveVolume(), std::optional<quint32>(0x12345678));
        QVERIFY(audio.playSound(QStringLiteral("timer1")));
        QTRY_COMPARE(server->playing(), 1);
        QVERIFY(audio.playSound(QStringLiteral("Timer3"))); // replaces the one playing
        QCOMPARE(server->playing(), 1);
        // A played sound lets go of the output.
        QTRY_COMPARE_WITH_TIMEOUT(server->playing(), 0, 5000);

        server->kill();
        QElapsedTimer clock;
        clock.start();
        QVERIFY(audio.playSound(QStringLiteral("Timer2")));
        QVERIFY(!audio.waveVolume());
        QVERIFY(!audio.setWaveVolume(0));
        QVERIFY2(clock.elapsed() < 500, qPrintable(QString::number(clock.elapsed())));

        QVERIFY(server->start());
        QVERIFY(audio.playSound(QStringLiteral("Timer2")));
        QTRY_COMPARE(server->playing(), 1);
        QCOMPARE(audio.waveVolume(), std::optional<quint32>(0x12345678));
        server.reset(); // gone while playing
        QVERIFY(audio.playSound(QStringLiteral("Timer2")));
        QCOMPARE(stderrText.text(), QByteArray());
    }

    // The slider's volume reaches the samples the server plays.
    void volumeScalesWhatIsPlayed()
    {
        PrivateServer server;
        QVERIFY(server.start());
        qputenv("PULSE_SERVER", server.address().toLocal8Bit());
        PulseAudio audio;
        const auto peakPlayed = [&](int position) {
            audio.setWaveVolume(waveVolumeForPosition(position));
            QProcess recorder;
            recorder.start(QStringLiteral(VELTRIX_PAREC),
                           {QStringLiteral("-s"), server.address(), QStringLiteral("-d"), QStringLiteral("out.monitor"),
                            QStringLiteral("--raw"), QStringLiteral("--format=s16le"), QStringLiteral("--channels=1")});
            for (int i = 0; i < 50 && !server.pactl({"list", "short", "source-outputs"}).contains("\t"); ++i)
                QTest::qWait(100);
            audio.playSound(QStringLiteral("Timer2"));
            // Recorded until the sound has been played out, however slow the machine.
            QTest::qWait(500);
            for (int i = 0; i < 100 && server.playing() > 0; ++i)
                QTest::qWait(100);
            QTest::qWait(500);
            recorder.kill();
            recorder.waitForFinished();
            const QByteArray pcm = recorder.readAllStandardOutput();
            int peak = 0;
            for (qsizetype i = 0; i + 1 < pcm.size(); i += 2)
                peak = qMax(peak, qAbs(int(qFromLittleEndian<qint16>(pcm.constData() + i))));
            return peak / 32768.0;
        };
        // Position 0 is silence; it also wakes the output, whose first sound
        // comes out softer.
        QVERIFY(peakPlayed(0) < 0.01);
        const double full = peakPlayed(16);
        const double half = peakPlayed(8); // a factor of 0.15 on the samples
        QVERIFY2(full > 0.2, qPrintable(QString::number(full)));
        QVERIFY2(half > 0.08 * full && half < 0.3 * full, qPrintable(QString::number(half / full)));
    }
};

QTEST_GUILESS_MAIN(TestPulseAudio)
#include "tst_pulseaudio.moc"
