#include "portalkeys.h"

#include "platform/keynames.h"

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusObjectPath>
#include <QDBusPendingCall>

#include <algorithm>

namespace veltrix {

namespace {

const QString kService = QStringLiteral("org.freedesktop.portal.Desktop");
const QString kPath = QStringLiteral("/org/freedesktop/portal/desktop");
const QString kShortcuts = QStringLiteral("org.freedesktop.portal.GlobalShortcuts");
const QString kRequest = QStringLiteral("org.freedesktop.portal.Request");
const QString kSession = QStringLiteral("org.freedesktop.portal.Session");
// A portal that is started on demand may take a moment.
constexpr int kProbeTimeout = 5000;

} // namespace

// One entry of BindShortcuts' a(sa{sv}).
struct PortalShortcut {
    QString id;
    QVariantMap properties;
};

QDBusArgument &operator<<(QDBusArgument &argument, const PortalShortcut &shortcut)
{
    argument.beginStructure();
    argument << shortcut.id << shortcut.properties;
    argument.endStructure();
    return argument;
}

const QDBusArgument &operator>>(const QDBusArgument &argument, PortalShortcut &shortcut)
{
    argument.beginStructure();
    argument >> shortcut.id >> shortcut.properties;
    argument.endStructure();
    return argument;
}

} // namespace veltrix

Q_DECLARE_METATYPE(veltrix::PortalShortcut)

namespace veltrix {

PortalGlobalKeys::PortalGlobalKeys(QObject *parent) : QObject(parent)
{
    qDBusRegisterMetaType<PortalShortcut>();
    qDBusRegisterMetaType<QList<PortalShortcut>>();
    QDBusConnection::sessionBus().connect(kService, kPath, kShortcuts, QStringLiteral("Activated"), this,
                                          SLOT(activated(QDBusMessage)));
}

PortalGlobalKeys::~PortalGlobalKeys()
{
    closeSession();
}

bool PortalGlobalKeys::available()
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return false;
    QDBusMessage probe = QDBusMessage::createMethodCall(kService, kPath, QStringLiteral("org.freedesktop.DBus.Properties"),
                                                        QStringLiteral("Get"));
    probe << kShortcuts << QStringLiteral("version");
    return bus.call(probe, QDBus::Block, kProbeTimeout).type() == QDBusMessage::ReplyMessage;
}

QString PortalGlobalKeys::requestPath(const QString &token) const
{
    QString sender = QDBusConnection::sessionBus().baseService().mid(1);
    sender.replace(QLatin1Char('.'), QLatin1Char('_'));
    return kPath + QStringLiteral("/request/") + sender + QLatin1Char('/') + token;
}

void PortalGlobalKeys::listen(const QString &path, const char *slot)
{
    QDBusConnection::sessionBus().connect(kService, path, kRequest, QStringLiteral("Response"), this, slot);
}

void PortalGlobalKeys::stopListening(const QString &path, const char *slot)
{
    QDBusConnection::sessionBus().disconnect(kService, path, kRequest, QStringLiteral("Response"), this, slot);
}

void PortalGlobalKeys::bind(const QList<GlobalKey> &keys)
{
    closeSession();
    m_keys = keys;
    if (keys.isEmpty())
        return;
    const QString token = QStringLiteral("veltrix%1").arg(++m_tokens);
    m_pendingRequest = requestPath(token);
    listen(m_pendingRequest, SLOT(sessionResponse(QDBusMessage)));
    QDBusMessage call = QDBusMessage::createMethodCall(kService, kPath, kShortcuts, QStringLiteral("CreateSession"));
    call << QVariantMap{{QStringLiteral("handle_token"), token}, {QStringLiteral("session_handle_token"), token}};
    QDBusConnection::sessionBus().asyncCall(call);
}

bool PortalGlobalKeys::takeAnswer(const QDBusMessage &response, const char *slot)
{
    // An answer to a request given up since (keys changed meanwhile) is
    // no longer wanted.
    if (response.path() != m_pendingRequest)
        return false;
    stopListening(m_pendingRequest, slot);
    m_pendingRequest.clear();
    return true;
}

void PortalGlobalKeys::sessionResponse(const QDBusMessage &response)
{
    if (!takeAnswer(response, SLOT(sessionResponse(QDBusMessage))))
        return;
    const QList<QVariant> args = response.arguments();
    if (args.size() < 2 || args[0].toUInt() != 0)
        return; // refused
    const QVariantMap results = qdbus_cast<QVariantMap>(args[1]);
    const QVariant handle = results.value(QStringLiteral("session_handle"));
    m_session = handle.canConvert<QDBusObjectPath>() ? handle.value<QDBusObjectPath>().path() : handle.toString();
    if (m_session.isEmpty())
        return;

    QList<PortalShortcut> shortcuts;
    for (const GlobalKey &key : std::as_const(m_keys)) {
        QVariantMap properties{{QStringLiteral("description"), key.description}};
        if (!key.keys.isEmpty()) {
            const QString trigger = portalTrigger(key.keys[0]);
            if (!trigger.isEmpty())
                properties.insert(QStringLiteral("preferred_trigger"), trigger);
        }
        shortcuts << PortalShortcut{key.id, properties};
    }
    const QString token = QStringLiteral("veltrix%1").arg(++m_tokens);
    m_pendingRequest = requestPath(token);
    listen(m_pendingRequest, SLOT(bindResponse(QDBusMessage)));
    QDBusMessage call = QDBusMessage::createMethodCall(kService, kPath, kShortcuts, QStringLiteral("BindShortcuts"));
    call << QVariant::fromValue(QDBusObjectPath(m_session)) << QVariant::fromValue(shortcuts) << QString()
         << QVariantMap{{QStringLiteral("handle_token"), token}};
    QDBusConnection::sessionBus().asyncCall(call);
}

void PortalGlobalKeys::bindResponse(const QDBusMessage &response)
{
    // What the desktop bound is its own and the player's choice.
    takeAnswer(response, SLOT(bindResponse(QDBusMessage)));
}

void PortalGlobalKeys::activated(const QDBusMessage &signal)
{
    const QList<QVariant> args = signal.arguments();
    if (args.size() < 2 || m_session.isEmpty())
        return;
    if (qdbus_cast<QDBusObjectPath>(args[0]).path() != m_session)
        return;
    const QString id = args[1].toString();
    const bool known = std::any_of(m_keys.begin(), m_keys.end(), [&](const GlobalKey &key) { return key.id == id; });
    if (known && pressed)
        pressed(id);
}

void PortalGlobalKeys::closeSession()
{
    if (!m_pendingRequest.isEmpty()) {
        stopListening(m_pendingRequest, SLOT(sessionResponse(QDBusMessage)));
        stopListening(m_pendingRequest, SLOT(bindResponse(QDBusMessage)));
        m_pendingRequest.clear();
    }
    if (m_session.isEmpty())
        return;
    // Closing the session releases its shortcuts.
    QDBusConnection::sessionBus().send(
        QDBusMessage::createMethodCall(kService, m_session, kSession, QStringLiteral("Close")));
    m_session.clear();
}

} // namespace veltrix
