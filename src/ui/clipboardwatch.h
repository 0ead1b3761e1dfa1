#pragma once

#include <QObject>
#include <QString>

class QAction;

namespace veltrix {

class Clipboard;
class ReportList;

// "Zwischenablage überwachen": while its menu item is checked, a report that
// another program puts on the clipboard is merged into the list, each text
// once, wherever the list is shown. A change during a command (a question
// of it still open) waits for the command's end.
class ClipboardWatch : public QObject {
public:
    ClipboardWatch(QAction *item, ReportList &list, Clipboard &clipboard, QObject *parent = nullptr);

private:
    void changed();

    QAction *m_item;
    ReportList &m_list;
    Clipboard &m_clipboard;
    QString m_lastMerged;
    bool m_waiting = false;
};

} // namespace veltrix
