#include "filters.h"

#include "intconv.h"
#include "reportline.h"

namespace veltrix {

namespace {

template <class Keep>
QStringList keepLines(const QStringList &lines, const LineStep &step, Keep keep)
{
    QStringList result;
    result.reserve(lines.size());
    for (const QString &line : lines) {
        if (keep(QStringView(line)))
            result.append(line);
        if (step)
            step();
    }
    return result;
}

} // namespace

QStringList filterByBuildingTypes(const QStringList &lines, const std::vector<bool> &checked, const LineStep &step)
{
    return keepLines(lines, step, [&checked](QStringView line) {
        const int index = buildingTypeIndexOfLine(line);
        return index >= 0 && static_cast<std::size_t>(index) < checked.size() && checked[index];
    });
}

QStringList filterByHouseNumber(const QStringList &lines, qint32 from, qint32 to, const LineStep &step)
{
    return keepLines(lines, step, [from, to](QStringView line) {
        const qint32 n = getHouseNumber(line);
        return n >= from && n <= to;
    });
}

QStringList filterBySecurityFeeling(const QStringList &lines, qint32 limit, SGLimit kind, const LineStep &step)
{
    return keepLines(lines, step, [limit, kind](QStringView line) {
        const qint64 key = sgPlusTraps(line);
        return kind == SGLimit::AtMost ? key <= limit : key >= limit;
    });
}

std::optional<HouseNumberRange> hideoutRange(QStringView hideoutText, QStringView rangeText)
{
    if (!isStrictInt(hideoutText.toString().append(rangeText)))
        return std::nullopt;
    const qint64 hideout = strToInt(hideoutText);
    const qint64 range = strToInt(rangeText);
    return HouseNumberRange{QString::number(hideout - range), QString::number(hideout + range)};
}

} // namespace veltrix
