// The sliding sidebar and the window's resize rule.
#include "mainfrm.h"

#include <QFrame>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QStatusBar>
#include <QTabWidget>

namespace veltrix {

namespace {

constexpr int kSidebarWidth = 293;
constexpr int kStatusHeight = 20;
// The slide moves a few pixels per repaint; its end positions are exact.
constexpr int kSlideStep = 8;

void slide(QFrame *sidebar, int from, int to, bool repaint)
{
    const int direction = to >= from ? 1 : -1;
    for (int x = from; direction * (to - x) > 0; x += direction * kSlideStep) {
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
    const int s = kSidebarWidth;
    if (!m_sidebarCollapsed) {
        Memo1->resize(frameGeometry().width() - 15, Memo1->height());
        Memo1->repaint();
        slide(sidebar, w - s, w - 5, true);
        slide(sidebar, w - 10, w - 15, true);
        QPalette dark = sidebar->palette();
        dark.setColor(QPalette::Window, palette().color(QPalette::ButtonText));
        sidebar->setPalette(dark);
        slide(sidebar, w - 15, w - 5, true);
        m_sidebarCollapsed = true;
    } else {
        sidebar->setPalette(palette());
        slide(sidebar, w - 5, w - s, false);
        Memo1->resize(frameGeometry().width() - s - 17, Memo1->height());
        m_sidebarCollapsed = false;
    }
}

void TfrmMain::FormResize()
{
    if (!centralWidget())
        return;
    const int cw = centralWidget()->width();
    const int ch = centralWidget()->height();
    const int s = kSidebarWidth;
    const int outerWidth = frameGeometry().width();

    StatusBar1->setGeometry(0, ch - kStatusHeight, cw, kStatusHeight);
    ProgressBar1->move(ProgressBar1->x(), ch - kStatusHeight + 3);

    if (cw > 850) {
        Memo1->resize(m_sidebarCollapsed ? cw - 17 : cw - s - 7, ch - 20);
        sidebar->resize(sidebar->width(), ch - 20);
    } else {
        Memo1->resize(m_sidebarCollapsed ? outerWidth - 17 : 550, 473);
        sidebar->resize(sidebar->width(), 473);
    }
    sidebar->move(m_sidebarCollapsed ? cw - 8 : cw - s, sidebar->y());
    PageControl1->resize(PageControl1->width(), sidebar->height() - 8);
}

} // namespace veltrix
