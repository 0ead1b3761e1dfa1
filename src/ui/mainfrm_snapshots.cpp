// "Rückgängig" and the ten save slots on the "Stats/Safestates" page.
#include "mainfrm.h"

#include "core/lines.h"

#include <QAction>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace veltrix {

namespace {

// A slot is empty exactly while its save button shows this caption.
const QString kEmptySlot = QStringLiteral("- - -");

} // namespace

void TfrmMain::setupSnapshots()
{
    SafeStates = new QGroupBox(QStringLiteral("SafeStates"), TabStats);
    SafeStates->setObjectName(QStringLiteral("SafeStates"));
    auto *grid = new QGridLayout(SafeStates);
    grid->setContentsMargins(4, 4, 3, 6);
    grid->setHorizontalSpacing(2);
    grid->setVerticalSpacing(2);
    // Twenty buttons with a date, a time and "wiederherstellen" must share a
    // page about 250 pixels wide: a smaller font and slim button margins.
    QFont small = SafeStates->font();
    small.setPointSizeF(small.pointSizeF() * 0.8);
    SafeStates->setStyleSheet(QStringLiteral("QPushButton { padding: 2px 0px; }"));

    for (int i = 0; i < 10; ++i) {
        const int k = i + 1;
        auto *label = new QLabel(QStringLiteral("Slot %1").arg(k), SafeStates);
        save[i] = new QPushButton(kEmptySlot, SafeStates);
        save[i]->setObjectName(QStringLiteral("save%1").arg(k));
        restore[i] = new QPushButton(QStringLiteral("wiederherstellen"), SafeStates);
        restore[i]->setObjectName(QStringLiteral("restore%1").arg(k));
        restore[i]->setEnabled(false);
        for (QPushButton *b : {save[i], restore[i]})
            b->setAutoDefault(false);
        save[i]->setMinimumWidth(0);
        save[i]->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
        restore[i]->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
        for (QWidget *w : std::initializer_list<QWidget *>{label, save[i], restore[i]})
            w->setFont(small);
        grid->addWidget(label, i, 0);
        grid->addWidget(save[i], i, 1);
        grid->addWidget(restore[i], i, 2);
        connectCommand(save[i], [this, k] { saveClick(k); });
        connectCommand(restore[i], [this, k] { restoreClick(k); });
    }
    grid->setColumnStretch(1, 1);
    static_cast<QVBoxLayout *>(TabStats->layout())->addWidget(SafeStates);

    connectCommand(Rckgngig1, [this] { Rckgngig1Click(); });
}

void TfrmMain::writeListAsAppends(const QStringList &lines)
{
    // Emptying and appending line by line ends with exactly this text and runs
    // the change handler at least once unless the list was and stays empty.
    // One write gives the same end state without per-line layout work.
    const QString text = joinLinesLf(lines);
    if (Memo1->toPlainText() == text) {
        if (!text.isEmpty())
            Memo1Change();
        return;
    }
    m_memo.setText(text);
}

void TfrmMain::Rckgngig1Click()
{
    const QStringList lines = m_undoCopy;
    writeListAsAppends(lines);
    for (qsizetype i = 0; i < lines.size(); ++i)
        StepProgress(1);
    setModified(true);
    UpdateCaption();
    UpdateProtectionMoney();
    Rckgngig1->setEnabled(false);
    ShowBuildingInfo();
}

void TfrmMain::saveClick(int k)
{
    const int i = k - 1;
    if (save[i]->text() == kEmptySlot) {
        MemoLines(MemoZ[i]).setLines(m_memo.lines());
        restore[i]->setEnabled(true);
        // One reading of the clock, so date and time cannot straddle midnight.
        const QDateTime now = m_platform.clock->now();
        save[i]->setText(m_platform.clock->shortDate(now) + QLatin1Char(' ') + m_platform.clock->longTime(now));
        return;
    }
    const MsgResult answer = m_platform.messageBoxes->show(
        {QStringLiteral("Hinweis"), QStringLiteral("Safestate löschen?"), MsgButtons::YesNo, MsgIcon::None});
    if (answer == MsgResult::Yes) {
        save[i]->setText(kEmptySlot);
        restore[i]->setEnabled(false);
    }
}

void TfrmMain::restoreClick(int k)
{
    writeListAsAppends(MemoLines(MemoZ[k - 1]).lines());
    setModified(true);
    UpdateCaption();
    UpdateProtectionMoney();
}

} // namespace veltrix
