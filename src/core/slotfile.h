#pragma once

#include "textfile.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <optional>

namespace veltrix {

// What a save slot holds: the lines, each ended by a break, and when it was
// taken.
struct StoredSlot {
    QString text;
    QString caption;
    bool operator==(const StoredSlot &) const = default;
};

// A caption is one of the program's own time stamps, which are far shorter.
constexpr qsizetype kMaxSlotCaptionLength = 64;
// The longest text a slot must bring back: that of a list as long as the
// largest report file read, one character a byte, and a break after its
// last line.
constexpr qsizetype kMaxSlotTextLength = kMaxTextFileBytes + 1;
// The largest file such a slot gives: no character takes more than six
// bytes ("\u0001"), the frame around the two strings less than 64. A larger
// file is none of ours and is not read, whatever it holds.
constexpr qint64 kMaxSlotFileBytes = 6 * (qint64(kMaxSlotTextLength) + kMaxSlotCaptionLength) + 64;

// A slot's file: the JSON object {"caption": ..., "text": ...} in UTF-8,
// indented. Nothing when the file would not bring the slot back: its caption
// empty or longer than a time stamp, or its text too long.
std::optional<QByteArray> slotFileBytes(const StoredSlot &slot);

// The slot a file holds. Nothing when the file is damaged: anything but a
// JSON object with exactly those two string members, or a caption or text
// that slotFileBytes would not write; a caption too long is found before
// the rest is read. A text that does not end with a break gets one.
std::optional<StoredSlot> readSlotFile(QByteArrayView bytes);

} // namespace veltrix
