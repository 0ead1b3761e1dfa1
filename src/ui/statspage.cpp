#include "statspage.h"

#include "core/error.h"

#include "pagelayout.h"
#include "reportlist.h"

#include "core/lines.h"
#include "core/statistics.h"

#include <QDateTime>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>

namespace veltrix {

namespace {

// The caption of a save button while its slot is empty.
const QString kEmptySlot = QStringLiteral("- - -");

} // namespace

StatsPage::StatsPage(ReportList &list, const Platform &platform, QWidget *parent)
    : QWidget(parent), m_list(list), m_platform(platform), m_store(platform.files, platform.dataFolder)
{
    setObjectName(QStringLiteral("TabStats"));
    QVBoxLayout *page = makePageLayout(this);
    page->addWidget(createStatistics());
    page->addWidget(createSlots());
    connect(&m_list, &ReportList::countChanged, this, &StatsPage::showCount);
    connect(&m_list, &ReportList::protectionMoneyChanged, this, &StatsPage::showMoney);
}

QGroupBox *StatsPage::createStatistics()
{
    QGroupBox *group = makeGroup(this, "GroupStatistiken", QStringLiteral("Statistiken"));
    auto *grid = new QGridLayout(group);
    setScaledMargins(grid, 8, 6, 8, 8);
    keepScaled(group, [grid] { grid->setVerticalSpacing(scaled(3)); });

    const Qt::Alignment right = Qt::AlignRight | Qt::AlignVCenter;
    m_count = makeValueLabel(group, "Label4", right);
    m_reputation = makeValueLabel(group, "Ansehen", right);
    m_money = makeValueLabel(group, "Schutzgeld", right);
    auto caption = [group](const QString &text, QWidget *value) { return makeCaption(group, text, value); };

    grid->addWidget(caption(QStringLiteral("Gebs remaining:"), m_count), 0, 0);
    grid->addWidget(m_count, 0, 1);
    QLabel *reputation = caption(QStringLiteral("möglicher Ansehensgewinn durch Übernahmen:"), m_reputation);
    reputation->setWordWrap(true);
    grid->addWidget(reputation, 1, 0);
    grid->addWidget(m_reputation, 1, 1, Qt::AlignBottom);
    grid->addWidget(caption(QStringLiteral("zu erwartendes Schutzgeld:"), m_money), 2, 0);
    grid->addWidget(m_money, 2, 1);
    grid->setColumnStretch(0, 1);

    QPushButton *refresh = makeButton(group, "Button7", QStringLiteral("Aktualisieren"));
    grid->addWidget(refresh, 3, 0, 1, 2, Qt::AlignRight);
    m_list.connectCommand(refresh, [this] { m_list.UpdateProtectionMoney(); });
    return group;
}

QGroupBox *StatsPage::createSlots()
{
    QGroupBox *group = makeGroup(this, "SafeStates", QStringLiteral("SafeStates"));
    auto *grid = new QGridLayout(group);
    setScaledMargins(grid, 4, 4, 3, 6);
    setScaledSpacing(grid, 2);
    // A date and time beside "wiederherstellen" must fit a page about 250
    // pixels wide: slim button margins and a slightly smaller font.
    // The captions keep a little room from the edges, as other buttons do.
    keepScaled(group, [group] {
        group->setStyleSheet(QStringLiteral("QPushButton { padding: %1px %2px; }").arg(scaled(2)).arg(scaled(3)));
    });

    for (int i = 0; i < kSlots; ++i) {
        const int k = i + 1;
        auto *label = new QLabel(QStringLiteral("Slot %1").arg(k), group);
        m_save[i] = makeButton(group, qPrintable(QStringLiteral("save%1").arg(k)), kEmptySlot);
        label->setBuddy(m_save[i]);
        m_restore[i] = makeButton(group, qPrintable(QStringLiteral("restore%1").arg(k)), QStringLiteral("wiederherstellen"));
        m_restore[i]->setEnabled(false);
        m_save[i]->setMinimumWidth(0);
        m_save[i]->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
        m_restore[i]->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
        for (QWidget *w : std::initializer_list<QWidget *>{label, m_save[i], m_restore[i]}) {
            keepScaled(w, [w, group] {
                QFont small = group->font();
                small.setPointSizeF(small.pointSizeF() * 0.9);
                w->setFont(small);
            });
        }
        grid->addWidget(label, i, 0);
        grid->addWidget(m_save[i], i, 1);
        grid->addWidget(m_restore[i], i, 2);
        m_list.connectCommand(m_save[i], [this, i] { saveClick(i); });
        m_list.connectCommand(m_restore[i], [this, i] { restoreClick(i); });
    }
    grid->setColumnStretch(1, 1);
    return group;
}

void StatsPage::clearStatistics()
{
    m_count->setText(kNoValue);
    m_reputation->setText(kNoValue);
}

void StatsPage::showCount(qsizetype lines)
{
    m_count->setText(QString::number(lines));
    m_reputation->setText(QString::number(5 * static_cast<qint64>(lines)));
}

void StatsPage::showMoney(const ProtectionMoney &money)
{
    m_money->setText(formatEuro(money.sum));
}

void StatsPage::readKeptSlots()
{
    if (m_readingStarted)
        return;
    m_readingStarted = true;
    window()->installEventFilter(this);
}

bool StatsPage::keptSlotsRead() const
{
    return std::all_of(m_read.cbegin(), m_read.cend(), [](bool read) { return read; });
}

bool StatsPage::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Paint && watched == window()) {
        watched->removeEventFilter(this);
        // Queued behind the paint, which is then on the screen.
        QTimer::singleShot(0, this, &StatsPage::readNextSlot);
    }
    return QWidget::eventFilter(watched, event);
}

