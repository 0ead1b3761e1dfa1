#include "listcommands.h"

#include "core/lines.h"
#include "core/orders.h"
#include "core/reportline.h"
#include "findbox.h"
#include "reportlist.h"

#include <QPlainTextEdit>
#include <algorithm>

namespace veltrix {

using Finish = ReportList::Finish;

ListCommands::ListCommands(ReportList &list, const Platform &platform, std::function<QString()> hideout,
                           QWidget *findParent)
    : QObject(findParent), m_list(list), m_platform(platform), m_hideout(std::move(hideout)),
      m_findBox(new FindBox(findParent))
{
    connect(m_findBox, &FindBox::findNext, this, [this] { m_list.command([this] { findNext(); }); });
}

void ListCommands::orderBySecurityFeeling()
{
    m_list.runListOperation(
        [this](const QStringList &lines) {
            if (!lines.isEmpty() && getSG(lines.first()) == -1) {
                // The box lets the list repaint: it shows the cleaned list.
                m_list.memo().setLines(lines);
                m_platform.messageBoxes->show({QStringLiteral("Hinweis"),
                                               QStringLiteral("kein Sicherheitsgefühl zum Auswerten vorhanden."),
                                               MsgButtons::Ok, MsgIcon::None});
                return lines;
            }
            return veltrix::orderBySecurityFeeling(lines, [this] { m_list.StepProgress(1); });
        },
        Finish::Ready);
}

void ListCommands::orderByAddress()
{
    m_list.runListOperation(
        [this](const QStringList &lines) { return veltrix::orderByAddress(lines, [this] { m_list.StepProgress(1); }); },
        Finish::Ready);
}

void ListCommands::orderByHouseNumberDescending()
{
    m_list.runListOperation(
        [this](const QStringList &lines) {
            return veltrix::orderByHouseNumberDescending(lines, [this] { m_list.StepProgress(1); });
        },
        Finish::Ready);
}

void ListCommands::orderByHouseNumberAscending()
{
    m_list.runListOperation(
        [this](const QStringList &lines) {
            return veltrix::orderByHouseNumberAscending(lines, [this] { m_list.StepProgress(1); });
        },
        Finish::Ready);
}

void ListCommands::orderByBuildingType()
{
    m_list.runListOperation(
        [this](const QStringList &lines) {
            return veltrix::orderByBuildingType(lines, [this] { m_list.StepProgress(1); });
        },
        Finish::Ready);
}

void ListCommands::orderByDistance()
{
    m_list.runListOperation(
        [this](const QStringList &lines) {
            return veltrix::orderByDistance(lines, m_hideout(), [this] { m_list.StepProgress(1); });
        },
        Finish::Ready);
}

void ListCommands::orderByTrapCount()
{
    m_list.runListOperation(
        [this](const QStringList &lines) { return veltrix::orderByTrapCount(lines, [this] { m_list.StepProgress(1); }); },
        Finish::Ready);
}

void ListCommands::deleteFirstLine()
{
    m_list.CreateSafepoint();
    m_list.memo().deleteFirstLine();
    m_list.UpdateProtectionMoney();
    m_list.ShowBuildingInfo();
    const QString first = m_list.memo().firstLine();
    if (!first.isEmpty() && first.contains(QLatin1Char(':')))
        selectFirstHouseNumber(m_list.memo(), *m_platform.clipboard);
    m_list.edit()->setFocus();
}

void ListCommands::copyFirstHouseNumber()
{
    m_list.ShowBuildingInfo();
    const QString first = m_list.memo().firstLine();
    if (first.size() >= 2 && first.contains(QLatin1Char(':')))
        selectFirstHouseNumber(m_list.memo(), *m_platform.clipboard);
    m_list.edit()->setFocus();
}

void ListCommands::moveFirstLineDown()
{
    MemoLines &memo = m_list.memo();
    // On an empty list there is no first line to move.
    if (memo.lineCount() > 0) {
        memo.appendLine(memo.firstLine());
        memo.deleteFirstLine();
    }
    copyFirstHouseNumber();
}

void ListCommands::moveHideoutDown()
{
    MemoLines &memo = m_list.memo();
    QStringList lines = memo.lines();
    const auto hit = std::find_if(lines.begin(), lines.end(), [](const QString &line) {
        return line.contains(u"Versteck") || line.contains(u"Hotelzimmer");
    });
    if (hit != lines.end()) {
        const qsizetype index = hit - lines.begin();
        const QString moved = *hit;
        // One line moves: done in place unless the text needs the full write
        // or the list stays the same (equal lines from the hit to the end).
        const bool same = std::all_of(hit, lines.end(), [&moved](const QString &line) { return line == moved; });
        if (!same && memo.editLines({index}, {moved}, lines.size()))
            return;
        lines.erase(hit);
        lines.append(moved);
    }
    memo.setLines(lines);
}

void ListCommands::reverseList()
{
    m_list.CreateSafepoint();
    // The undo copy has just been read from the list: no second split. The
    // save point's tidy step has since deleted an empty first line.
    QStringList lines = m_list.undoCopy();
    if (!lines.isEmpty() && lines.first().isEmpty())
        lines.removeFirst();
    std::reverse(lines.begin(), lines.end());
    m_list.memo().setLines(lines);
    // Announced again even when the text stayed, so the caption follows.
    m_list.setModified(m_list.isModified());
}

void ListCommands::refresh()
{
    copyFirstHouseNumber();
    m_list.UpdateProtectionMoney();
    m_list.ShowBuildingInfo();
    copyFirstHouseNumber();
}

void ListCommands::find()
{
    m_findBox->execute();
}

void ListCommands::findNext()
{
    MemoLines &memo = m_list.memo();
    const QString needle = m_findBox->findText();
    // Positions as the text area counts them: a line break is two characters.
    const QString text = memo.crlfText();
    const qsizetype start = memo.selStart() + memo.selLength();
    const qsizetype found = needle.isEmpty() ? -1 : text.indexOf(needle, start, Qt::CaseSensitive);
    if (found >= 0)
        memo.setSelection(found, needle.size());
    else
        m_platform.feedback->beep();
    m_list.edit()->setFocus();
}

void ListCommands::undo()
{
    // The undo ends with a cleaning (ShowBuildingInfo). Writing the cleaned
    // list right away leaves the same text and statistics, since invalid
    // lines add no protection money, and spares a second write of the list.
    QStringList lines = m_list.takeUndo();
    const qsizetype steps = lines.size();
    cleanLines(lines);
    m_list.writeListAsAppends(joinLinesLf(lines));
    for (qsizetype i = 0; i < steps; ++i)
        m_list.StepProgress(1);
    m_list.setModified(true);
    m_list.UpdateProtectionMoney();
    m_list.ShowBuildingInfo();
}

} // namespace veltrix
