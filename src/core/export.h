#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <optional>
#include <vector>

namespace veltrix {

enum class ExportFormat { Csv, Html, BBCode };

// One valid report line taken apart for a table.
struct ExportRow {
    QString address;
    QString houseNumber;
    QString building;
    std::optional<qint32> sg;
    qint32 traps = 0;
    QString trapNames;                 // ", "-separated, empty for none
    qint32 protectionMoney = 0;        // whole euros
    std::optional<qint64> distance;    // only with a hideout and a readable house number
    QString riots;
    QString robberies;
};

// The column headers, in table order.
const QStringList &exportHeaders();

// The valid lines (not empty, known building type) in list order.
std::vector<ExportRow> exportRows(const QStringList &lines, std::optional<qint64> hideout);

// The cells of one row as the given format shows them (Schutzgeld as a plain
// number for CSV, "1.300 €" otherwise).
QStringList exportCells(const ExportRow &row, ExportFormat format);

// One CSV cell: quoted when it holds a separator (";", ",", a tab), a quote
// or a line break; with a leading apostrophe when it is not a plain integer
// and starts as a formula would ("=", "+", "-", "@", a tab or a carriage
// return), so that no spreadsheet runs it.
QString csvCell(const QString &text);

// ";"-separated, CR LF after every row, UTF-8 with a byte-order mark so that
// spreadsheet programs keep umlauts and "€".
QByteArray exportCsv(const QStringList &lines, std::optional<qint64> hideout);

// A complete UTF-8 HTML document holding one table.
QByteArray exportHtml(const QStringList &lines, std::optional<qint64> hideout);

// A forum table, one row a line. "[" and "]" inside texts become the
// fullwidth brackets U+FF3B/U+FF3D: they read the same but never open a tag.
QString exportBBCode(const QStringList &lines, std::optional<qint64> hideout);

// The file bytes of a format (BBCode as UTF-8 without a byte-order mark).
QByteArray exportDocument(ExportFormat format, const QStringList &lines, std::optional<qint64> hideout);

} // namespace veltrix
