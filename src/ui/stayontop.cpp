#include "stayontop.h"

#include "windowutil.h"

#include <QAction>
#include <QEvent>
#include <QTimer>
#include <QWidget>

namespace veltrix {

StayOnTop::StayOnTop(const Window &main, QObject *parent)
    : QObject(parent), m_main{main.window, main.item, main.toFront}
{
    // The item has toggled its own tick before this runs.
    connect(main.item, &QAction::triggered, this, [this](bool on) { set(m_main, on); });
}

void StayOnTop::setStatus(const Window &status)
{
    m_status = Parts{status.window, status.item, status.toFront};
    connect(status.item, &QAction::triggered, this, &StayOnTop::statusToggled);
}

StayOnTop::Parts::operator bool() const
{
    return window && item && toFront;
}

void StayOnTop::set(const Parts &parts, bool on)
{
    parts.item->setChecked(on);
    setStayOnTop(parts.window, on, parts.toFront);
}

bool StayOnTop::statusHoldsList() const
{
    return m_status && m_status.window->isVisible();
}

void StayOnTop::toStatus()
{
    if (!m_main || !m_status)
        return;
    m_main.window->hide();
    if (m_main.item->isChecked()) {
        set(m_main, false);
        set(m_status, true);
    }
}

void StayOnTop::toMain()
{
    if (!m_main || !m_status)
        return;
    m_status.toFront->stop();
    if (m_status.item->isChecked()) {
        set(m_status, false);
        set(m_main, true);
    }
    m_status.window->hide();
    if (m_mainWanted)
        m_main.window->show();
    m_mainWanted = true;
}

void StayOnTop::statusToggled(bool on)
{
    set(m_status, on);
    // Switched off in the status window, it stays off when the list returns.
    if (!on && m_main)
        m_main.item->setChecked(false);
}

bool StayOnTop::mainOnTop() const
{
    return m_main && m_main.item->isChecked();
}

void StayOnTop::setMainOnTop(bool on)
{
    if (m_main)
        set(m_main, on);
}

void StayOnTop::setMainVisible(bool visible)
{
    if (!m_main)
        return;
    if (statusHoldsList())
        m_mainWanted = visible;
    else
        m_main.window->setVisible(visible);
}

} // namespace veltrix
