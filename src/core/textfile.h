#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

namespace veltrix {

// The largest report or settings file read: far beyond any real one.
constexpr qint64 kMaxTextFileBytes = 64 * 1024 * 1024;

// True when the bytes are well-formed UTF-8 and hold at least one
// multi-byte sequence (pure ASCII is not evidence of either code).
bool isUtf8WithMultiByte(QByteArrayView bytes);

// The text of a report or settings file, or of a report fetched from a web
// address: UTF-8 when the bytes are UTF-8 with a multi-byte sequence (one
// leading byte-order mark, the signature, is dropped), otherwise
// Windows-1252. A sequence cut off at the end makes the whole text
// Windows-1252, so no byte is lost. Line ends are left as they are.
QString decodeFileText(QByteArrayView bytes);

// Windows-1252 when every character has a code and those bytes would not
// read back as UTF-8; UTF-8 otherwise, with a signature only in front of a
// text that begins with U+FEFF. decodeFileText(encodeFileText(t))
// gives t back for every text without unpaired surrogates.
QByteArray encodeFileText(QStringView text);

// A save target whose name holds no ".txt" anywhere (case-sensitive) gets
// ".txt" appended.
QString withTxtExtension(const QString &name);

} // namespace veltrix
