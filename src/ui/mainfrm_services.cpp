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
    // Lines are checked as views of the text; a new text is built only when
    // a line goes or the final line break is missing.
    const QString text = Memo1->toPlainText();
    QString kept;
    bool changed = !text.isEmpty() && !text.endsWith(QLatin1Char('\n'));
    qsizetype start = 0;
    while (start < text.size()) {
        qsizetype end = text.indexOf(QLatin1Char('\n'), start);
        if (end < 0)
            end = text.size();
        const QStringView line = QStringView(text).mid(start, end - start);
        const bool valid = !line.isEmpty() && isValidReportLine(line);
        if (!valid && !changed) {
            changed = true;
            kept.reserve(text.size());
            kept += QStringView(text).left(start);
        }
        if (changed && valid) {
            kept += line;
            kept += QLatin1Char('\n');
        }
        start = end + 1;
    }
    if (changed)
        m_memo.setText(kept);
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
    CleanList();
    ShowAction(QStringLiteral("Filter"));
    const QStringList result = work(m_memo.lines());
    m_memo.setLines(result);
    if (finish == Finish::ProtectionMoney)
        UpdateProtectionMoney();
    else
        ShowAction(QString());
}

} // namespace veltrix
