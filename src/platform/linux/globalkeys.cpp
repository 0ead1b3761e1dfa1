#include "globalkeys.h"

#include "portalkeys.h"
#include "x11keys.h"

#include <QGuiApplication>

namespace veltrix {

DesktopGlobalKeys::DesktopGlobalKeys(const QString &sessionType) : m_sessionType(sessionType) {}

DesktopGlobalKeys::~DesktopGlobalKeys() = default;

void DesktopGlobalKeys::choose()
{
    if (m_chosen)
        return;
    m_chosen = true;
    const bool x11 = QGuiApplication::platformName() == u"xcb";
    // In a Wayland session X grabs would see only the X windows.
    const bool wayland = m_sessionType.compare(u"wayland", Qt::CaseInsensitive) == 0;
    if (x11 && !wayland) {
        m_x11 = std::make_unique<X11GlobalKeys>();
        m_x11->pressed = [this](qsizetype position) {
            if (position < m_keys.size())
                firePressed(m_keys[position].id);
        };
        m_x11->problem = [this](qsizetype position, KeyProblem::Kind kind) {
            if (position < m_keys.size())
                fireProblem({kind, m_keys[position].keys, {}});
        };
    } else {
        m_portal = std::make_unique<PortalGlobalKeys>();
        m_portal->pressed = [this](const QString &id) { firePressed(id); };
        m_portal->failed = [this](KeyProblem::Kind kind, const QString &detail) { fireProblem({kind, {}, detail}); };
    }
}

bool DesktopGlobalKeys::supported()
{
    choose();
    return m_x11 || (m_portal && m_portal->available());
}

bool DesktopGlobalKeys::usable(const QKeySequence &keys)
{
    if (!supported() || keys.isEmpty())
        return false;
    // Through the portal the desktop decides, and may let the player choose.
    return !m_x11 || m_x11->usable(keys[0]);
}

void DesktopGlobalKeys::bind(const QList<GlobalKey> &keys)
{
    // Releasing needs no backend where none was ever chosen.
    if (keys.isEmpty() && !m_chosen)
        return;
    choose();
    m_keys = keys;
    if (m_portal)
        m_portal->bind(keys);
    if (!m_x11)
        return;
    QList<QKeyCombination> combinations;
    for (const GlobalKey &key : keys)
        combinations << (key.keys.isEmpty() ? QKeyCombination() : key.keys[0]);
    if (keys.isEmpty())
        m_x11->release();
    else
        m_x11->grab(combinations);
}

void DesktopGlobalKeys::watch(QObject *context, std::function<void(const QString &)> pressed,
                              std::function<void(const KeyProblem &)> problem)
{
    m_context = context;
    m_pressed = std::move(pressed);
    m_problem = std::move(problem);
}

void DesktopGlobalKeys::firePressed(const QString &id)
{
    if (m_context && m_pressed)
        m_pressed(id);
}

void DesktopGlobalKeys::fireProblem(const KeyProblem &problem)
{
    if (m_context && m_problem)
        m_problem(problem);
}

} // namespace veltrix
