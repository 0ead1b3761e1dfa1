// The desktop portal's path against a fake portal service on a private
// session bus (dbus-run-session): the session, the bound shortcuts with their
// descriptions and triggers, Activated running the command, the session
// closed at the end.
#include "platform/qtplatform.h"
#include "support/statusfixture.h"

#include <QApplication>
#include <QCheckBox>
#include <QDBusConnection>
#include <QDialog>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QProcess>
#include <QProcessEnvironment>
#include <QtTest>

using namespace veltrix;
using namespace veltrix::test;

namespace {

const QString kBank = QStringLiteral("Lindenallee 117: Bank (SG: 45%) [Fallgitter]");
const QString kKiosk = QStringLiteral("Lindenallee 119: Kiosk (SG: 20%)");

QDBusMessage fakePortal(const QString &member)
{
    return QDBusMessage::createMethodCall(QStringLiteral("org.freedesktop.portal.Desktop"),
                                          QStringLiteral("/org/freedesktop/portal/desktop"),
                                          QStringLiteral("org.example.FakePortal"), member);
}

QStringList portalLog()
{
    return QDBusConnection::sessionBus().call(fakePortal(QStringLiteral("Log"))).arguments().value(0).toStringList();
}

void activate(const QString &id)
{
    QDBusConnection::sessionBus().call(fakePortal(QStringLiteral("Activate")) << id);
}

void control(const QString &member, const QList<QVariant> &args = {})
{
    QDBusMessage call = fakePortal(member);
    call.setArguments(args);
    QDBusConnection::sessionBus().call(call);
}

QProcessEnvironment waylandSession()
{
    QProcessEnvironment wayland;
    wayland.insert(QStringLiteral("XDG_SESSION_TYPE"), QStringLiteral("wayland"));
    return wayland;
}

const QString kDeclined = QStringLiteral("Die globalen Tastenkürzel wurden nicht bestätigt und sind ausgeschaltet.");
const QString kRefused =
    QStringLiteral("Die Arbeitsumgebung hat die globalen Tastenkürzel nicht eingerichtet. Sie sind ausgeschaltet.");

} // namespace

class TestPortalKeys : public QObject {
    Q_OBJECT

    QProcess m_portal;
    QTemporaryDir m_temp;
    QString ini() const { return m_temp.filePath(QStringLiteral("veltrix.ini")); }

private slots:
    void initTestCase()
    {
        QVERIFY2(QDBusConnection::sessionBus().isConnected(), "run under dbus-run-session");
        m_portal.setProcessChannelMode(QProcess::ForwardedChannels);
        m_portal.start(qEnvironmentVariable("VELTRIX_FAKE_PORTAL"), {});
        QVERIFY(m_portal.waitForStarted());
        QTRY_VERIFY(QDBusConnection::sessionBus().interface()->isServiceRegistered(
            QStringLiteral("org.freedesktop.portal.Desktop")));
    }
    void init()
    {
        control(QStringLiteral("Reset"));
        QVERIFY(putFile(ini(), "[Tastenk\xFCrzel]\r\naktiv=1\r\nHausnummer=\r\nAbgleichen=\r\n"));
    }
    void cleanupTestCase()
    {
        m_portal.kill();
        m_portal.waitForFinished();
    }

    void shortcutsThroughThePortal()
    {
        QVERIFY(putFile(ini(), "[Tastenk\xFCrzel]\r\naktiv=1\r\nHausnummer=\r\nAbgleichen=Ctrl+Shift+F5\r\n"));
        {
            RealPlatform real(waylandSession());
            MainAndStatus w(ini(), real.platform().globalKeys);
            w.main->show();
            QVERIFY(QTest::qWaitForWindowExposed(w.main.get()));
            QTRY_COMPARE(portalLog(), (QStringList{QStringLiteral("CreateSession"),
                                                   QStringLiteral("BindShortcuts naechstes-ziel|Nächstes Ziel (1. Zeile "
                                                                  "löschen)|CTRL+ALT+n; abgleichen|Bericht "
                                                                  "abgleichen|CTRL+SHIFT+F5")}));
            w.main->list().memo().setText(kBank + QStringLiteral("\r\n") + kKiosk);
            activate(QStringLiteral("naechstes-ziel"));
            QTRY_COMPARE(w.main->list().memo().lines(), QStringList{kKiosk});
            QCOMPARE(w.fakes.clipboard.text(), QStringLiteral("119"));
            // Unbound or unknown ids run nothing.
            activate(QStringLiteral("hausnummer"));
            activate(QStringLiteral("abgleichen"));
            QTRY_COMPARE(w.fakes.feedback.beeps, 1); // the clipboard holds no report
            QCOMPARE(w.fakes.clipboard.text(), QStringLiteral("119"));
            QVERIFY(w.boxes.shown.isEmpty());
        }
        QTRY_COMPARE(portalLog().value(2), QStringLiteral("Close"));
    }

