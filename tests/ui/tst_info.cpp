#include "platform/curlhttp.h"
#include "platform/jpegdecoder.h"
#include "support/fakeplatform.h"
#include "support/controls.h"
#include "support/designedfont.h"
#include "support/loopbackhttp.h"
#include "ui/info.h"
#include "ui/mainfrm.h"

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QtTest>

using namespace veltrix;
using namespace veltrix::test;
using veltrix::test::LoopbackHttpServer;
using veltrix::test::ScriptedResponse;

namespace {

const QString kTarget = QStringLiteral("/cgi/anmeldung.pl?");

} // namespace

class TestInfo : public QObject {
    Q_OBJECT

private:
    LoopbackHttpServer m_server;
    CurlHttpClient m_http;

    // The real client, with the contact-form server on the loopback server
    // (the update server is elsewhere, so a message sent there fails).
    Platform realHttp(test::FakePlatform &fakes)
    {
        Platform p = fakes.platform();
        p.http = &m_http;
        p.servers.contactUrl = m_server.baseUrl();
        p.servers.contactRecipient = QStringLiteral("kontakt@veltrix.example");
        return p;
    }

    static void fill(TfrmInfo &info, const QString &name, int subject, const QString &text, const QString &mail)
    {
        info.Gangster->setText(name);
        if (subject >= 0)
            info.Betreff->setCurrentIndex(subject);
        info.Mitteilung->setPlainText(text);
        info.email->setText(mail);
    }

private slots:
    void initTestCase()
    {
        useDesignedFont();
        QVERIFY(m_server.isListening());
    }
    void init()
    {
        m_server.clearRequests();
        m_server.setResponse(kTarget.toLatin1(), ScriptedResponse::ok("<html>danke</html>"));
    }

    void window()
    {
        test::FakePlatform fakes;
        LibJpegDecoder jpeg;
        Platform p = fakes.platform();
        p.images = &jpeg;
        TfrmInfo info(nullptr, p);
        const Qt::WindowFlags flags = info.windowFlags();
        QVERIFY(flags.testFlag(Qt::CustomizeWindowHint));
        for (Qt::WindowType button : {Qt::WindowCloseButtonHint, Qt::WindowSystemMenuHint,
                                      Qt::WindowMinimizeButtonHint, Qt::WindowMaximizeButtonHint})
            QVERIFY(!flags.testFlag(button));
        QCOMPARE(info.Image1->pixmap().size(), QSize(100, 100));
        QCOMPARE(info.Betreff->currentText(), QStringLiteral("Betreff"));
        QCOMPARE(info.Betreff->currentIndex(), -1);
        for (LinkLabel *link : {info.Label5, info.Label6, info.Label7}) {
            QCOMPARE(link->cursor().shape(), Qt::PointingHandCursor);
            QVERIFY(link->font().underline());
            // Side by side without touching, and clear of "Schließen".
            QVERIFY(link->geometry().right() < info.Button1->geometry().left());
        }
        QVERIFY(info.Label5->geometry().right() < info.Label6->geometry().left());
        QVERIFY(info.Label6->geometry().right() < info.Label7->geometry().left());
        // Tab order: "Schließen" first, then the group in its own order.
        QWidget *expected[] = {info.Button1, info.Betreff, info.Mitteilung, info.email, info.Button2, info.Gangster};
        for (int i = 0; i + 1 < 6; ++i) {
            QWidget *next = expected[i]->nextInFocusChain();
            while (next->focusPolicy() == Qt::NoFocus || next->focusProxy() == expected[i])
                next = next->nextInFocusChain();
            QCOMPARE(next->objectName(), expected[i + 1]->objectName());
        }
    }

