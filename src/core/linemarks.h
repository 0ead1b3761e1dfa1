#pragma once

#include <QStringView>

namespace veltrix {

// What a line is worth at a glance: the protection-money band of its
// building type, whether it can be taken over at once, and whether the
// cleaning would drop it.
enum class WorthBand { Plain, From500, From900 };

struct LineMarks {
    WorthBand band = WorthBand::Plain;
    bool easy = false;    // SG plus traps 44 or less, no hideout or hotel room
    bool dropped = false; // not a valid report line

    friend bool operator==(const LineMarks &, const LineMarks &) = default;
};

LineMarks lineMarks(QStringView line);

} // namespace veltrix