    // Every way the desktop can say no is told once, and the check box then
    // shows the keys off.
    void desktopSaysNo_data()
    {
        QTest::addColumn<QString>("method");
        QTest::addColumn<int>("answer"); // the request's response code; -1: an error reply
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("log");
        const QString bind = QStringLiteral("BindShortcuts naechstes-ziel|Nächstes Ziel (1. Zeile löschen)|CTRL+ALT+n");
        const QString create = QStringLiteral("CreateSession");
        const QString close = QStringLiteral("Close");
        QTest::newRow("confirmation cancelled") << "BindShortcuts" << 1 << kDeclined << QStringList{create, bind, close};
        QTest::newRow("binding failed") << "BindShortcuts" << 2 << kRefused << QStringList{create, bind, close};
        QTest::newRow("binding: D-Bus error") << "BindShortcuts" << -1 << kRefused + "\n\nZugriff verweigert"
                                              << QStringList{create, "BindShortcuts (error)", close};
        QTest::newRow("session refused") << "CreateSession" << 2 << kRefused << QStringList{create};
        QTest::newRow("session: D-Bus error") << "CreateSession" << -1 << kRefused + "\n\nZugriff verweigert"
                                              << QStringList{"CreateSession (error)"};
    }
    void desktopSaysNo()
    {
        QFETCH(QString, method);
        QFETCH(int, answer);
        QFETCH(QString, text);
        QFETCH(QStringList, log);
        control(QStringLiteral("Answer"), {method, answer});
        RealPlatform real(waylandSession());
        MainAndStatus w(ini(), real.platform().globalKeys);
        w.main->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.main.get()));
        QTRY_COMPARE(w.boxes.shown.size(), 1);
        QCOMPARE(w.boxes.shown[0].title, QStringLiteral("Hinweis"));
        QCOMPARE(w.boxes.lastText(), text);
        QCOMPARE(portalLog(), log);

        bool checked = true;
        QObject guard;
        whenModalDialog(guard, [&](QWidget *dialog) {
            checked = control<QCheckBox>(*dialog, "TastenkuerzelVerwenden")->isChecked();
            qobject_cast<QDialog *>(dialog)->reject();
        });
        trigger(*w.main, "GlobaleTastenkuerzel1");
        QVERIFY(!checked);
        // Nothing asked again, nothing said twice.
        QTest::qWait(100);
        QCOMPARE(portalLog(), log);
        QCOMPARE(w.boxes.shown.size(), 1);
    }

    // A portal that takes its time to start holds up nothing: the window
    // shows, and the keys come once the portal answers.
    void windowFirstKeysLater()
    {
        control(QStringLiteral("Hold"), {true});
        RealPlatform real(waylandSession());
        MainAndStatus w(ini(), real.platform().globalKeys);
        w.main->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.main.get()));
        QVERIFY(portalLog().isEmpty());
        control(QStringLiteral("Hold"), {false});
        QTRY_COMPARE(portalLog().size(), 2);
        w.main->list().memo().setText(kBank + QStringLiteral("\r\n") + kKiosk);
        activate(QStringLiteral("naechstes-ziel"));
        QTRY_COMPARE(w.main->list().memo().lines(), QStringList{kKiosk});
        QVERIFY(w.boxes.shown.isEmpty());
    }
};

QTEST_MAIN(TestPortalKeys)
#include "tst_portalkeys.moc"
