#pragma once

#include "core/statistics.h"
#include "memolines.h"
#include "platform/platform.h"

#include <QObject>
#include <QPlainTextEdit>
#include <QPointer>
#include <QStringList>
#include <functional>

class QAbstractButton;
class QAction;
class QTextDocument;

namespace veltrix {

// What the status bar's first panel names while an operation runs.
enum class ListAction { Ready, ProtectionMoney, Filter, Check, Safepoint };

// The report list: one text document for the whole run, read and written
// through the line adapter, the undo copy, the modified flag and the frame
// every list operation runs in. Memo1 shows the document, or another text
// area borrows it (the status window); every writer reaches the list through
// this object wherever it is shown. The windows and pages learn of its
// changes through its signals.
class ReportList : public QObject {
    Q_OBJECT

public:
    ReportList(QPlainTextEdit *memo1, const Platform &platform, QObject *parent = nullptr);
    ~ReportList() override;

    MemoLines &memo() { return m_memo; }
    const MemoLines &memo() const { return m_memo; }
    // The text area that shows the list now.
    QPlainTextEdit *edit() const { return m_memo.edit(); }
    const Platform &platform() const { return m_platform; }

    // The view shows the list's document and Memo1 an empty one until
    // takeBack. Nothing is copied; unless the list is empty, both text areas
    // and the list raise their change, as when a text moves between them.
    void lendTo(QPlainTextEdit *view);
    void takeBack();
    bool isLent() const { return m_memo.edit() != m_home; }

    bool isModified() const { return m_modified; }
    void setModified(bool modified);

    const QStringList &undoCopy() const { return m_undoCopy; }
    // Hands the undo copy over for writing back; "Rückgängig" is then off.
    QStringList takeUndo();

    // The progress bar's logical position, 0..1000; the bar follows it.
    int progressPosition() const { return m_progress; }
    static constexpr int kProgressMaximum = 1000;

    void ShowAction(ListAction action);
    // One step (mode 1) or the complete bar that starts again (mode 0).
    void StepProgress(int mode);
    // Brings the bar up to the logical position (after a command).
    void flushProgress();
    void CleanList();
    void CreateSafepoint();
    void UpdateProtectionMoney();
    // Cleans the list, then lets the Info page show its first building.
    void ShowBuildingInfo();

    // The frame of a list operation: save point, cleaning, action text, the
    // work on a copy of the lines, one write-back, then either "ready." or
    // the protection-money statistics.
    enum class Finish { Ready, ProtectionMoney };
    void runListOperation(const std::function<QStringList(QStringList)> &work, Finish finish);

    // Writes a whole list (its lines each followed by a break) the way
    // emptying the list and appending the lines one by one would, in one write:
    // the change handler runs unless the list was and stays empty.
    void writeListAsAppends(const QString &text);

    // Merges the valid report lines of a text into the list in the frame and
    // shows the counts; a text without one changes nothing and, unless
    // silenced, says so. True when it merged.
    enum class NoReport { Tell, Silent };
    bool mergeReport(const QString &reportText, NoReport noReport = NoReport::Tell);

    // Runs a command inside the top-level guard.
    void command(const std::function<void()> &fn);
    // True while a command runs, a question it asks included.
    bool commandRunning() const { return m_commandDepth > 0; }
    void connectCommand(QAction *action, std::function<void()> fn);
    void connectCommand(QAbstractButton *button, std::function<void()> fn);

signals:
    // After every change of the text, typed or written.
    void countChanged(qsizetype lines);
    void modifiedChanged(bool modified);
    void actionShown(const QString &text);
    void progressChanged(int position);
    void undoAvailableChanged(bool available);
    void protectionMoneyChanged(const veltrix::ProtectionMoney &money);
    void buildingInfoRequested(const QString &firstLine);
    // After the outermost running command has ended.
    void commandsDone();

private:
    void textChanged();
    void UpdateProtectionMoney(const QStringList &lines);
    // Shows doc in view and listens to the list's changes there, quietly;
    // the old document of view is kept, never deleted.
    void show(QPlainTextEdit *view, QTextDocument *doc);
    void announceMove(QPlainTextEdit *from, QPlainTextEdit *to);

    Platform m_platform;
    QPointer<QPlainTextEdit> m_home;
    QTextDocument *m_document;
    // Shown by Memo1 while the list is lent.
    QTextDocument *m_blank;
    QPointer<QPlainTextEdit> m_borrower;
    QPointer<QTextDocument> m_borrowersOwn;
    QMetaObject::Connection m_viewChanges;
    QMetaObject::Connection m_borrowerGone;
    MemoLines m_memo;
    bool m_modified = false;
    QStringList m_undoCopy;
    int m_progress = 0;
    int m_shownProgress = 0;
    int m_commandDepth = 0;
};

// The text the status bar shows for an action.
QString actionText(ListAction action);

} // namespace veltrix

Q_DECLARE_METATYPE(veltrix::ListAction)
