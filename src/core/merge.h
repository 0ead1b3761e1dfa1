#pragma once

#include <QHash>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <vector>

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

// The key that makes two lines the same building: the address (the text
// before the first colon) without blanks or tabs before or after it, so that
// a report copied with padding still meets the worked list.
QStringView buildingKey(QStringView line);

// A report's valid lines by building key, each key's first line only, split
// as the list splits a text.
// Built once, so that asking whether a text holds a report and merging it
// check each line once; only the lines that take part are copied out.
// Move-only: the keys are views into the text it holds.
class FreshReport {
public:
    explicit FreshReport(const QString &text);
    FreshReport(FreshReport &&) = default;
    FreshReport &operator=(FreshReport &&) = default;
    FreshReport(const FreshReport &) = delete;
    FreshReport &operator=(const FreshReport &) = delete;

    bool isEmpty() const { return m_lines.isEmpty(); }

private:
    friend MergeResult mergeReport(const QStringList &list, const FreshReport &report);

    QString m_text;
    QStringList m_lines;                   // each key's first line, in report order
    QHash<QStringView, qsizetype> m_byKey; // key -> its line in m_lines
};

// Merges a fresh report into a worked list. List lines whose key the report
// holds are replaced in place by the report's first line of that key; report
// keys the list lacks are appended in report order; the other list lines
// stay. Only valid report lines of the report take part.
MergeResult mergeReport(const QStringList &list, const FreshReport &report);
MergeResult mergeReport(const QStringList &list, const QStringList &report);

// "Abgleich: 3 neu, 5 geändert, 12 unverändert, 2 nicht im Bericht"
QString mergeSummary(const MergeResult &result);

} // namespace veltrix
