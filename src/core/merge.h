#pragma once

#include <QString>
#include <QStringList>

namespace veltrix {

struct MergeResult {
    QStringList lines;
    qsizetype added = 0;     // "neu"
    qsizetype changed = 0;   // "geändert"
    qsizetype unchanged = 0; // "unverändert"
    qsizetype missing = 0;   // "nicht im Bericht"
    // Whether the report held any valid line at all.
    bool hasReport = false;
};

// Merges a fresh report into a worked list. A line's key is its address, the
// text before the first colon. List lines whose key the report holds are
// replaced in place by the report's first line of that key; report keys the
// list lacks are appended in report order; the other list lines stay. Only
// valid report lines of the report take part.
MergeResult mergeReport(const QStringList &list, const QStringList &report);

// "Abgleich: 3 neu, 5 geändert, 12 unverändert, 2 nicht im Bericht"
QString mergeSummary(const MergeResult &result);

} // namespace veltrix
