#include "intconv.h"

#include "error.h"

namespace veltrix {

void throwConversionError(QStringView text)
{
    throw VeltrixError(QStringLiteral("'%1' ist kein gültiger Integerwert").arg(text));
}

int hexDigit(char16_t u)
{
    if (u >= '0' && u <= '9')
        return u - '0';
    if (u >= 'a' && u <= 'f')
        return u - 'a' + 10;
    if (u >= 'A' && u <= 'F')
        return u - 'A' + 10;
    return -1;
}

std::optional<qint32> tryStrToInt(QStringView text)
{
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n && text[i] == QLatin1Char(' '))
        ++i;
    bool negative = false;
    if (i < n && (text[i] == QLatin1Char('+') || text[i] == QLatin1Char('-'))) {
        negative = text[i] == QLatin1Char('-');
        ++i;
    }
    int base = 10;
    if (i < n && (text[i] == QLatin1Char('$') || text[i] == QLatin1Char('x') || text[i] == QLatin1Char('X'))) {
        base = 16;
        ++i;
    } else if (i + 1 < n && text[i] == QLatin1Char('0')
               && (text[i + 1] == QLatin1Char('x') || text[i + 1] == QLatin1Char('X'))) {
        base = 16;
        i += 2;
    }
    if (i >= n)
        return std::nullopt;

    qint64 value = 0;
    for (; i < n; ++i) {
        const char16_t u = text[i].unicode();
        const int d = base == 16 ? hexDigit(text[i].unicode()) : (u >= '0' && u <= '9' ? u - '0' : -1);
        if (d < 0)
            return std::nullopt;
        value = value * base + d;
        if (value > 0x80000000LL)
            return std::nullopt;
    }
    if (negative)
        return static_cast<qint32>(-value);
    if (value > 0x7FFFFFFFLL)
        return std::nullopt;
    return static_cast<qint32>(value);
}

qint32 strToInt(QStringView text)
{
    if (const auto v = tryStrToInt(text))
        return *v;
    throwConversionError(text);
}

} // namespace veltrix
