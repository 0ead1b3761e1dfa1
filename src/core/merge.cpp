#include "merge.h"

#include "reportline.h"

#include <QHash>
#include <QStringView>

namespace veltrix {

MergeResult mergeReport(const QStringList &list, const QStringList &report)
{
    MergeResult result;
    // Keys are views into the report's lines, so the table costs no copies.
    // The value is the index of the key's first report line.
    QHash<QStringView, qsizetype> byKey;
    byKey.reserve(report.size());
    std::vector<qsizetype> order; // first line of each key, in report order
    order.reserve(report.size());
    for (qsizetype i = 0; i < report.size(); ++i) {
        const QString &line = report.at(i);
        if (!isKeptLine(line))
            continue;
        const QStringView key = getAddress(line);
        if (!byKey.contains(key)) {
            byKey.insert(key, i);
            order.push_back(i);
        }
    }
    result.hasReport = !order.empty();

    std::vector<bool> used(report.size(), false);
    result.lines.reserve(list.size() + qsizetype(order.size()));
    for (const QString &line : list) {
        const qsizetype colon = line.indexOf(QLatin1Char(':'));
        const auto it = colon < 0 ? byKey.constEnd() : byKey.constFind(QStringView(line).left(colon));
        if (it == byKey.constEnd()) {
            ++result.missing;
            result.lines << line;
            continue;
        }
        const QString &fresh = report.at(it.value());
        used[it.value()] = true;
        if (fresh == line)
            ++result.unchanged;
        else
            ++result.changed;
        result.lines << fresh;
    }
    for (qsizetype i : order) {
        if (!used[i]) {
            ++result.added;
            result.lines << report.at(i);
        }
    }
    return result;
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
