// One program per data folder and settings file: a later start's file
// reaches the running program's list.
#include "support/statusfixture.h"
#include "ui/reportlist.h"
#include "ui/singleinstance.h"

#include <QProcess>
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
    // A Windows program without a console logs to the debugger otherwise.
    env.insert(QStringLiteral("QT_FORCE_STDERR_LOGGING"), QStringLiteral("1"));
    return env;
}

// The real program for one player, its log kept as it comes.
struct Program {
    QProcess process;
    QByteArray log;

    Program(const QString &home, const QString &ini, const QString &folder = {})
    {
        process.setProcessEnvironment(playerEnvironment(home, ini));
        process.setWorkingDirectory(folder);
    }
    void start(const QStringList &arguments = {}) { process.start(QStringLiteral(VELTRIX_BINARY), arguments); }
    bool says(const QByteArray &text)
    {
        log += process.readAllStandardError();
        return log.contains(text);
    }
    // The log is written in the system's 8-bit encoding (Windows-1252 there).
    static QByteArray opened(const QString &file) { return "opened: \"" + file.toLocal8Bit() + '"'; }
    ~Program()
    {
        process.kill();
        process.waitForFinished();
    }
};

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

    // The real program, twice, and once more after the first was killed.
    void secondStartOfTheProgram()
    {
        QTemporaryDir temp;
        const QString home = temp.filePath(QStringLiteral("home"));
        const QString ini = temp.filePath(QStringLiteral("veltrix.ini"));
        const QString report = temp.filePath(QStringLiteral("bericht ü.txt"));
        QVERIFY(putFile(report, kKiosk.toLatin1()));

        Program first(home, ini);
        first.start();
        QTRY_VERIFY_WITH_TIMEOUT(first.says("serving"), 20000);
        // Given relative to its own folder; the first opens it by its full name.
        Program second(home, ini, temp.path());
        second.start({QStringLiteral("bericht ü.txt")});
        QVERIFY(second.process.waitForFinished(10000));
        QCOMPARE(second.process.exitStatus(), QProcess::NormalExit);
        QCOMPARE(second.process.exitCode(), 0);
        QTRY_VERIFY2_WITH_TIMEOUT(first.says(Program::opened(report)), first.log.constData(), 10000);

        // Other settings: a program of its own.
        Program other(home, temp.filePath(QStringLiteral("anders.ini")));
        other.start();
        QTRY_VERIFY_WITH_TIMEOUT(other.says("serving"), 20000);

        // A crashed program leaves its lock and socket behind; the next
        // start takes them over and serves.
        first.process.kill();
        QVERIFY(first.process.waitForFinished());
        Program next(home, ini);
        next.start();
        QTRY_VERIFY_WITH_TIMEOUT(next.says("serving"), 20000);
        second.start({report});
        QVERIFY(second.process.waitForFinished(10000));
        QCOMPARE(second.process.exitCode(), 0);
        QTRY_VERIFY_WITH_TIMEOUT(next.says(Program::opened(report)), 10000);
    }
};

QTEST_MAIN(TestSingleInstance)
#include "tst_singleinstance.moc"
