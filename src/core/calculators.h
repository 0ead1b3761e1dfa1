#pragma once

#include <QLocale>
#include <QString>
#include <QStringView>
#include <optional>

namespace veltrix {

// Nearest integer, halves to the even neighbour. Throws
// "Ungültige Gleitkommaoperation" for values outside the 64-bit range or NaN.
qint64 roundHalfEven(double value);

// The locale's text-to-floating-point conversion: its decimal separator, no
// group separators, leading and trailing blanks allowed; nothing for a text
// that is not a finite number.
std::optional<double> tryStrToFloat(QStringView text, const QLocale &locale);
// Same, but a failure throws "'%s' ist kein gültiger Gleitkommawert".
double strToFloat(QStringView text, const QLocale &locale);

// The largest protection money of the catalogue, the top of the amount field.
inline constexpr double kMaxProtectionMoney = 1300;

// True when the amount field's text may stay: a number from 0 to 1300.
bool isValidProtectionAmount(QStringView text, const QLocale &locale);

// SG a building of the named type shows for the given amount of protection
// money: amount * 100 / money - 5, never below 0. Nothing when the type pays
// no protection money (unknown, residential, hideout, hotel room).
std::optional<double> sgFromProtectionMoney(QStringView typeName, double amount);

// SGLabel's text for a computed SG: "---" for none, else "<n> %".
QString sgLabelText(std::optional<double> sg);

// "Übernahme ab <44 - traps> %", empty for no traps.
QString takeoverText(qint32 traps);

struct TaxResult {
    qint64 net = 0;        // netto
    qint64 tax = 0;        // enthaltene Steuer
    qint64 reduced = 0;    // vergünstigt
    qint64 difference = 0; // Differenz
};

// Splits a gross amount at the current rate and prices the net amount at the
// reduced rate. Rates are whole per cent. Throws "Gleitkommadivision durch
// Null" for a current rate of -100, "Ungültige Gleitkommaoperation" when the
// amount is 0 as well or a result leaves the 64-bit range.
TaxResult computeTax(qint32 amount, qint32 currentRate, qint32 reducedRate);

} // namespace veltrix
