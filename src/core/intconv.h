#pragma once

#include <QStringView>
#include <optional>

namespace veltrix {

// The strict text-to-integer conversion every number field and report line
// goes through: leading blanks, optional sign, decimal digits or a hexadecimal
// number after "$", "x", "X", "0x" or "0X"; nothing may follow, and the value
// must fit a signed 32-bit integer.
std::optional<qint32> tryStrToInt(QStringView text);

// Same, but a failure throws the German conversion error naming the text.
qint32 strToInt(QStringView text);

// True when the text converts (used by the exit checks of edit fields).
inline bool isStrictInt(QStringView text) { return tryStrToInt(text).has_value(); }

// The value of a hexadecimal digit in either case, or -1.
int hexDigit(char16_t c);

} // namespace veltrix
