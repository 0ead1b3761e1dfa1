// A stand-in for the desktop portal's global shortcuts on a private session
// bus: it answers CreateSession and BindShortcuts as the portal does (a
// request object whose Response signal carries the result), logs every call,
// and lets the test activate a bound shortcut, script the answer to a method
// (a response code, -1 an error reply) or hold every answer back until
// released, as a portal still starting would (org.example.FakePortal).
#include <QCoreApplication>
#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusVariant>
#include <QDBusVirtualObject>
#include <QMap>
#include <QStringList>
#include <cstdio>
#include <functional>
#include <utility>

namespace {

const QString kPath = QStringLiteral("/org/freedesktop/portal/desktop");
const QString kShortcuts = QStringLiteral("org.freedesktop.portal.GlobalShortcuts");

class FakePortal : public QDBusVirtualObject {
public:
    QString introspect(const QString &) const override { return {}; }

    bool handleMessage(const QDBusMessage &message, const QDBusConnection &connection) override
    {
        const QString member = message.member();
        const QList<QVariant> args = message.arguments();
        if (m_holding && message.interface() != u"org.example.FakePortal") {
            m_held.append([this, message, connection] { handleMessage(message, connection); });
            return true;
        }
        if (message.interface() == u"org.example.FakePortal" && member == u"Answer") {
            m_script.insert(args.value(0).toString(), args.value(1).toInt());
            connection.send(message.createReply());
            return true;
        }
        if (message.interface() == u"org.example.FakePortal" && member == u"Hold") {
            m_holding = args.value(0).toBool();
            if (!m_holding) {
                const QList<std::function<void()>> held = std::exchange(m_held, {});
                for (const auto &answer : held)
                    answer();
            }
            connection.send(message.createReply());
            return true;
        }
        if (message.interface() == u"org.example.FakePortal" && member == u"Reset") {
            m_log.clear();
            m_script.clear();
            connection.send(message.createReply());
            return true;
        }
        if (message.interface() == kShortcuts && m_script.value(member) == -1) {
            m_log << member + QStringLiteral(" (error)");
            connection.send(message.createErrorReply(QStringLiteral("org.freedesktop.DBus.Error.AccessDenied"),
                                                     QStringLiteral("Zugriff verweigert")));
            return true;
        }
        const uint code = uint(m_script.value(member));
        if (message.interface() == u"org.freedesktop.DBus.Properties" && member == u"Get") {
            if (args.value(0).toString() != kShortcuts)
                return false;
            connection.send(message.createReply(QVariant::fromValue(QDBusVariant(1u))));
        } else if (message.interface() == kShortcuts && member == u"CreateSession") {
            const QVariantMap options = qdbus_cast<QVariantMap>(args.value(0));
            const QString session = objectPath(message, QStringLiteral("session"),
                                               options.value(QStringLiteral("session_handle_token")).toString());
            m_log << QStringLiteral("CreateSession");
            respond(message, connection, options, code, {{QStringLiteral("session_handle"), session}});
        } else if (message.interface() == kShortcuts && member == u"BindShortcuts") {
            m_session = qdbus_cast<QDBusObjectPath>(args.value(0)).path();
            QStringList bound;
            const QDBusArgument shortcuts = args.value(1).value<QDBusArgument>();
            shortcuts.beginArray();
            while (!shortcuts.atEnd()) {
                QString id;
                QVariantMap properties;
                shortcuts.beginStructure();
                shortcuts >> id >> properties;
                shortcuts.endStructure();
                bound << id + QLatin1Char('|') + properties.value(QStringLiteral("description")).toString()
                                 + QLatin1Char('|') + properties.value(QStringLiteral("preferred_trigger")).toString();
            }
            shortcuts.endArray();
            m_log << QStringLiteral("BindShortcuts ") + bound.join(QStringLiteral("; "));
            respond(message, connection, qdbus_cast<QVariantMap>(args.value(3)), code, {});
        } else if (message.interface() == u"org.freedesktop.portal.Session" && member == u"Close") {
            m_log << QStringLiteral("Close") + (message.path() == m_session ? QString() : QStringLiteral(" (another)"));
            connection.send(message.createReply());
        } else if (message.interface() == u"org.example.FakePortal" && member == u"Log") {
            connection.send(message.createReply(m_log));
        } else if (message.interface() == u"org.example.FakePortal" && member == u"Activate") {
            QDBusMessage activated = QDBusMessage::createSignal(kPath, kShortcuts, QStringLiteral("Activated"));
            activated << QVariant::fromValue(QDBusObjectPath(m_session)) << args.value(0).toString() << quint64(0)
                      << QVariantMap();
            connection.send(activated);
            connection.send(message.createReply());
        } else {
            return false;
        }
        return true;
    }

private:
    static QString objectPath(const QDBusMessage &message, const QString &kind, const QString &token)
    {
        QString sender = message.service().mid(1);
        sender.replace(QLatin1Char('.'), QLatin1Char('_'));
        return kPath + QLatin1Char('/') + kind + QLatin1Char('/') + sender + QLatin1Char('/') + token;
    }

    // The request's path first, then its Response: a client must already
    // listen there when the call returns.
    static void respond(const QDBusMessage &message, const QDBusConnection &connection, const QVariantMap &options,
                        uint code, const QVariantMap &results)
    {
        const QString request =
            objectPath(message, QStringLiteral("request"), options.value(QStringLiteral("handle_token")).toString());
        connection.send(message.createReply(QVariant::fromValue(QDBusObjectPath(request))));
        QDBusMessage response =
            QDBusMessage::createSignal(request, QStringLiteral("org.freedesktop.portal.Request"), QStringLiteral("Response"));
        response << code << (code == 0 ? results : QVariantMap());
        connection.send(response);
    }

    QStringList m_log;
    QString m_session;
    QMap<QString, int> m_script; // by method; none: 0
    bool m_holding = false;
    QList<std::function<void()>> m_held;
};

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QDBusConnection bus = QDBusConnection::sessionBus();
    FakePortal portal;
    if (!bus.registerVirtualObject(kPath, &portal, QDBusConnection::SubPath)
        || !bus.registerService(QStringLiteral("org.freedesktop.portal.Desktop"))) {
        std::fprintf(stderr, "fakeportal: cannot register on the session bus\n");
        return 1;
    }
    return QCoreApplication::exec();
}
