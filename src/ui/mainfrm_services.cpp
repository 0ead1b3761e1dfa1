// The shared services every list operation runs through.
#include "mainfrm.h"

#include "core/lines.h"
#include "core/reportline.h"
#include "core/statistics.h"

#include <QAction>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QStatusBar>

namespace veltrix {

namespace {

// The bar's widget is brought up to the logical position only every so many
// steps, so that 100,000 steps do not cost 100,000 repaints.
constexpr int kProgressSyncSteps = 250;

} // namespace

void TfrmMain::ShowAction(const QString &code)
{
    QString text;
    if (code.isEmpty()) {
        StepProgress(0);
        // List tidy step: one leading empty line goes, the caret goes home.
        if (m_memo.lineCount() > 0 && m_memo.firstLine().isEmpty())
            m_memo.deleteFirstLine();
        m_memo.caretToStart();
        Memo1->setFocus();
        text = QStringLiteral("ready.");
    } else if (code == u"SG") {
        text = QStringLiteral("Aktion: berechne Schutzgeld...");
    } else if (code == u"Filter") {
        text = QStringLiteral("Aktion: Filtern/Sortieren...");
    } else if (code == u"CL") {
        text = QStringLiteral("Aktion: Bericht überprüfen...");
    } else if (code == u"Safepoint") {
        text = QStringLiteral("Aktion: Erstelle Speicherpunkt...");
    }
    panels[0]->setText(text);
    flushProgress();
    StatusBar1->repaint();
}

void TfrmMain::StepProgress(int mode)
{
    if (mode == 1) {
        m_progress = m_progress < ProgressBar1->maximum() ? m_progress + 1 : 0;
        if (m_progress % kProgressSyncSteps == 0)
            flushProgress();
        return;
    }
    // Complete mode: the bar fills up, then starts again from 0.
    ProgressBar1->setValue(ProgressBar1->maximum());
    m_progress = 0;
    flushProgress();
}

void TfrmMain::flushProgress()
{
    if (ProgressBar1->value() != m_progress)
        ProgressBar1->setValue(m_progress);
}

void TfrmMain::CleanList()
{
    ShowAction(QStringLiteral("CL"));
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
        const QStringView line = QStringView(text).mid(start, end - start);
        if (line.isEmpty() || !isValidReportLine(line))
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
    ShowAction(QString());
}

void TfrmMain::UpdateCaption()
{
    QString caption = kProgramTitle + QStringLiteral(" - ") + kVersionText;
    if (!m_fileName.isEmpty())
        caption += QStringLiteral(" - ") + m_fileName;
    if (m_modified)
        caption += QStringLiteral(" *");
    setWindowTitle(caption);
}

void TfrmMain::CreateSafepoint()
{
    ShowAction(QStringLiteral("Safepoint"));
    m_undoCopy = m_memo.lines();
    Rckgngig1->setEnabled(true);
    ShowAction(QString());
}

void TfrmMain::UpdateProtectionMoney()
{
    ShowAction(QStringLiteral("SG"));
    const QStringList lines = m_memo.lines();
    for (qsizetype i = 0; i < lines.size(); ++i)
        StepProgress(1);
    const ProtectionMoney money = protectionMoney(lines);
    Schutzgeld->setText(formatEuro(money.sum));
    panels[2]->setText(QStringLiteral("Schutzgeld: ") + Schutzgeld->text());
    AnzGebs->setPlainText(buildingCountRows(money.counts).join(QLatin1Char('\n')));
    QTextCursor cursor = AnzGebs->textCursor();
    cursor.setPosition(0);
    AnzGebs->setTextCursor(cursor);
    ShowAction(QString());
}

void TfrmMain::Memo1Change()
{
    const qsizetype n = m_memo.lineCount();
    Label4->setText(QString::number(n));
    panels[1]->setText(QStringLiteral("Gebs remaining: ") + Label4->text());
    Ansehen->setText(QString::number(5 * static_cast<qint64>(n)));
    panels[3]->setText(QStringLiteral("Ansehen ~") + Ansehen->text());
    m_modified = true;
    UpdateCaption();
}

void TfrmMain::runListOperation(const std::function<QStringList(QStringList)> &work, Finish finish)
{
    CreateSafepoint();
    // CleanList's steps on the lines just read for the undo copy. The cleaned
    // list is written with the result, or alone when the work fails, so that a
    // long list is split once and written once.
    ShowAction(QStringLiteral("CL"));
    QStringList cleaned = m_undoCopy;
    cleaned.removeIf([](const QString &line) { return line.isEmpty() || !isValidReportLine(line); });
    ShowAction(QString());
    ShowAction(QStringLiteral("Filter"));
    QStringList result;
    try {
        result = work(cleaned);
    } catch (...) {
        m_memo.setLines(cleaned);
        throw;
    }
    cleaned.clear();
    m_memo.setLines(result);
    if (finish == Finish::ProtectionMoney)
        UpdateProtectionMoney();
    else
        ShowAction(QString());
}

} // namespace veltrix
