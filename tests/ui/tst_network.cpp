#include "platform/curlhttp.h"
#include "support/fakeplatform.h"
#include "support/controls.h"
#include "support/loopbackhttp.h"
#include "ui/geturl.h"
#include "ui/mainfrm.h"

#include <QAction>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QtTest>

using namespace veltrix;
using namespace veltrix::test;
using veltrix::test::LoopbackHttpServer;
using veltrix::test::ScriptedResponse;

Q_DECLARE_METATYPE(veltrix::test::ScriptedResponse)

namespace {

const QString kNewVersionText = QStringLiteral(
    "Neue Version vorhanden.\n\ninstallierte Version: Version 1.61\naktuelle Version auf dem Server: %1\n\n"
    "Wollen Sie die aktuelle Version jetzt laden?");

} // namespace

class TestNetwork : public QObject {
    Q_OBJECT

private:
    LoopbackHttpServer m_server;
    CurlHttpClient m_http;

    // The real client, with the update server on the loopback server.
    Platform realHttp(test::FakePlatform &fakes)
    {
        Platform p = fakes.platform();
        p.http = &m_http;
        p.servers.updateUrl = m_server.baseUrl();
        return p;
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_server.isListening());
    }
    void init()
    {
        m_server.clearRequests();
        m_server.setResponse("/Downloads/version.txt", ScriptedResponse::ok("Version 1.61"));
    }

    void versionCheck_data()
    {
        QTest::addColumn<ScriptedResponse>("response");
        QTest::addColumn<bool>("offered");
        QTest::addColumn<QString>("shownVersion");
        QTest::newRow("same version") << ScriptedResponse::ok("Version 1.61") << false << "";
        QTest::newRow("newer") << ScriptedResponse::ok("Version 1.62") << true << "Version 1.62";
        QTest::newRow("same with CR LF") << ScriptedResponse::ok("Version 1.61\r\n") << true << "Version 1.61\n";
        QTest::newRow("other case") << ScriptedResponse::ok("version 1.61") << true << "version 1.61";
        QTest::newRow("empty body") << ScriptedResponse::ok("") << true << "";
        QTest::newRow("404 saying newer") << ScriptedResponse::status(404, "Not Found", "Version 1.62") << false << "";
        QTest::newRow("302 to newer")
            << ScriptedResponse::status(302, "Found", "Version 1.62", {"Location: /Downloads/new.txt"}) << false << "";
        QTest::newRow("connection dropped") << ScriptedResponse::closeAtOnce() << false << "";
    }
    void versionCheck()
    {
        QFETCH(ScriptedResponse, response);
        QFETCH(bool, offered);
        QFETCH(QString, shownVersion);
        m_server.setResponse("/Downloads/version.txt", response);
        m_server.setResponse("/Downloads/new.txt", ScriptedResponse::ok("Version 1.62"));
        test::FakePlatform fakes;
        fakes.messageBoxes.answers = {MsgResult::No, MsgResult::No};

        // At start-up, once the window shows.
        TfrmMain w(realHttp(fakes));
        QCOMPARE(m_server.requestCount(), 0);
        w.show();
        QTRY_VERIFY(!w.versionCheckRunning());
        QCOMPARE(m_server.requestCount(), 1);
        QCOMPARE(test::parseRequest(m_server.requests().first()).requestLine,
                 QByteArray("GET /Downloads/version.txt HTTP/1.1"));
        QCOMPARE(fakes.messageBoxes.shown.size(), offered ? 1 : 0);

        // From the menu.
        trigger(w, "Versionscheck1");
        QTRY_VERIFY(!w.versionCheckRunning());
        QCOMPARE(m_server.requestCount(), 2);
        QCOMPARE(fakes.messageBoxes.shown.size(), offered ? 2 : 1);
        const MessageRequest box = fakes.messageBoxes.shown.last();
        if (offered) {
            for (const MessageRequest &b : fakes.messageBoxes.shown) {
                QCOMPARE(b.title, QStringLiteral("Neue Version vorhanden"));
                QCOMPARE(b.text, kNewVersionText.arg(shownVersion));
                QCOMPARE(b.buttons, MsgButtons::YesNo);
            }
        } else {
            QCOMPARE(box.title, QStringLiteral("Versionscheck"));
            QCOMPARE(box.text, QStringLiteral("Keine neuere Version gefunden"));
            QCOMPARE(box.buttons, MsgButtons::Ok);
        }
        // "Nein" keeps the program running; no redirection was followed.
        QVERIFY(w.isVisible());
        QVERIFY(!w.closeRequest());
        QVERIFY(fakes.urlOpener.opened.isEmpty());
        for (const QByteArray &raw : m_server.requests())
            QVERIFY(!raw.contains("new.txt"));
    }

    void serverDown()
    {
        test::FakePlatform fakes;
        Platform p = realHttp(fakes);
        p.servers.updateUrl = QStringLiteral("http://127.0.0.1:%1").arg(LoopbackHttpServer::closedPort());
        TfrmMain w(p);
        w.show();
        QTRY_VERIFY(!w.versionCheckRunning());
        QVERIFY(fakes.messageBoxes.shown.isEmpty());
        trigger(w, "Versionscheck1");
        QTRY_COMPARE(fakes.messageBoxes.shown.size(), 1);
        QCOMPARE(fakes.messageBoxes.lastText(), QStringLiteral("Keine neuere Version gefunden"));
    }

    // The window does not wait for the update server: the answer and its
    // box come later, and a second check joins the one under way.
    void slowServerAnswersAfterTheWindowShows_data()
    {
        QTest::addColumn<QByteArray>("version");
        QTest::addColumn<bool>("menuMeanwhile");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("text");
        QTest::newRow("newer") << QByteArray("Version 1.62") << false << "Neue Version vorhanden"
                               << kNewVersionText.arg("Version 1.62");
        QTest::newRow("same, menu meanwhile") << QByteArray("Version 1.61") << true << "Versionscheck"
                                              << "Keine neuere Version gefunden";
    }
    void slowServerAnswersAfterTheWindowShows()
    {
        QFETCH(QByteArray, version);
        QFETCH(bool, menuMeanwhile);
        QFETCH(QString, title);
        QFETCH(QString, text);
        ScriptedResponse slow = ScriptedResponse::ok(version);
        slow.delayMs = 1500;
        m_server.setResponse("/Downloads/version.txt", slow);
        test::FakePlatform fakes;
        fakes.messageBoxes.answers = {MsgResult::No};

        TfrmMain w(realHttp(fakes));
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QVERIFY(w.versionCheckRunning());
        QVERIFY(fakes.messageBoxes.shown.isEmpty());
        if (menuMeanwhile)
            trigger(w, "Versionscheck1");

        QTRY_COMPARE(fakes.messageBoxes.shown.size(), 1);
        QCOMPARE(fakes.messageBoxes.shown.first().title, title);
        QCOMPARE(fakes.messageBoxes.shown.first().text, text);
        QVERIFY(!w.versionCheckRunning());
        QCOMPARE(m_server.requestCount(), 1);
        QVERIFY(w.isVisible());
    }

    // Quitting while the server keeps silent neither crashes nor waits for
    // the request's time limits.
    void quitWhileTheCheckRuns()
    {
        m_server.setResponse("/Downloads/version.txt", ScriptedResponse::silent());
        test::FakePlatform fakes;
        auto w = std::make_unique<TfrmMain>(realHttp(fakes));
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.get()));
        QTRY_COMPARE(m_server.requestCount(), 1);
        QVERIFY(w->versionCheckRunning());
        QElapsedTimer clock;
        clock.start();
        w.reset();
        QVERIFY2(clock.elapsed() < 2000, qPrintable(QString::number(clock.elapsed())));
        QTest::qWait(50);
        QVERIFY(fakes.messageBoxes.shown.isEmpty());
    }

    void acceptAtStartUpClosesWithoutSettings()
    {
        m_server.setResponse("/Downloads/version.txt", ScriptedResponse::ok("Version 1.62"));
        test::FakePlatform fakes;
        const QString ini = fakes.settingsPath;
        fakes.messageBoxes.answers = {MsgResult::Yes};
        TfrmMain w(realHttp(fakes));
        w.show();
        QTRY_VERIFY(!w.isVisible());
        QCOMPARE(fakes.urlOpener.opened, QStringList{m_server.baseUrl() + "/Downloads/VeltrixProf.exe"});
        QVERIFY(w.closeRequest());
        QCoreApplication::processEvents();
        QVERIFY(!w.isVisible());
        QVERIFY(!QFile::exists(ini));
    }

    // "Ja" ends the program as "Beenden" does: a list changed while the
    // check ran is asked about, and settings are never written.
    void acceptWithChangedList_data()
    {
        QTest::addColumn<int>("saveAnswer"); // MsgResult
        QTest::addColumn<bool>("closes");
        QTest::newRow("Nein") << int(MsgResult::No) << true;
        QTest::newRow("Abbrechen") << int(MsgResult::Cancel) << false;
    }
    void acceptWithChangedList()
    {
        QFETCH(int, saveAnswer);
        QFETCH(bool, closes);
        test::FakePlatform fakes;
        const QString ini = fakes.settingsPath;
        fakes.http.responses[fakes.servers.updateUrl + "/Downloads/version.txt"] = {true, "Version 1.62", {}};
        fakes.messageBoxes.answers = {MsgResult::Yes, MsgResult(saveAnswer)};
        TfrmMain w(fakes.platform());
        w.show();
        // The answer is handed over by the event loop, after this change.
        w.list().memo().appendLine(QStringLiteral("Lindenallee 117: Bank (SG: 45%) [Fallgitter]"));
        QVERIFY(w.list().isModified());
        QTRY_COMPARE(fakes.messageBoxes.shown.size(), 2);
        QCOMPARE(fakes.messageBoxes.shown.at(1).text, QStringLiteral("Wollen Sie die Änderungen speichern?"));
        QTRY_COMPARE(w.isVisible(), !closes);
        // A refused close is not forced again at the next paint.
        w.update();
        QTest::qWait(100);
        QCOMPARE(w.isVisible(), !closes);
        QCOMPARE(fakes.messageBoxes.shown.size(), 2);
        QCOMPARE(fakes.fileDialogs.saves, 0);
        if (!closes) {
            fakes.messageBoxes.answers = {MsgResult::No};
            trigger(w, "Beenden1");
            QVERIFY(!w.isVisible());
        }
        QVERIFY(!QFile::exists(ini));
    }

    void acceptFromMenuCloses()
    {
        m_server.setResponse("/Downloads/version.txt", ScriptedResponse::ok("Version 1.61"));
        test::FakePlatform fakes;
        TfrmMain w(realHttp(fakes));
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QTRY_VERIFY(!w.versionCheckRunning());
        m_server.setResponse("/Downloads/version.txt", ScriptedResponse::ok("Version 2.0"));
        fakes.messageBoxes.answers = {MsgResult::Yes};
        trigger(w, "Versionscheck1");
        QTRY_VERIFY(!w.isVisible());
        QCOMPARE(fakes.messageBoxes.shown.size(), 1);
        QCOMPARE(fakes.messageBoxes.shown.first().title, QStringLiteral("Neue Version vorhanden"));
        QCOMPARE(fakes.urlOpener.opened, QStringList{m_server.baseUrl() + "/Downloads/VeltrixProf.exe"});
    }

    void reportFromUrl_data()
    {
        QTest::addColumn<ScriptedResponse>("response");
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QString>("message");
        const QStringList before{QStringLiteral("Lindenallee 117: Bank (SG: 45%) [Fallgitter]")};
        QTest::newRow("report")
            << ScriptedResponse::ok("Am Alten Markt 3: Kiosk (SG: 100%) Keine Ausbauten vorhanden\r\n"
                                    "Hafenstra\xdf" "e 8: Casino (SG: 60%) [Alarmanlage]\r\n")
            << QStringList{QStringLiteral("Am Alten Markt 3: Kiosk (SG: 100%) Keine Ausbauten vorhanden"),
                           QStringLiteral("Hafenstraße 8: Casino (SG: 60%) [Alarmanlage]")}
            << "";
        QTest::newRow("UTF-8 text") << ScriptedResponse::ok("Hafenstra\xc3\x9f" "e 8: Casino (SG: 60%)")
                                    << QStringList{QStringLiteral("Hafenstraße 8: Casino (SG: 60%)")} << "";
        // "ß" as its last byte could begin a UTF-8 sequence; it must not be lost.
        QTest::newRow("Windows-1252 letter at the end")
            << ScriptedResponse::ok("Am Alten Markt 3: Kiosk (SG: 100%) Keine Ausbauten vorhanden\r\nHafenstra\xdf")
            << QStringList{QStringLiteral("Am Alten Markt 3: Kiosk (SG: 100%) Keine Ausbauten vorhanden"),
                           QStringLiteral("Hafenstraß")}
            << "";
        QTest::newRow("not cleaned") << ScriptedResponse::ok("<html>\nkein Bericht\n")
                                     << QStringList{"<html>", "kein Bericht"} << "";
        QTest::newRow("empty page") << ScriptedResponse::status(204, "No Content") << QStringList{} << "";
        QTest::newRow("404 keeps the list")
            << ScriptedResponse::status(404, "Not Found", "Seite fehlt") << before
            << "Error encountered during POST: HTTP/1.1 404 Not Found";
        QTest::newRow("dropped keeps the list") << ScriptedResponse::closeAtOnce() << before << "*";
    }
    void reportFromUrl()
    {
        QFETCH(ScriptedResponse, response);
        QFETCH(QStringList, lines);
        QFETCH(QString, message);
        m_server.setResponse("/bericht.txt", response);
        test::FakePlatform fakes;
        TfrmMain w(realHttp(fakes));
        TfrmgetURL dialog(w.list(), &w, realHttp(fakes));
        w.setCompanions({nullptr, &dialog, nullptr, nullptr});
        w.list().memo().setLines({QStringLiteral("Lindenallee 117: Bank (SG: 45%) [Fallgitter]")});
        w.list().setModified(false);

        trigger(w, "URLffnen1");
        QVERIFY(dialog.isVisible());
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Datei aus URL einlesen..."));
        QCOMPARE(control<QLineEdit>(dialog, "URL1")->text(), QStringLiteral("http://www."));
        const QString url = m_server.baseUrl() + "/bericht.txt";
        control<QLineEdit>(dialog, "URL1")->setText(url);
        QTest::mouseClick(control<QPushButton>(dialog, "Button1"), Qt::LeftButton);

        QCOMPARE(w.list().memo().lines(), lines);
        if (message.isEmpty()) {
            QVERIFY(fakes.messageBoxes.shown.isEmpty());
            QVERIFY(w.list().isModified());
        } else {
            QCOMPARE(fakes.messageBoxes.shown.size(), 1);
            if (message == "*")
                QVERIFY(fakes.messageBoxes.lastText().startsWith("Error encountered during POST: "));
            else
                QCOMPARE(fakes.messageBoxes.lastText(), message);
            QVERIFY(!w.list().isModified());
        }
        QVERIFY(!dialog.isVisible());
        QCOMPARE(control<QLineEdit>(dialog, "URL1")->text(), url);
        // What the fetched text replaced comes back with "Rückgängig".
        const QStringList before{QStringLiteral("Lindenallee 117: Bank (SG: 45%) [Fallgitter]")};
        QCOMPARE(w.list().undoCopy(), message.isEmpty() ? before : QStringList());
        if (message.isEmpty()) {
            trigger(w, "Rckgngig1");
            QCOMPARE(w.list().memo().lines(), before);
        }
    }
};

QTEST_MAIN(TestNetwork)
#include "tst_network.moc"
