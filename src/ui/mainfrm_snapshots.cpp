// "Rückgängig" and the ten save slots on the "Stats/Safestates" page.
#include "mainfrm.h"

#include "core/lines.h"
#include "core/reportline.h"

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
    // A date and time beside "wiederherstellen" must fit a page about 250
    // pixels wide: slim button margins and a slightly smaller font.
    QFont small = SafeStates->font();
    small.setPointSizeF(small.pointSizeF() * 0.9);
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
        save[i]->setToolTip(save[i]->text()); // in full, should the locale's format be wider than the button
        return;
    }
    const MsgResult answer = m_platform.messageBoxes->show(
        {QStringLiteral("Hinweis"), QStringLiteral("Safestate löschen?"), MsgButtons::YesNo, MsgIcon::None});
    if (answer == MsgResult::Yes) {
        save[i]->setText(kEmptySlot);
        save[i]->setToolTip(QString());
        restore[i]->setEnabled(false);
    }
}

void TfrmMain::restoreClick(int k)
{
    // The slot was written line by line, so its text already ends every line
    // with a break; taking it whole spares splitting and joining the list.
    QString text = MemoLines(MemoZ[k - 1]).text();
    if (!text.isEmpty() && !text.endsWith(QLatin1Char('\n')))
        text += QLatin1Char('\n');
    m_list->writeListAsAppends(text);
    setModified(true);
    UpdateCaption();
    UpdateProtectionMoney();
}

} // namespace veltrix