    void contactBody_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("subject");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("mail");
        QTest::addColumn<QByteArray>("body");
        QTest::newRow("message") << "Don Vito" << 0 << "a&b\nc" << "vito@example.com"
                                 << QByteArray("recipient=kontakt@veltrix.example&subject=Message&text=a%26b%0D%0Ac"
                                               "&Gangster=Don%20Vito&E-Mail=vito@example.com");
        QTest::newRow("umlaut and euro") << QStringLiteral("Jürgen") << 1 << QStringLiteral("5 € für dich") << ""
                                         << QByteArray("recipient=kontakt@veltrix.example&subject=Idee/Wunsch/Vorschlag"
                                                       "&text=5%20%80%20f%FCr%20dich&Gangster=J%FCrgen&E-Mail=");
        QTest::newRow("blank name counts") << " " << 3 << "" << "x"
                                           << QByteArray("recipient=kontakt@veltrix.example&subject=ich%20will%20einfach"
                                                         "%20nur%20mal%20was%20loswerden%20:)&text=&Gangster=%20&E-Mail=x");
        QTest::newRow("reserved bytes") << "[G]" << 2 << "1+1=2 #100% <ok>" << "a=b"
                                        << QByteArray("recipient=kontakt@veltrix.example&subject=Bug-Report"
                                                      "&text=1%2B1%3D2%20%23100%25%20%3Cok%3E&Gangster=%5BG%5D&E-Mail=a%3Db");
    }
    void contactBody()
    {
        QFETCH(QString, name);
        QFETCH(int, subject);
        QFETCH(QString, text);
        QFETCH(QString, mail);
        QFETCH(QByteArray, body);
        test::FakePlatform fakes;
        TfrmInfo info(nullptr, realHttp(fakes));
        fill(info, name, subject, text, mail);
        QTest::mouseClick(info.Button2, Qt::LeftButton);

        QCOMPARE(m_server.requestCount(), 1);
        const auto request = test::parseRequest(m_server.requests().first());
        QCOMPARE(request.requestLine, QByteArray("POST /cgi/anmeldung.pl? HTTP/1.0"));
        QCOMPARE(request.headerValues("Content-Type"), QList<QByteArray>{"application/x-www-form-urlencoded"});
        QCOMPARE(request.body, body);
        QCOMPARE(fakes.messageBoxes.shown.size(), 1);
        QCOMPARE(fakes.messageBoxes.lastText(), QStringLiteral("Mitteilung gesendet."));
        // Nothing is cleared after sending.
        QCOMPARE(info.Gangster->text(), name);
        QCOMPARE(info.Mitteilung->toPlainText(), text);
    }

    void contactRefused_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("subject");
        QTest::addColumn<QString>("typedSubject");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("message");
        const QString nameHint =
            QStringLiteral("Bitte das Feld Gangstername ausfüllen, so daß auch eine Antwort erfolgen kann. :)");
        const QString listIndex = QStringLiteral("Listenindex überschreitet das Maximum (-1)");
        QTest::newRow("empty name") << "" << 0 << "" << "Hinweis" << nameHint;
        QTest::newRow("empty name, no subject") << "" << -1 << "" << "Hinweis" << nameHint;
        QTest::newRow("placeholder subject") << "Vito" << -1 << "" << "*" << listIndex;
        QTest::newRow("typed subject") << "Vito" << -1 << "Frage" << "*" << listIndex;
        QTest::newRow("typed over a chosen one") << "Vito" << 2 << "Bug" << "*" << listIndex;
    }
    void contactRefused()
    {
        QFETCH(QString, name);
        QFETCH(int, subject);
        QFETCH(QString, typedSubject);
        QFETCH(QString, title);
        QFETCH(QString, message);
        test::FakePlatform fakes;
        TfrmInfo info(nullptr, realHttp(fakes));
        fill(info, name, subject, QStringLiteral("Hallo"), QString());
        if (!typedSubject.isEmpty())
            info.Betreff->setEditText(typedSubject);
        QTest::mouseClick(info.Button2, Qt::LeftButton);
        QCOMPARE(m_server.requestCount(), 0);
        QCOMPARE(fakes.messageBoxes.shown.size(), 1);
        if (title != "*")
            QCOMPARE(fakes.messageBoxes.shown.first().title, title);
        QCOMPARE(fakes.messageBoxes.lastText(), message);
    }

    void contactFailure()
    {
        m_server.setResponse(kTarget.toLatin1(), ScriptedResponse::status(500, "Internal Server Error"));
        test::FakePlatform fakes;
        TfrmInfo info(nullptr, realHttp(fakes));
        fill(info, QStringLiteral("Vito"), 0, QStringLiteral("Hallo"), QString());
        QTest::mouseClick(info.Button2, Qt::LeftButton);
        QCOMPARE(m_server.requestCount(), 1);
        QCOMPARE(fakes.messageBoxes.shown.size(), 1);
        QCOMPARE(fakes.messageBoxes.lastText(),
                 QStringLiteral("Error encountered during POST: HTTP/1.1 500 Internal Server Error"));
    }

    void emailClearedOnEveryEntry()
    {
        test::FakePlatform fakes;
        TfrmInfo info(nullptr, fakes.platform());
        info.show();
        info.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&info));
        QVERIFY(!info.email->text().isEmpty());
        info.email->setFocus(Qt::TabFocusReason);
        QTRY_VERIFY(info.email->hasFocus());
        QCOMPARE(info.email->text(), QString());
        QTest::keyClicks(info.email, QStringLiteral("ich@example.com"));
        QCOMPARE(info.email->text(), QStringLiteral("ich@example.com"));
        info.Mitteilung->setFocus(Qt::MouseFocusReason);
        QTRY_VERIFY(info.Mitteilung->hasFocus());
        QCOMPARE(info.email->text(), QStringLiteral("ich@example.com"));
        info.email->setFocus(Qt::MouseFocusReason);
        QTRY_VERIFY(info.email->hasFocus());
        QCOMPARE(info.email->text(), QString());
    }

    void closeAndShowAgainKeepsTexts()
    {
        test::FakePlatform fakes;
        TfrmMain w(fakes.platform());
        TfrmInfo info(&w, fakes.platform());
        w.setCompanions({nullptr, nullptr, &info, nullptr});
        trigger(w, "Info1");
        QVERIFY(info.isVisible());
        fill(info, QStringLiteral("Vito"), 2, QStringLiteral("Text"), QStringLiteral("v@x.de"));
        QTest::mouseClick(info.Button1, Qt::LeftButton);
        QVERIFY(!info.isVisible());
        trigger(w, "Info1");
        QVERIFY(info.isVisible());
        QCOMPARE(info.Gangster->text(), QStringLiteral("Vito"));
        QCOMPARE(info.Betreff->currentText(), QStringLiteral("Bug-Report"));
        QCOMPARE(info.Mitteilung->toPlainText(), QStringLiteral("Text"));
    }

    void links_data()
    {
        QTest::addColumn<QString>("label");
        QTest::addColumn<QString>("address");
        QTest::newRow("download") << "Label5" << "/Downloads/VeltrixProf.exe";
        QTest::newRow("chat") << "Label6" << "irc:";
        QTest::newRow("changelog") << "Label7" << "/Downloads/Changelog.txt";
    }
    void links()
    {
        QFETCH(QString, label);
        QFETCH(QString, address);
        test::FakePlatform fakes;
        TfrmInfo info(nullptr, fakes.platform());
        auto *link = info.findChild<LinkLabel *>(label);
        QVERIFY(link);
        QTest::mouseClick(link, Qt::LeftButton);
        const QString expected = address == "irc:" ? TfrmInfo::ircAddress() : fakes.servers.updateUrl + address;
        QCOMPARE(fakes.urlOpener.opened, QStringList{expected});
        QVERIFY(TfrmInfo::ircAddress().startsWith(QStringLiteral("irc:")));
        QVERIFY(TfrmInfo::ircAddress().contains(QStringLiteral(" -j #")));
        QVERIFY(fakes.messageBoxes.shown.isEmpty());
    }
};

QTEST_MAIN(TestInfo)
#include "tst_info.moc"
