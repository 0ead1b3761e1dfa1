// The sliding sidebar and the window's resize rule.
#include "mainfrm.h"

#include "pagelayout.h"

#include <QFrame>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QStatusBar>
#include <QTabWidget>

namespace veltrix {

namespace {

// The slide moves a few pixels per repaint; its end positions are exact.
constexpr int kSlideStep = 8;

void slide(QFrame *sidebar, int from, int to, bool repaint)
{
    const int direction = to >= from ? 1 : -1;
    for (int x = from; direction * (to - x) > 0; x += direction * scaled(kSlideStep)) {
        sidebar->move(x, sidebar->y());
        if (repaint)
            sidebar->repaint();
    }
    sidebar->move(to, sidebar->y());
    if (repaint)
        sidebar->repaint();
}

} // namespace

void TfrmMain::slideSidebar()
{
    const int w = centralWidget()->width() - 1;
    const int s = scaled(kSidebarWidth);
    if (!m_sidebarCollapsed) {
        m_listEdit->resize(frameGeometry().width() - scaled(15), m_listEdit->height());
        m_listEdit->repaint();
        slide(m_sidebar, w - s, w - scaled(5), true);
        slide(m_sidebar, w - scaled(10), w - scaled(15), true);
        QPalette dark = m_sidebar->palette();
        dark.setColor(QPalette::Window, palette().color(QPalette::ButtonText));
        m_sidebar->setPalette(dark);
        slide(m_sidebar, w - scaled(15), w - scaled(5), true);
        m_sidebarCollapsed = true;
    } else {
        m_sidebar->setPalette(palette());
        slide(m_sidebar, w - scaled(5), w - s, false);
        m_listEdit->resize(frameGeometry().width() - s - scaled(17), m_listEdit->height());
        m_sidebarCollapsed = false;
    }
}

void TfrmMain::FormResize()
{
    if (!centralWidget())
        return;
    const int cw = centralWidget()->width();
    const int ch = centralWidget()->height();
    const int s = scaled(kSidebarWidth);
    const int status = scaled(kStatusHeight);
    const int outerWidth = frameGeometry().width();

    m_statusBar->setGeometry(0, ch - status, cw, status);
    m_progress->move(m_progress->x(), ch - status + scaled(3));

    if (cw > scaled(850)) {
        m_listEdit->resize(m_sidebarCollapsed ? cw - scaled(17) : cw - s - scaled(7), ch - scaled(20));
        m_sidebar->resize(m_sidebar->width(), ch - scaled(20));
    } else {
        m_listEdit->resize(m_sidebarCollapsed ? outerWidth - scaled(17) : scaled(550), scaled(473));
        m_sidebar->resize(m_sidebar->width(), scaled(473));
    }
    m_sidebar->move(m_sidebarCollapsed ? cw - scaled(8) : cw - s, m_sidebar->y());
    m_pages->resize(m_pages->width(), m_sidebar->height() - scaled(8));
}

} // namespace veltrix
