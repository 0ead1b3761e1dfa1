// Commands for working down the list from the top, and the find box.
#include "mainfrm.h"

#include "core/reportline.h"
#include "findbox.h"

#include <QAction>
#include <QPlainTextEdit>
#include <algorithm>

namespace veltrix {

namespace {

// Selects the house number of the first line, which starts the text, and
// puts the selected text on the clipboard. An empty selection copies nothing.
void selectAndCopyHouseNumber(TfrmMain &window, const QString &firstLine)
{
    const auto span = houseNumberSpan(firstLine);
    if (!span)
        return;
    window.memo().setSelection(span->start, span->length);
    if (span->length > 0)
        window.platform().clipboard->setText(firstLine.mid(span->start, span->length));
}

} // namespace

void TfrmMain::setupLineCommands()
{
    FindDialog1 = new FindBox(this);
    connect(FindDialog1, &FindBox::findNext, this, [this] { command([this] { FindDialog1Find(); }); });

    connectCommand(AktuelleZeilelschen1, [this] { AktuelleZeilelschen1Click(); });
    connectCommand(N1Hausnummerkopieren1, [this] { N1Hausnummerkopieren1Click(); });
    connectCommand(N1Zeilenachunten1, [this] { N1Zeilenachunten1Click(); });
    connectCommand(Verstecknachunten1, [this] { Verstecknachunten1Click(); });
    connectCommand(Listeumkehren1, [this] { Listeumkehren1Click(); });
    connectCommand(Aktualisieren1, [this] { Aktualisieren1Click(); });
    connectCommand(Suchen1, [this] { Suchen1Click(); });
}

void TfrmMain::AktuelleZeilelschen1Click()
{
    CreateSafepoint();
    m_memo.deleteFirstLine();
    UpdateProtectionMoney();
    ShowBuildingInfo();
    const QString first = m_memo.firstLine();
    if (!first.isEmpty() && first.contains(QLatin1Char(':')))
        selectAndCopyHouseNumber(*this, first);
    Memo1->setFocus();
}

void TfrmMain::N1Hausnummerkopieren1Click()
{
    ShowBuildingInfo();
    const QString first = m_memo.firstLine();
    if (first.size() >= 2 && first.contains(QLatin1Char(':')))
        selectAndCopyHouseNumber(*this, first);
    Memo1->setFocus();
}

void TfrmMain::N1Zeilenachunten1Click()
{
    // On an empty list there is no first line to move.
    if (m_memo.lineCount() > 0) {
        m_memo.appendLine(m_memo.firstLine());
        m_memo.deleteFirstLine();
    }
    N1Hausnummerkopieren1Click();
}

void TfrmMain::Verstecknachunten1Click()
{
    QStringList lines = m_memo.lines();
    const auto hit = std::find_if(lines.begin(), lines.end(), [](const QString &line) {
        return line.contains(u"Versteck") || line.contains(u"Hotelzimmer");
    });
    if (hit != lines.end()) {
        const qsizetype index = hit - lines.begin();
        const QString moved = *hit;
        // One line moves: done in place unless the text needs the full write
        // or the list stays the same (equal lines from the hit to the end).
        const bool same = std::all_of(hit, lines.end(), [&moved](const QString &line) { return line == moved; });
        if (!same && m_memo.editLines({index}, {moved}, lines.size()))
            return;
        lines.erase(hit);
        lines.append(moved);
    }
    m_memo.setLines(lines);
}

void TfrmMain::Listeumkehren1Click()
{
    CreateSafepoint();
    // The undo copy has just been read from the list: no second split. The
    // save point's tidy step has since deleted an empty first line.
    QStringList lines = undoCopy();
    if (!lines.isEmpty() && lines.first().isEmpty())
        lines.removeFirst();
    std::reverse(lines.begin(), lines.end());
    m_memo.setLines(lines);
    UpdateCaption();
}

void TfrmMain::Aktualisieren1Click()
{
    N1Hausnummerkopieren1Click();
    UpdateProtectionMoney();
    ShowBuildingInfo();
    N1Hausnummerkopieren1Click();
}

void TfrmMain::Suchen1Click()
{
    FindDialog1->execute();
}

void TfrmMain::FindDialog1Find()
{
    const QString needle = FindDialog1->findText();
    // Positions as the text area counts them: a line break is two characters.
    const QString text = m_memo.crlfText();
    const qsizetype start = m_memo.selStart() + m_memo.selLength();
    const qsizetype found = needle.isEmpty() ? -1 : text.indexOf(needle, start, Qt::CaseSensitive);
    if (found >= 0)
        m_memo.setSelection(found, needle.size());
    else
        platform().feedback->beep();
    Memo1->setFocus();
}

} // namespace veltrix
