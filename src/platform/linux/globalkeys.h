#pragma once

#include "platform/platform.h"

#include <QPointer>
#include <memory>

namespace veltrix {

class PortalGlobalKeys;
class X11GlobalKeys;

// The desktop's way of handing keys to a program without the focus, chosen
// at first use: key grabs on X11, else the desktop portal (Wayland sessions,
// and wherever Qt runs on neither) while the session bus shows one.
class DesktopGlobalKeys : public GlobalKeys {
public:
    // sessionType: XDG_SESSION_TYPE as the program was started with.
    explicit DesktopGlobalKeys(const QString &sessionType);
    ~DesktopGlobalKeys() override;

    bool supported() override;
    bool usable(const QKeySequence &keys) override;
    void bind(const QList<GlobalKey> &keys) override;
    void watch(QObject *context, std::function<void(const QString &id)> pressed,
               std::function<void(const KeyProblem &problem)> problem) override;

private:
    void choose();
    void firePressed(const QString &id);
    void fireProblem(const KeyProblem &problem);

    QString m_sessionType;
    bool m_chosen = false;
    std::unique_ptr<X11GlobalKeys> m_x11;
    std::unique_ptr<PortalGlobalKeys> m_portal;
    QList<GlobalKey> m_keys;
    QPointer<QObject> m_context;
    std::function<void(const QString &)> m_pressed;
    std::function<void(const KeyProblem &)> m_problem;
};

} // namespace veltrix
