#pragma once

#include <QString>
#include <optional>

namespace veltrix {

// What a save slot holds: the lines, each ended by a break, and when it was
// taken.
struct StoredSlot {
    QString text;
    QString caption;
};

// The save slots kept from run to run: one file per slot in the data
// folder, written atomically, so that a damaged file costs its slot alone.
// With no folder nothing is kept.
class SlotStore {
public:
    explicit SlotStore(QString folder) : m_folder(std::move(folder)) {}

    // Slot i is 0..9. Empty when the slot was not kept or its file cannot be
    // read or makes no sense; nothing is reported.
    std::optional<StoredSlot> load(int i) const;
    // Throw the program's file error when the slot cannot be kept or removed.
    void save(int i, const StoredSlot &slot) const;
    void remove(int i) const;

private:
    QString path(int i) const;

    QString m_folder;
};

} // namespace veltrix