void StatsPage::readNextSlot()
{
    const auto unread = std::find(m_read.cbegin(), m_read.cend(), false);
    if (unread == m_read.cend())
        return;
    readSlot(int(unread - m_read.cbegin()));
    // One slot a turn of the event loop: the window answers in between.
    if (!keptSlotsRead())
        QTimer::singleShot(0, this, &StatsPage::readNextSlot);
}

void StatsPage::readSlot(int i)
{
    if (m_read[i])
        return;
    m_read[i] = true;
    SlotStore::Kept kept = m_store.load(i);
    m_damaged[i] = kept.damaged;
    if (kept.slot) {
        m_slots[i] = std::move(kept.slot);
        showSlot(i);
    }
}

void StatsPage::saveClick(int i)
{
    // A slot not yet read may hold a list: it is not written over unseen.
    readSlot(i);
    if (!m_slots[i]) {
        // Every line ends with a break, so a restore can write the text whole.
        QString text = joinLinesLf(m_list.memo().lines());
        if (!text.isEmpty() && !text.endsWith(QLatin1Char('\n')))
            text += QLatin1Char('\n');
        // One reading of the clock, so date and time cannot straddle midnight.
        const QDateTime now = m_platform.clock->now();
        m_slots[i] = StoredSlot{text, m_platform.clock->shortDate(now) + QLatin1Char(' ') + m_platform.clock->longTime(now)};
        showSlot(i);
        keepSlot(i);
        return;
    }
    const MsgResult answer = m_platform.messageBoxes->show(
        {QStringLiteral("Hinweis"), QStringLiteral("Safestate löschen?"), MsgButtons::YesNo, MsgIcon::None});
    if (answer == MsgResult::Yes) {
        m_slots[i].reset();
        showSlot(i);
        keepSlot(i);
    }
}

void StatsPage::keepSlot(int i)
{
    // Every failure reaches the command's guard: a slot that only seems kept
    // would be gone at the next start.
    if (!m_slots[i]) {
        m_store.remove(i);
        return;
    }
    if (m_damaged[i]) {
        m_store.setAsideDamaged(i);
        // Out of the way now, whatever the write does: a later save must
        // not set the slot's new file aside, nor touch the one set aside.
        m_damaged[i] = false;
    }
    m_store.save(i, *m_slots[i]);
}

void StatsPage::showSlot(int i)
{
    const std::optional<StoredSlot> &slot = m_slots[i];
    m_save[i]->setText(slot ? slot->caption : kEmptySlot);
    // In full, should the locale's format be wider than the button.
    m_save[i]->setToolTip(slot ? slot->caption : QString());
    m_restore[i]->setEnabled(slot.has_value());
}

void StatsPage::restoreClick(int i)
{
    if (!m_slots[i])
        return;
    m_list.writeListAsAppends(m_slots[i]->text);
    m_list.setModified(true);
    m_list.UpdateProtectionMoney();
}

} // namespace veltrix
