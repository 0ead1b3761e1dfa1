#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>
#include <optional>

namespace veltrix {

// Windows-1252 code of a character, or -1 when the code page has none.
int windows1252Code(QChar ch);

// The text as Windows-1252 bytes; empty optional when a character has no code.
std::optional<QByteArray> toWindows1252(QStringView text);

// Decodes Windows-1252 bytes. The five bytes the code page leaves undefined
// map to the C1 control characters of the same value, so nothing is lost.
QString fromWindows1252(QByteArrayView bytes);

} // namespace veltrix
