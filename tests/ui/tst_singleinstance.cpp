// One program per data folder and settings file: a later start's file
// reaches the running program's list.
#include "support/statusfixture.h"
#include "ui/reportlist.h"
#include "ui/singleinstance.h"

#include <QLockFile>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

using namespace veltrix;
using namespace veltrix::test;

namespace {

const QString kBank = QStringLiteral("Lindenallee 117: Bank (SG: 45%) [Fallgitter]");
const QString kKiosk = QStringLiteral("Am Markt 3: Kiosk (SG: 10%) Keine Ausbauten vorhanden");
const QString kTitle = QStringLiteral("Wollen Sie die Änderungen speichern?");

// The environment of a player of its own: home, data and settings.
QProcessEnvironment playerEnvironment(const QString &home, const QString &ini)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("HOME"), home);
    env.insert(QStringLiteral("XDG_DATA_HOME"), home + QStringLiteral("/data"));
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), home + QStringLiteral("/config"));
    env.insert(QStringLiteral("VELTRIX_INI"), ini);
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("QT_LOGGING_RULES"), QStringLiteral("veltrix.handover.info=true;qt.*=false"));
    return env;
}

// A started program that serves: its lock is taken, so its server listens.
bool serving(QProcess &program, const QString &lockPath)
{
    QDeadlineTimer deadline(20000);
    while (!deadline.hasExpired()) {
        qint64 pid = 0;
        QString host;
        QString app;
        if (QLockFile(lockPath).getLockInfo(&pid, &host, &app) && pid == program.processId()) {
            QTest::qWait(300); // from lock to listening
            return true;
        }
        if (program.state() == QProcess::NotRunning)
            return false;
        QTest::qWait(50);
    }
    return false;
}

// The program's log says the file was opened; its output is kept as it comes.
bool saysOpened(QProcess &program, QByteArray &log, const QString &file)
{
    log += program.readAllStandardError();
    return log.contains("opened: \"" + file.toUtf8() + '"');
}

} // namespace

class TestSingleInstance : public QObject {
    Q_OBJECT

private slots:
    // The question and its three answers, and the list the status window holds.
    void handedOverFileOpens_data()
    {
        QTest::addColumn<bool>("modified");
        QTest::addColumn<bool>("statusHolds");
        QTest::addColumn<int>("answer"); // MsgResult, when asked
        QTest::addColumn<bool>("opened");
        QTest::newRow("unmodified: no question") << false << false << int(MsgResult::Cancel) << true;
        QTest::newRow("Ja: saved first") << true << false << int(MsgResult::Yes) << true;
        QTest::newRow("Nein") << true << false << int(MsgResult::No) << true;
        QTest::newRow("Abbrechen keeps the list") << true << false << int(MsgResult::Cancel) << false;
        QTest::newRow("into the status window's list") << true << true << int(MsgResult::No) << true;
    }
    void handedOverFileOpens()
    {
        QFETCH(bool, modified);
        QFETCH(bool, statusHolds);
        QFETCH(int, answer);
        QFETCH(bool, opened);
        QTemporaryDir temp;
        const QString report = temp.filePath(QStringLiteral("bericht.txt"));
        const QString kept = temp.filePath(QStringLiteral("alt.txt"));
        QVERIFY(putFile(report, kKiosk.toLatin1()));
        QVERIFY(putFile(kept, kBank.toLatin1()));
        MainAndStatus w;
        w.main->show();
        w.main->openReportFile(kept);
        if (modified)
            w.main->list().memo().setLines({kBank, kBank});
        if (statusHolds)
            w.status->takeList();
        w.boxes.answers.push_back(MsgResult(answer));

        w.main->handOver(report);
        QCOMPARE(w.boxes.shown.size(), modified ? 1 : 0);
        if (modified)
            QCOMPARE(w.boxes.lastText(), kTitle);
        if (modified && MsgResult(answer) == MsgResult::Yes)
            QCOMPARE(fileBytes(kept), (kBank + "\r\n" + kBank + "\r\n").toLatin1());
        else
            QCOMPARE(fileBytes(kept), kBank.toLatin1());
        QCOMPARE(w.main->currentFileName(), opened ? report : kept);
        const QStringList expected = opened ? QStringList{kKiosk} : QStringList{kBank, kBank};
        QCOMPARE(statusHolds ? w.statusList().lines() : w.main->list().memo().lines(), expected);
        QCOMPARE(w.status->holdsList(), statusHolds);
        QCOMPARE(w.main->list().isModified(), !opened);
    }

