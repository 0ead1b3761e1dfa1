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
    } else if (PortalGlobalKeys::available()) {
        m_portal = std::make_unique<PortalGlobalKeys>();
        m_portal->pressed = [this](const QString &id) { firePressed(id); };
    }
}

bool DesktopGlobalKeys::supported()
{
    choose();
    return m_x11 || m_portal;
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
    const QList<qsizetype> taken = m_x11->grab(combinations);
    for (qsizetype position : taken) {
        if (m_context && m_taken)
            m_taken(keys[position].keys);
    }
}

void DesktopGlobalKeys::watch(QObject *context, std::function<void(const QString &)> pressed,
                              std::function<void(const QKeySequence &)> taken)
{
    m_context = context;
    m_pressed = std::move(pressed);
    m_taken = std::move(taken);
}

void DesktopGlobalKeys::firePressed(const QString &id)
{
    if (m_context && m_pressed)
        m_pressed(id);
}

} // namespace veltrix
