#include "clipboardwatch.h"

#include "platform/platform.h"
#include "reportlist.h"

#include <QAction>

namespace veltrix {

ClipboardWatch::ClipboardWatch(QAction *item, ReportList &list, Clipboard &clipboard, QObject *parent)
    : QObject(parent), m_item(item), m_list(list), m_clipboard(clipboard)
{
    m_clipboard.watch(this, [this] { changed(); });
    connect(&m_list, &ReportList::commandsDone, this, [this] {
        if (m_waiting)
            changed();
    });
}

void ClipboardWatch::changed()
{
    if (!m_item->isChecked())
        return;
    if (m_list.commandRunning()) {
        m_waiting = true;
        return;
    }
    m_waiting = false;
    const QString text = m_clipboard.text();
    if (text == m_lastMerged)
        return;
    m_list.command([this, &text] {
        if (m_list.mergeReport(text, ReportList::NoReport::Silent))
            m_lastMerged = text;
    });
}

} // namespace veltrix
