// The field extractors of a report line and the strict integer conversion
// behind them, against a second reading written independently here.

#include "fuzzcheck.h"

#include "core/catalogue.h"
#include "core/error.h"
#include "core/intconv.h"
#include "core/reportline.h"

#include <QRegularExpression>

#include <optional>

using namespace veltrix;

namespace {

// Leading blanks, a sign, "$"/"x"/"X"/"0x"/"0X" for hexadecimal, digits and
// nothing else; the value must fit 32 bits signed.
std::optional<qint32> referenceStrToInt(QStringView text)
{
    static const QRegularExpression form(QStringLiteral("^ *([+-]?)(\\$|x|X|0x|0X)?([0-9A-Fa-f]+)\\z"));
    const QRegularExpressionMatch m = form.match(text.toString());
    if (!m.hasMatch())
        return std::nullopt;
    const bool hex = !m.capturedView(2).isEmpty();
    QStringView digits = m.capturedView(3);
    if (!hex) {
        for (QChar c : digits) {
            if (!c.isDigit() || c.unicode() > '9')
                return std::nullopt;
        }
    }
    while (digits.size() > 1 && digits.front() == u'0')
        digits = digits.mid(1);
    if (digits.size() > 10)
        return std::nullopt;
    bool ok = false;
    const qint64 magnitude = digits.toString().toLongLong(&ok, hex ? 16 : 10);
    if (!ok)
        return std::nullopt;
    const qint64 value = m.capturedView(1) == u"-" ? -magnitude : magnitude;
    if (value < -2147483648LL || value > 2147483647LL)
        return std::nullopt;
    return static_cast<qint32>(value);
}

void checkConversion(QStringView text)
{
    const std::optional<qint32> got = tryStrToInt(text);
    FUZZ_CHECK_TEXT(got == referenceStrToInt(text), text);
    try {
        const qint32 value = strToInt(text);
        FUZZ_CHECK_TEXT(got && *got == value, text);
    } catch (const VeltrixError &e) {
        FUZZ_CHECK_TEXT(!got, text);
        FUZZ_CHECK_TEXT(e.message() == QStringLiteral("'%1' ist kein gültiger Integerwert").arg(text), e.message());
    }
}

void checkLine(QStringView line)
{
    const qsizetype colon = line.indexOf(u':');

    const QStringView address = getAddress(line);
    FUZZ_CHECK(line.startsWith(address) && !address.contains(u':'));
    FUZZ_CHECK(address.isEmpty() || line.at(address.size()) == u':');

    const std::optional<TextSpan> span = houseNumberSpan(line);
    FUZZ_CHECK((colon >= 0) == span.has_value());
    QStringView number;
    if (span) {
        FUZZ_CHECK(span->start >= 0 && span->length >= 0 && span->start + span->length == colon);
        number = line.mid(span->start, span->length);
        FUZZ_CHECK(!number.contains(u' '));
        FUZZ_CHECK(span->start == 0 || line.at(span->start - 1) == u' ');
        checkConversion(number);
    }
    try {
        const qint32 houseNumber = getHouseNumber(line);
        FUZZ_CHECK(span && tryStrToInt(number) == houseNumber);
    } catch (const VeltrixError &) {
        FUZZ_CHECK(!span || !tryStrToInt(number));
    }

    const int index = buildingTypeIndexOfLine(line);
    const QStringView type = getBuildingType(line);
    FUZZ_CHECK(index >= -1 && index < static_cast<int>(buildingTypes().size()));
    FUZZ_CHECK(index < 0 ? type.isEmpty() : type == buildingTypes()[index].nameView());
    FUZZ_CHECK(isValidReportLine(line) == (index >= 0));

    const SGPieces pieces = splitSG(line);
    FUZZ_CHECK(pieces.head.size() + pieces.number.size() + pieces.tail.size() == line.size());
    FUZZ_CHECK(line.startsWith(pieces.head) && line.endsWith(pieces.tail));
    FUZZ_CHECK(line.mid(pieces.head.size(), pieces.number.size()) == pieces.number);
    checkConversion(pieces.number);
    const qint32 sg = getSG(line);
    const std::optional<qint32> sgValue = tryStrToInt(pieces.number);
    FUZZ_CHECK(sg == (sgValue ? *sgValue : -1));

    const qint32 traps = countTraps(line);
    FUZZ_CHECK(traps >= 0 && traps <= line.count(u',') + 1);
    FUZZ_CHECK(!line.contains(u"Keine Ausbauten vorhanden") || traps == 0);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QString text = fuzz::utf8Text(data, size);
    checkConversion(text);
    checkLine(text);
    // The first lines of a pasted block on their own, as the list sees them
    // (each failed conversion throws, which is slow under the sanitizers).
    const QList<QStringView> lines = QStringView(text).split(u'\n');
    for (qsizetype i = 0; i < lines.size() && i < 16; ++i)
        checkLine(lines[i]);
    return 0;
}
