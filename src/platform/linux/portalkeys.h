#pragma once

#include "platform/platform.h"

#include <QObject>
#include <QString>

class QDBusMessage;

namespace veltrix {

// Global shortcuts through the desktop portal on the session bus (Wayland
// sessions, where a key grab would see only X windows): a session, the keys
// bound with their descriptions and preferred triggers, and the portal's
// Activated signal. The desktop may let the player confirm or change them.
class PortalGlobalKeys : public QObject {
    Q_OBJECT

public:
    explicit PortalGlobalKeys(QObject *parent = nullptr);
    ~PortalGlobalKeys() override;

    // False once the session bus has shown that no portal gives global
    // shortcuts here; nothing waits for it to say so.
    bool available() const { return m_available; }

    // Ends the present session and, unless keys is empty, opens one for these.
    void bind(const QList<GlobalKey> &keys);
    // Gets the id of every shortcut the portal reports as activated.
    std::function<void(const QString &)> pressed;
    // Gets why none of the keys works: the player declined, the desktop
    // refused, or a call failed. The session is closed by then.
    std::function<void(KeyProblem::Kind, const QString &detail)> failed;

private slots:
    void sessionResponse(const QDBusMessage &response);
    void bindResponse(const QDBusMessage &response);
    void activated(const QDBusMessage &signal);

private:
    void closeSession();
    // Calls a portal method that answers through a request object; slot
    // gets its Response. Errors of the call itself end the binding.
    void request(QDBusMessage call, const QString &token, const char *slot);
    void fail(KeyProblem::Kind kind, const QString &detail);
    // A request's object path, known before the call so that its answer
    // cannot come before the program listens for it.
    QString requestPath(const QString &token) const;
    void listen(const QString &path, const char *slot);
    void stopListening(const QString &path, const char *slot);
    // True, and the request done, when response answers the pending request.
    bool takeAnswer(const QDBusMessage &response, const char *slot);

    QList<GlobalKey> m_keys;
    QString m_pendingRequest;
    QString m_session;
    int m_tokens = 0;
    bool m_available = true;
};

} // namespace veltrix
