#include "reportline.h"

#include "catalogue.h"
#include "intconv.h"

#include <algorithm>

namespace veltrix {

namespace {

const QLatin1Char kColon(':');
const QLatin1Char kBlank(' ');

// "Delete up to and including the first colon and one character more":
// without a colon only the first character goes.
QStringView afterColonAndSeparator(QStringView text)
{
    const qsizetype c = text.indexOf(kColon);
    const qsizetype from = c + 2;
    return from >= text.size() ? QStringView() : text.mid(from);
}

// Start of the house-number word: leading words are stripped while the first
// colon lies after the first blank. A line without any blank left stops the
// stripping there instead of looping forever.
qsizetype houseNumberStart(QStringView line, qsizetype colon)
{
    qsizetype start = 0;
    for (;;) {
        const qsizetype blank = line.indexOf(kBlank, start);
        if (blank < 0 || blank >= colon)
            return start;
        start = blank + 1;
    }
}

} // namespace

QStringView getAddress(QStringView line)
{
    const qsizetype c = line.indexOf(kColon);
    return c <= 0 ? QStringView() : line.left(c);
}

qint32 getHouseNumber(QStringView line)
{
    const qsizetype c = line.indexOf(kColon);
    if (c < 0)
        return strToInt(QStringView()); // nothing stands before a missing colon
    const qsizetype start = houseNumberStart(line, c);
    return strToInt(line.mid(start, c - start));
}

int buildingTypeIndexOfLine(QStringView line)
{
    const QStringView rest = afterColonAndSeparator(line);
    const qsizetype b = rest.indexOf(kBlank);
    const QStringView candidate = b >= 1 ? rest.left(b) : rest;
    const qsizetype comma = candidate.indexOf(QLatin1Char(','));
    if (comma < 0)
        return buildingTypeIndex(candidate);
    QString withoutComma = candidate.toString();
    withoutComma.remove(comma, 1);
    return buildingTypeIndex(withoutComma);
}

QStringView getBuildingType(QStringView line)
{
    const int index = buildingTypeIndexOfLine(line);
    return index < 0 ? QStringView() : buildingTypes()[index].nameView();
}

SGPieces splitSG(QStringView line)
{
    const qsizetype c1 = line.indexOf(kColon);
    const QStringView rest = line.mid(c1 + 1);
    const qsizetype c2 = rest.indexOf(kColon);
    const qsizetype numberStart = std::min(c1 + 1 + c2 + 2, line.size());
    const QStringView afterHead = line.mid(numberStart);
    const qsizetype paren = afterHead.indexOf(QLatin1Char(')'));
    const qsizetype numberLength = paren >= 2 ? paren - 1 : 0;
    return {line.left(numberStart), afterHead.left(numberLength), afterHead.mid(numberLength)};
}

qint32 getSG(QStringView line)
{
    const auto value = tryStrToInt(splitSG(line).number);
    return value ? *value : -1;
}

qint32 countTraps(QStringView line)
{
    if (line.contains(u"Keine Ausbauten vorhanden"))
        return 0;
    const QStringView rest = line.mid(line.indexOf(QLatin1Char('[')) + 1);
    const qsizetype end = rest.indexOf(QLatin1Char(']'));
    if (end < 0)
        return 1;
    return static_cast<qint32>(rest.left(end).count(QLatin1Char(',')) + 1);
}

void cleanLines(QStringList &lines)
{
    lines.removeIf([](const QString &line) { return !isKeptLine(line); });
}

std::optional<TextSpan> houseNumberSpan(QStringView line)
{
    const qsizetype c = line.indexOf(kColon);
    if (c < 0)
        return std::nullopt;
    const qsizetype start = houseNumberStart(line, c);
    return TextSpan{start, c - start};
}

} // namespace veltrix
