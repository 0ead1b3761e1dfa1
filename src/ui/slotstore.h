#pragma once

#include "core/slotfile.h"

#include <QString>
#include <optional>

namespace veltrix {

class Files;

// The save slots kept from run to run: one file per slot in the data
// folder, written atomically, so that a damaged file costs its slot alone.
// With no folder nothing is kept.
class SlotStore {
public:
    // files may be null while there is no folder.
    SlotStore(Files *files, QString folder) : m_files(files), m_folder(std::move(folder)) {}

    // What a slot's file gave. damaged: a file is there but holds no slot
    // (it cannot be read, is too large or makes no sense); nothing is reported.
    struct Kept {
        std::optional<StoredSlot> slot;
        bool damaged = false;
    };

    // Slot i is 0..9.
    Kept load(int i) const;
    // Throw the program's file error when the slot cannot be kept or removed.
    void save(int i, const StoredSlot &slot) const;
    void remove(int i) const;
    // Renames a damaged slot file out of the way, as it may hold a list worth
    // saving: to slot<i + 1>.json.damaged, or .damaged.2, .3, ... when files
    // set aside before are there; none of them is ever replaced.
    void setAsideDamaged(int i) const;

private:
    QString path(int i) const;

    Files *m_files;
    QString m_folder;
};

} // namespace veltrix
