#include "portalkeys.h"

#include "platform/keynames.h"

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusError>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>

#include <algorithm>

namespace veltrix {

namespace {

const QString kService = QStringLiteral("org.freedesktop.portal.Desktop");
const QString kPath = QStringLiteral("/org/freedesktop/portal/desktop");
const QString kShortcuts = QStringLiteral("org.freedesktop.portal.GlobalShortcuts");
const QString kRequest = QStringLiteral("org.freedesktop.portal.Request");
const QString kSession = QStringLiteral("org.freedesktop.portal.Session");
// The answers of a call that show there is no portal with global shortcuts.
bool noPortal(QDBusError::ErrorType error)
{
    switch (error) {
    case QDBusError::ServiceUnknown:
    case QDBusError::UnknownInterface:
    case QDBusError::UnknownMethod:
    case QDBusError::UnknownObject:
    case QDBusError::Disconnected:
        return true;
    default:
        return false;
    }
}

// A request's answer: 0 done, 1 cancelled by the player, 2 otherwise ended.
KeyProblem::Kind failure(uint response)
{
    return response == 1 ? KeyProblem::Kind::Cancelled : KeyProblem::Kind::Failed;
}

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
    // Whether the portal is there shows at the first call: asking now would
    // hold up the first paint while the desktop starts it.
    m_available = QDBusConnection::sessionBus().isConnected();
    if (m_available)
        QDBusConnection::sessionBus().connect(kService, kPath, kShortcuts, QStringLiteral("Activated"), this,
                                          SLOT(activated(QDBusMessage)));
}

PortalGlobalKeys::~PortalGlobalKeys()
{
    closeSession();
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
    if (keys.isEmpty() || !m_available)
        return;
    const QString token = QStringLiteral("veltrix%1").arg(++m_tokens);
    QDBusMessage call = QDBusMessage::createMethodCall(kService, kPath, kShortcuts, QStringLiteral("CreateSession"));
    call << QVariantMap{{QStringLiteral("handle_token"), token}, {QStringLiteral("session_handle_token"), token}};
    request(call, token, SLOT(sessionResponse(QDBusMessage)));
}

void PortalGlobalKeys::request(QDBusMessage call, const QString &token, const char *slot)
{
    const QString path = requestPath(token);
    m_pendingRequest = path;
    listen(path, slot);
    auto *watcher = new QDBusPendingCallWatcher(QDBusConnection::sessionBus().asyncCall(call), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this, path, slot](QDBusPendingCallWatcher *done) {
        done->deleteLater();
        // Given up since, or answered already.
        if (path != m_pendingRequest)
            return;
        const QDBusPendingReply<QDBusObjectPath> reply = *done;
        if (reply.isError()) {
            if (noPortal(reply.error().type())) {
                m_available = false;
                closeSession();
                return;
            }
            fail(KeyProblem::Kind::Failed, reply.error().message());
            return;
        }
        // Portals before version 0.9 choose the request's path themselves.
        const QString handle = reply.value().path();
        if (!handle.isEmpty() && handle != path) {
            stopListening(path, slot);
            m_pendingRequest = handle;
            listen(handle, slot);
        }
    });
}

void PortalGlobalKeys::fail(KeyProblem::Kind kind, const QString &detail)
{
    closeSession();
    if (failed)
        failed(kind, detail);
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
    if (args.size() < 2 || args[0].toUInt() != 0) {
        fail(failure(args.value(0, 2u).toUInt()), {});
        return;
    }
    const QVariantMap results = qdbus_cast<QVariantMap>(args[1]);
    const QVariant handle = results.value(QStringLiteral("session_handle"));
    m_session = handle.canConvert<QDBusObjectPath>() ? handle.value<QDBusObjectPath>().path() : handle.toString();
    if (m_session.isEmpty()) {
        fail(KeyProblem::Kind::Failed, {});
        return;
    }

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
    QDBusMessage call = QDBusMessage::createMethodCall(kService, kPath, kShortcuts, QStringLiteral("BindShortcuts"));
    call << QVariant::fromValue(QDBusObjectPath(m_session)) << QVariant::fromValue(shortcuts) << QString()
         << QVariantMap{{QStringLiteral("handle_token"), token}};
    request(call, token, SLOT(bindResponse(QDBusMessage)));
}

void PortalGlobalKeys::bindResponse(const QDBusMessage &response)
{
    if (!takeAnswer(response, SLOT(bindResponse(QDBusMessage))))
        return;
    // Which trigger the desktop gave each key is its own and the player's
    // choice; only a binding that did not happen is news.
    const QList<QVariant> args = response.arguments();
    if (args.isEmpty() || args[0].toUInt() != 0)
        fail(failure(args.value(0, 2u).toUInt()), {});
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
