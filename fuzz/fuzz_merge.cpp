// "Bericht abgleichen" on a pasted report: the list keeps its order, each of
// its lines stays or becomes the report's first line of the same building,
// the report's other buildings follow in report order, the counts add up,
// and merging the same report once more changes nothing.
// Input: the list, a NUL byte, the report (without a NUL the report is the
// list itself).

#include "fuzzcheck.h"

#include "core/lines.h"
#include "core/merge.h"
#include "core/reportline.h"

#include <QHash>

using namespace veltrix;

namespace {

bool isPadding(QChar ch)
{
    return ch == QLatin1Char(' ') || ch == QLatin1Char('\t');
}

// The report's first valid line of each key, in report order.
QStringList firstLinesByKey(const QStringList &report, QHash<QString, QString> &byKey)
{
    QStringList firsts;
    for (const QString &line : report) {
        if (line.isEmpty() || !isValidReportLine(line))
            continue;
        const QString key = buildingKey(line).toString();
        if (byKey.contains(key))
            continue;
        byKey.insert(key, line);
        firsts << line;
    }
    return firsts;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    const qsizetype nul = bytes.indexOf('\0');
    const QString listText = QString::fromUtf8(nul < 0 ? bytes : bytes.left(nul));
    const QString reportText = nul < 0 ? listText : QString::fromUtf8(bytes.mid(nul + 1));
    const QStringList list = splitLines(listText);
    const QStringList reportLines = splitLines(reportText);

    for (const QString &line : list + reportLines) {
        const QStringView key = buildingKey(line);
        FUZZ_CHECK_TEXT(key.isEmpty() || (!isPadding(key.front()) && !isPadding(key.back())), line);
        FUZZ_CHECK_TEXT(getAddress(line).contains(key), line);
    }

    QHash<QString, QString> byKey;
    const QStringList firsts = firstLinesByKey(reportLines, byKey);
    const FreshReport report(reportText);
    FUZZ_CHECK(report.isEmpty() == firsts.isEmpty());

    const MergeResult merged = mergeReport(list, report);
    FUZZ_CHECK(merged.hasReport == !firsts.isEmpty());
    FUZZ_CHECK(merged.changed + merged.unchanged + merged.missing == list.size());
    FUZZ_CHECK(merged.lines.size() == list.size() + merged.added);

    QHash<QString, bool> listKeys;
    qsizetype changed = 0, unchanged = 0, missing = 0;
    for (qsizetype i = 0; i < list.size(); ++i) {
        const QString key = buildingKey(list[i]).toString();
        listKeys.insert(key, true);
        const auto fresh = byKey.constFind(key);
        if (fresh == byKey.constEnd()) {
            ++missing;
            FUZZ_CHECK_TEXT(merged.lines[i] == list[i], list[i]);
        } else {
            ++(*fresh == list[i] ? unchanged : changed);
            FUZZ_CHECK_TEXT(merged.lines[i] == *fresh, list[i]);
        }
    }
    FUZZ_CHECK(changed == merged.changed && unchanged == merged.unchanged && missing == merged.missing);
    qsizetype next = list.size();
    for (const QString &line : firsts) {
        if (listKeys.contains(buildingKey(line).toString()))
            continue;
        FUZZ_CHECK_TEXT(next < merged.lines.size() && merged.lines[next] == line, line);
        ++next;
    }
    FUZZ_CHECK(next == merged.lines.size());

    // The list-of-lines form splits as the text form does.
    const MergeResult fromLines = mergeReport(list, reportLines);
    FUZZ_CHECK(fromLines.lines == merged.lines && fromLines.added == merged.added);

    const MergeResult again = mergeReport(merged.lines, report);
    FUZZ_CHECK(again.lines == merged.lines);
    FUZZ_CHECK(again.added == 0 && again.changed == 0);
    FUZZ_CHECK(!mergeSummary(merged).isEmpty());
    return 0;
}
