#include "reportlist.h"

#include "core/lines.h"
#include "core/reportline.h"
#include "windowutil.h"

#include <QAbstractButton>
#include <QAction>
#include <QPlainTextDocumentLayout>
#include <QPlainTextEdit>
#include <QSignalBlocker>
#include <QTextDocument>

namespace veltrix {

namespace {

// The bar is brought up to the logical position only every so many steps, so
// that 100,000 steps do not cost 100,000 repaints.
constexpr int kProgressSyncSteps = 250;

} // namespace

QString actionText(ListAction action)
{
    switch (action) {
    case ListAction::Ready:
        return QStringLiteral("ready.");
    case ListAction::ProtectionMoney:
        return QStringLiteral("Aktion: berechne Schutzgeld...");
    case ListAction::Filter:
        return QStringLiteral("Aktion: Filtern/Sortieren...");
    case ListAction::Check:
        return QStringLiteral("Aktion: Bericht überprüfen...");
    case ListAction::Safepoint:
        return QStringLiteral("Aktion: Erstelle Speicherpunkt...");
    }
    return QString();
}

ReportList::ReportList(QPlainTextEdit *memo1, const Platform &platform, QObject *parent)
    : QObject(parent), m_platform(platform), m_home(memo1), m_document(memo1->document()),
      m_blank(new QTextDocument(this)), m_memo(memo1)
{
    // Owned here, not by the text area: a text area deletes the document it
    // made when it is given another one.
    m_document->setParent(this);
    m_blank->setDocumentLayout(new QPlainTextDocumentLayout(m_blank));
    m_blank->setDefaultFont(m_document->defaultFont());
    m_viewChanges = connect(memo1, &QPlainTextEdit::textChanged, this, &ReportList::textChanged);
}

ReportList::~ReportList()
{
    // A borrower that outlives the list must not show a deleted document,
    // and its change of text is no news to the half-destroyed window that
    // owns the list.
    disconnect(m_viewChanges);
    disconnect(m_borrowerGone);
    if (m_borrower && m_borrowersOwn)
        show(m_borrower, m_borrowersOwn);
}

void ReportList::show(QPlainTextEdit *view, QTextDocument *doc)
{
    if (!view)
        return;
    const QSignalBlocker quiet(view);
    view->setDocument(doc);
}

void ReportList::lendTo(QPlainTextEdit *view)
{
    if (isLent() || !view || view == m_home)
        return;
    m_borrower = view;
    m_borrowersOwn = view->document();
    m_borrowersOwn->setParent(view);
    m_blank->clear();
    show(m_home, m_blank);
    show(view, m_document);
    disconnect(m_viewChanges);
    m_viewChanges = connect(view, &QPlainTextEdit::textChanged, this, &ReportList::textChanged);
    // A borrower that goes away gives the list back. It is half destroyed
    // by then (a widget says so before its parts go), so it is not touched.
    m_borrowerGone = connect(view, &QObject::destroyed, this, [this] {
        m_borrower.clear();
        m_borrowersOwn.clear();
        takeBack();
    });
    m_memo = MemoLines(view);
    announceMove(m_home, view);
}

void ReportList::takeBack()
{
    if (!isLent())
        return;
    QPlainTextEdit *view = m_borrower; // null once it is going
    disconnect(m_viewChanges);
    disconnect(m_borrowerGone);
    if (m_borrowersOwn)
        show(view, m_borrowersOwn);
    m_borrower.clear();
    m_borrowersOwn.clear();
    show(m_home, m_document);
    m_viewChanges = connect(m_home, &QPlainTextEdit::textChanged, this, &ReportList::textChanged);
    m_memo = MemoLines(m_home);
    announceMove(view, m_home);
}

void ReportList::announceMove(QPlainTextEdit *from, QPlainTextEdit *to)
{
    // An empty list leaves both text areas empty: nothing changed. Otherwise
    // the one left empty and the one that shows the list each raise one
    // change, and the list raises one through the latter.
    if (m_document->isEmpty())
        return;
    if (from)
        emit from->textChanged();
    emit to->textChanged();
}

void ReportList::textChanged()
{
    emit countChanged(m_memo.lineCount());
    m_modified = true;
    emit modifiedChanged(true);
}

void ReportList::setModified(bool modified)
{
    m_modified = modified;
    emit modifiedChanged(modified);
}

QStringList ReportList::takeUndo()
{
    emit undoAvailableChanged(false);
    return m_undoCopy;
}

void ReportList::ShowAction(ListAction action)
{
    if (action == ListAction::Ready) {
        StepProgress(0);
        // List tidy step: one leading empty line goes, the caret goes home.
        if (m_memo.lineCount() > 0 && m_memo.firstLine().isEmpty())
            m_memo.deleteFirstLine();
        m_memo.caretToStart();
        edit()->setFocus();
    }
    flushProgress();
    emit actionShown(actionText(action));
}

void ReportList::StepProgress(int mode)
{
    if (mode == 1) {
        m_progress = m_progress < kProgressMaximum ? m_progress + 1 : 0;
        if (m_progress % kProgressSyncSteps == 0)
            flushProgress();
        return;
    }
    // Complete mode: the bar fills up, then starts again from 0.
    m_shownProgress = kProgressMaximum;
    emit progressChanged(kProgressMaximum);
    m_progress = 0;
    flushProgress();
}

void ReportList::flushProgress()
{
    if (m_shownProgress != m_progress) {
        m_shownProgress = m_progress;
        emit progressChanged(m_progress);
    }
}

void ReportList::CleanList()
{
    ShowAction(ListAction::Check);
    // Lines are checked as views of the text. Invalid lines are dropped in
    // place, which spares rebuilding a long list; a new text is built only
    // when that cannot be done or most lines go, or the final break is missing.
    const QString text = m_memo.text();
    std::vector<qsizetype> invalid;
    qsizetype count = 0;
    for (qsizetype start = 0; start < text.size(); ++count) {
        qsizetype end = text.indexOf(QLatin1Char('\n'), start);
        if (end < 0)
            end = text.size();
        if (!isKeptLine(QStringView(text).mid(start, end - start)))
            invalid.push_back(count);
        start = end + 1;
    }
    const bool finalBreak = text.isEmpty() || text.endsWith(QLatin1Char('\n'));
    const bool inPlace = finalBreak && invalid.size() <= static_cast<std::size_t>(count / 2);
    if ((!invalid.empty() || !finalBreak) && !(inPlace && m_memo.editLines(invalid, {}, count))) {
        QString kept;
        kept.reserve(text.size());
        qsizetype next = 0;
        qsizetype index = 0;
        for (qsizetype start = 0; start < text.size(); ++index) {
            qsizetype end = text.indexOf(QLatin1Char('\n'), start);
            if (end < 0)
                end = text.size();
            if (next < static_cast<qsizetype>(invalid.size()) && invalid[next] == index) {
                ++next;
            } else {
                kept += QStringView(text).mid(start, end - start);
                kept += QLatin1Char('\n');
            }
            start = end + 1;
        }
        m_memo.setText(kept);
    }
    ShowAction(ListAction::Ready);
}

void ReportList::CreateSafepoint()
{
    ShowAction(ListAction::Safepoint);
    m_undoCopy = m_memo.lines();
    emit undoAvailableChanged(true);
    ShowAction(ListAction::Ready);
}

void ReportList::UpdateProtectionMoney()
{
    UpdateProtectionMoney(m_memo.lines());
}

void ReportList::UpdateProtectionMoney(const QStringList &lines)
{
    ShowAction(ListAction::ProtectionMoney);
    for (qsizetype i = 0; i < lines.size(); ++i)
        StepProgress(1);
    emit protectionMoneyChanged(protectionMoney(lines));
    ShowAction(ListAction::Ready);
}

void ReportList::ShowBuildingInfo()
{
    CleanList();
    emit buildingInfoRequested(m_memo.lineCount() > 0 ? m_memo.firstLine() : QString());
}

void ReportList::runListOperation(const std::function<QStringList(QStringList)> &work, Finish finish)
{
    CreateSafepoint();
    // CleanList's steps on the lines just read for the undo copy. The cleaned
    // list is written with the result, or alone when the work fails, so that a
    // long list is split once and written once.
    ShowAction(ListAction::Check);
    QStringList cleaned = m_undoCopy;
    cleanLines(cleaned);
    ShowAction(ListAction::Ready);
    ShowAction(ListAction::Filter);
    QStringList result;
    try {
        result = work(cleaned);
    } catch (...) {
        m_memo.setLines(cleaned);
        throw;
    }
    cleaned.clear();
    m_memo.setLines(result);
    // The lines just written are the list, unless one of them held a line
    // break and was split: reading a long list back costs as much as writing.
    if (finish == Finish::ProtectionMoney)
        UpdateProtectionMoney(m_memo.lineCount() == result.size() ? result : m_memo.lines());
    else
        ShowAction(ListAction::Ready);
}

void ReportList::writeListAsAppends(const QString &text)
{
    bool changed = false;
    const auto watch = connect(edit(), &QPlainTextEdit::textChanged, this, [&changed] { changed = true; });
    m_memo.setText(text);
    disconnect(watch);
    if (!changed && !text.isEmpty())
        textChanged();
}

void ReportList::command(const std::function<void()> &fn)
{
    ++m_commandDepth;
    guarded(m_platform, fn);
    --m_commandDepth;
    flushProgress();
    if (m_commandDepth == 0)
        emit commandsDone();
}

void ReportList::connectCommand(QAction *action, std::function<void()> fn)
{
    connect(action, &QAction::triggered, this, [this, fn = std::move(fn)] { command(fn); });
}

void ReportList::connectCommand(QAbstractButton *button, std::function<void()> fn)
{
    connect(button, &QAbstractButton::clicked, this, [this, fn = std::move(fn)] { command(fn); });
}

} // namespace veltrix
