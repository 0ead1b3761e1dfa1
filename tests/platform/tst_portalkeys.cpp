// The desktop portal's path against a fake portal service on a private
// session bus (dbus-run-session): the session, the bound shortcuts with their
// descriptions and triggers, Activated running the command, the session
// closed at the end.
#include "platform/qtplatform.h"
#include "support/statusfixture.h"

#include <QDBusConnection>
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

} // namespace

class TestPortalKeys : public QObject {
    Q_OBJECT

    QProcess m_portal;

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
    void cleanupTestCase()
    {
        m_portal.kill();
        m_portal.waitForFinished();
    }

    void shortcutsThroughThePortal()
    {
        QTemporaryDir temp;
        const QString ini = temp.filePath(QStringLiteral("veltrix.ini"));
        QVERIFY(putFile(ini, "[Tastenk\xFCrzel]\r\naktiv=1\r\nHausnummer=\r\nAbgleichen=Ctrl+Shift+F5\r\n"));
        QProcessEnvironment wayland;
        wayland.insert(QStringLiteral("XDG_SESSION_TYPE"), QStringLiteral("wayland"));
        {
            RealPlatform real(wayland);
            MainAndStatus w(ini, real.platform().globalKeys);
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
};

QTEST_MAIN(TestPortalKeys)
#include "tst_portalkeys.moc"