    // A request that comes while a command (or its question) runs waits
    // for its end, in the order the requests came.
    void requestWaitsForTheRunningCommand()
    {
        QTemporaryDir temp;
        const QString first = temp.filePath(QStringLiteral("a.txt"));
        const QString second = temp.filePath(QStringLiteral("b.txt"));
        QVERIFY(putFile(first, kBank.toLatin1()));
        QVERIFY(putFile(second, kKiosk.toLatin1()));
        MainAndStatus w;
        w.main->show();
        w.main->list().command([&] {
            w.main->handOver(first);
            w.main->handOver(second);
            QVERIFY(w.main->list().memo().isEmpty());
        });
        QVERIFY(w.main->list().memo().isEmpty());
        QTRY_COMPARE(w.main->currentFileName(), second);
        QCOMPARE(w.main->list().memo().lines(), QStringList{kKiosk});
        QVERIFY(w.boxes.shown.isEmpty());
    }

    // Inside one process: the second lock holder is refused, its request
    // reaches the first; another settings file makes another program.
    void requestReachesTheServingProgram()
    {
        QTemporaryDir temp;
        const QString data = temp.filePath(QStringLiteral("data"));
        const QString ini = temp.filePath(QStringLiteral("veltrix.ini"));
        SingleInstance first(data, ini);
        QCOMPARE(first.start({}), SingleInstance::Role::Serving);
        QSignalSpy requests(&first, &SingleInstance::requested);

        SingleInstance second(data, temp.filePath(QStringLiteral("./veltrix.ini")));
        // The first cannot answer while this thread waits: the request
        // still counts as handed over.
        QCOMPARE(second.start(QStringLiteral("/tmp/bericht ü\n2.txt"), 300), SingleInstance::Role::HandedOver);
        SingleInstance third(data, ini);
        QCOMPARE(third.start({}, 300), SingleInstance::Role::HandedOver);
        QTRY_COMPARE(requests.size(), 2);
        QCOMPARE(requests.at(0).at(0).toString(), QStringLiteral("/tmp/bericht ü\n2.txt"));
        QCOMPARE(requests.at(1).at(0).toString(), QString());

        SingleInstance other(data, temp.filePath(QStringLiteral("anders.ini")));
        QCOMPARE(other.start({}, 300), SingleInstance::Role::Serving);
        SingleInstance otherHome(temp.filePath(QStringLiteral("data2")), ini);
        QCOMPARE(otherHome.start({}, 300), SingleInstance::Role::Serving);
    }

    // The real program, twice, and once more after the first was killed.
    void secondStartOfTheProgram()
    {
        QTemporaryDir temp;
        const QString home = temp.filePath(QStringLiteral("home"));
        const QString ini = temp.filePath(QStringLiteral("veltrix.ini"));
        const QString report = temp.filePath(QStringLiteral("bericht.txt"));
        QVERIFY(putFile(report, kKiosk.toLatin1()));
        const QString dataFolder = home + QStringLiteral("/data/Veltrix Professional");
        const QString lock = QDir(dataFolder).filePath(SingleInstance::serverName(dataFolder, ini) + QStringLiteral(".lock"));

        QProcess first;
        first.setProcessEnvironment(playerEnvironment(home, ini));
        first.start(QStringLiteral(VELTRIX_BINARY), {});
        QVERIFY(serving(first, lock));

        // Given relative to its own folder; the first opens it by its full name.
        QProcess second;
        second.setProcessEnvironment(playerEnvironment(home, ini));
        second.setWorkingDirectory(temp.path());
        second.start(QStringLiteral(VELTRIX_BINARY), {QStringLiteral("bericht.txt")});
        QVERIFY(second.waitForFinished(10000));
        QCOMPARE(second.exitStatus(), QProcess::NormalExit);
        QCOMPARE(second.exitCode(), 0);
        QByteArray log;
        QTRY_VERIFY_WITH_TIMEOUT(saysOpened(first, log, report), 10000);

        // Other settings: a program of its own.
        QProcess other;
        other.setProcessEnvironment(playerEnvironment(home, temp.filePath(QStringLiteral("anders.ini"))));
        other.start(QStringLiteral(VELTRIX_BINARY), {});
        QVERIFY(!other.waitForFinished(2000));
        other.kill();
        other.waitForFinished();

        // A crashed program leaves its lock and socket behind; the next
        // start takes them over and serves.
        first.kill();
        QVERIFY(first.waitForFinished());
        QVERIFY(QFile::exists(lock));
        QProcess next;
        next.setProcessEnvironment(playerEnvironment(home, ini));
        next.start(QStringLiteral(VELTRIX_BINARY), {});
        QVERIFY(serving(next, lock));
        second.start(QStringLiteral(VELTRIX_BINARY), {report});
        QVERIFY(second.waitForFinished(10000));
        QCOMPARE(second.exitCode(), 0);
        log.clear();
        QTRY_VERIFY_WITH_TIMEOUT(saysOpened(next, log, report), 10000);
        next.kill();
        next.waitForFinished();
    }
};

QTEST_MAIN(TestSingleInstance)
#include "tst_singleinstance.moc"
