#pragma once

#include "platform/platform.h"
#include "slotstore.h"

#include <QString>
#include <QWidget>
#include <array>
#include <optional>

class QGroupBox;
class QLabel;
class QPushButton;

namespace veltrix {

class ReportList;
struct ProtectionMoney;

// The page "Stats/Safestates": the list's statistics and ten slots that
// keep a copy of the list for later.
class StatsPage : public QWidget {
    Q_OBJECT

public:
    StatsPage(ReportList &list, const Platform &platform, QWidget *parent = nullptr);

    // After "&Alles löschen": count and reputation show no value.
    void clearStatistics();
    // Once the window is shown: the slots kept from an earlier run are read
    // one at a time after its first paint, so that ten long lists do not
    // hold up the start. A slot clicked before is read at the click.
    void readKeptSlots();
    bool keptSlotsRead() const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    static constexpr int kSlots = 10;

    QGroupBox *createStatistics();
    QGroupBox *createSlots();
    void showCount(qsizetype lines);
    void showMoney(const ProtectionMoney &money);
    // Slot i is 0..9, the buttons save<i + 1> and restore<i + 1>.
    void saveClick(int i);
    void restoreClick(int i);
    void showSlot(int i);
    // Brings the store in line with slot i.
    void keepSlot(int i);
    // Slot i as its file left it, unless it was read already.
    void readSlot(int i);
    void readNextSlot();

    ReportList &m_list;
    Platform m_platform;
    QLabel *m_count = nullptr;
    QLabel *m_reputation = nullptr;
    QLabel *m_money = nullptr;
    std::array<std::optional<StoredSlot>, kSlots> m_slots;
    std::array<QPushButton *, kSlots> m_save{};
    std::array<QPushButton *, kSlots> m_restore{};
    SlotStore m_store;
    std::array<bool, kSlots> m_read{};
    // The slot's file holds no slot; it is set aside before the first save.
    std::array<bool, kSlots> m_damaged{};
    bool m_readingStarted = false;
};

} // namespace veltrix
