#include "calculators.h"

#include "catalogue.h"
#include "error.h"

#include <cmath>

namespace veltrix {

namespace {

[[noreturn]] void throwInvalidOperation()
{
    throw VeltrixError(QStringLiteral("Ungültige Gleitkommaoperation"));
}

} // namespace

qint64 roundHalfEven(double value)
{
    // 2^63 is exactly representable; everything at or beyond it does not fit.
    constexpr double kLimit = 9223372036854775808.0;
    if (!(value >= -kLimit && value < kLimit))
        throwInvalidOperation();
    const double lower = std::floor(value);
    const double fraction = value - lower;
    double rounded = lower;
    if (fraction > 0.5 || (fraction == 0.5 && std::fmod(lower, 2.0) != 0.0))
        rounded = lower + 1.0;
    if (!(rounded >= -kLimit && rounded < kLimit))
        throwInvalidOperation();
    return static_cast<qint64>(rounded);
}

std::optional<double> tryStrToFloat(QStringView text, const QLocale &locale)
{
    QLocale strict = locale;
    strict.setNumberOptions(strict.numberOptions() | QLocale::RejectGroupSeparator);
    bool ok = false;
    const double value = strict.toDouble(text.trimmed(), &ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

double strToFloat(QStringView text, const QLocale &locale)
{
    if (const auto v = tryStrToFloat(text, locale))
        return *v;
    throw VeltrixError(QStringLiteral("'%1' ist kein gültiger Gleitkommawert").arg(text));
}

bool isValidProtectionAmount(QStringView text, const QLocale &locale)
{
    const auto v = tryStrToFloat(text, locale);
    return v && *v >= 0 && *v <= kMaxProtectionMoney;
}

std::optional<double> sgFromProtectionMoney(QStringView typeName, double amount)
{
    const qint32 money = calculatorProtectionMoney(typeName);
    if (money <= 0)
        return std::nullopt;
    const double sg = amount * 100.0 / money - 5.0;
    return sg >= 0 ? sg : 0.0;
}

QString sgLabelText(std::optional<double> sg)
{
    if (!sg)
        return QStringLiteral("---");
    return QString::number(roundHalfEven(*sg)) + QStringLiteral(" %");
}

QString takeoverText(qint32 traps)
{
    if (traps < 1)
        return QString();
    return QStringLiteral("Übernahme ab ") + QString::number(44 - qint64(traps)) + QStringLiteral(" %");
}

TaxResult computeTax(qint32 amount, qint32 currentRate, qint32 reducedRate)
{
    const double b = amount;
    const double divisor = currentRate / 100.0 + 1.0;
    if (divisor == 0.0) {
        if (b == 0.0)
            throwInvalidOperation();
        throw VeltrixError(QStringLiteral("Gleitkommadivision durch Null"));
    }
    const double net = b / divisor;
    const double reduced = (reducedRate / 100.0 + 1.0) * net;
    const double tax = b - b / divisor;
    const double difference = b - reduced;
    // All four are rounded before any is handed out, so a failure leaves
    // the caller's labels untouched.
    TaxResult r;
    r.net = roundHalfEven(net);
    r.reduced = roundHalfEven(reduced);
    r.tax = roundHalfEven(tax);
    r.difference = roundHalfEven(difference);
    return r;
}

} // namespace veltrix
