#pragma once

#include <QObject>
#include <QString>
#include <functional>

class QAction;

namespace veltrix {

class Clipboard;
class ReportList;

// "Zwischenablage überwachen": while its menu item is checked, a report that
// another program puts on the clipboard is merged into the list, each text
// once. A change during a command (a question of it still open) waits for
// the command's end; one while another window holds the list is let go, as
// it would be merged into the empty list left here.
class ClipboardWatch : public QObject {
public:
    ClipboardWatch(QAction *item, ReportList &list, Clipboard &clipboard, std::function<bool()> listHere,
                   QObject *parent = nullptr);

private:
    void changed();

    QAction *m_item;
    ReportList &m_list;
    Clipboard &m_clipboard;
    std::function<bool()> m_listHere;
    QString m_lastMerged;
    bool m_waiting = false;
};

} // namespace veltrix
