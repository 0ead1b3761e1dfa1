#include "merge.h"

#include "lines.h"
#include "reportline.h"

namespace veltrix {

QStringView buildingKey(QStringView line)
{
    QStringView key = getAddress(line);
    auto isPadding = [](QChar ch) { return ch == QLatin1Char(' ') || ch == QLatin1Char('\t'); };
    while (!key.isEmpty() && isPadding(key.front()))
        key = key.mid(1);
    while (!key.isEmpty() && isPadding(key.back()))
        key.chop(1);
    return key;
}

FreshReport::FreshReport(const QString &text) : m_text(text)
{
    forEachLine(m_text, [this](QStringView line) {
        // A key already taken decides nothing more, valid or not; a report
        // repeats most of its addresses.
        const QStringView key = buildingKey(line);
        if (m_byKey.contains(key) || line.isEmpty() || !isValidReportLine(line))
            return;
        m_byKey.insert(key, m_lines.size());
        m_lines << line.toString();
    });
}

MergeResult mergeReport(const QStringList &list, const FreshReport &report)
{
    MergeResult result;
    result.hasReport = !report.isEmpty();
    std::vector<bool> used(report.m_lines.size(), false);
    result.lines.reserve(list.size() + report.m_lines.size());
    for (const QString &line : list) {
        // The same key on both sides: a line without an address meets the
        // report's first line without one, so merging twice adds nothing.
        const auto it = report.m_byKey.constFind(buildingKey(line));
        if (it == report.m_byKey.constEnd()) {
            ++result.missing;
            result.lines << line;
            continue;
        }
        const QString &fresh = report.m_lines.at(it.value());
        used[it.value()] = true;
        if (fresh == line)
            ++result.unchanged;
        else
            ++result.changed;
        result.lines << fresh;
    }
    for (qsizetype i = 0; i < report.m_lines.size(); ++i) {
        if (!used[i]) {
            ++result.added;
            result.lines << report.m_lines.at(i);
        }
    }
    return result;
}

MergeResult mergeReport(const QStringList &list, const QStringList &report)
{
    return mergeReport(list, FreshReport(joinLinesLf(report)));
}

QString mergeSummary(const MergeResult &result)
{
    return QStringLiteral("Abgleich: %1 neu, %2 geändert, %3 unverändert, %4 nicht im Bericht")
        .arg(result.added)
        .arg(result.changed)
        .arg(result.unchanged)
        .arg(result.missing);
}

} // namespace veltrix
