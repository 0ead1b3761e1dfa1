#include "core/export.h"

#include "core/advisors.h"
#include "core/catalogue.h"
#include "core/intconv.h"
#include "core/reportline.h"
#include "core/statistics.h"

#include <algorithm>

namespace veltrix {

namespace {

constexpr char16_t kFullwidthOpen = u'\uFF3B';
constexpr char16_t kFullwidthClose = u'\uFF3D';

// Columns holding numbers: right-aligned in HTML.
bool isNumberColumn(qsizetype column)
{
    return column == 1 || column == 3 || column == 4 || column == 6 || column == 7 || column == 9;
}

QString trapNamesOf(QStringView line)
{
    // A line without a bracketed list names no traps, whatever it counts.
    const qsizetype open = line.indexOf(QLatin1Char('['));
    if (countTraps(line) == 0 || open < 0)
        return {};
    QStringView rest = line.mid(open + 1);
    const qsizetype close = rest.indexOf(QLatin1Char(']'));
    if (close >= 0)
        rest = rest.left(close);
    QStringList names;
    for (QStringView name : rest.split(QLatin1Char(',')))
        names << name.trimmed().toString();
    return names.join(QStringLiteral(", "));
}

bool isPlainInteger(QStringView text)
{
    if (!text.isEmpty() && (text.front() == QLatin1Char('-') || text.front() == QLatin1Char('+')))
        text = text.mid(1);
    return !text.isEmpty()
           && std::all_of(text.begin(), text.end(), [](QChar ch) { return ch >= u'0' && ch <= u'9'; });
}

} // namespace

QString csvCell(const QString &text)
{
    // Report text comes from other players and web pages: a cell a
    // spreadsheet would take for a formula is kept as text.
    static const QString formulaStarts = QStringLiteral("=+-@\t\r");
    QString cell = text;
    if (!cell.isEmpty() && formulaStarts.contains(cell.front()) && !isPlainInteger(cell))
        cell.prepend(QLatin1Char('\''));
    // Spreadsheets split at commas and tabs as well as at semicolons.
    static const QString splitting = QStringLiteral(";,\"\n\r\t");
    if (std::none_of(cell.cbegin(), cell.cend(), [](QChar ch) { return splitting.contains(ch); }))
        return cell;
    cell.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + cell + QLatin1Char('"');
}

namespace {

QString bbText(QString text)
{
    text.replace(QLatin1Char('['), QChar(kFullwidthOpen));
    text.replace(QLatin1Char(']'), QChar(kFullwidthClose));
    // One row a line.
    text.replace(QLatin1String("\r\n"), QLatin1String(" "));
    text.replace(QLatin1Char('\n'), QLatin1Char(' '));
    text.replace(QLatin1Char('\r'), QLatin1Char(' '));
    return text;
}

} // namespace

const QStringList &exportHeaders()
{
    static const QStringList headers{
        QStringLiteral("Adresse"),    QStringLiteral("Hausnummer"), QStringLiteral("Gebäude"),
        QStringLiteral("SG"),         QStringLiteral("Fallen"),     QStringLiteral("Ausbauten"),
        QStringLiteral("Schutzgeld"), QStringLiteral("Entfernung"), QStringLiteral("Randale"),
        QStringLiteral("Überfälle")};
    return headers;
}

std::vector<ExportRow> exportRows(const QStringList &lines, std::optional<qint64> hideout)
{
    std::vector<ExportRow> rows;
    for (const QString &line : lines) {
        if (line.isEmpty())
            continue;
        const int type = buildingTypeIndexOfLine(line);
        if (type < 0)
            continue;
        ExportRow row;
        row.address = getAddress(line).toString();
        if (const auto span = houseNumberSpan(line)) {
            const QStringView number = QStringView(line).mid(span->start, span->length);
            row.houseNumber = number.toString();
            // A house number the conversion rejects leaves the distance empty
            // rather than failing the whole export.
            if (hideout)
                if (const auto value = tryStrToInt(number))
                    row.distance = qAbs(static_cast<qint64>(*value) - *hideout);
        }
        row.building = buildingTypes()[type].nameView().toString();
        if (const qint32 sg = getSG(line); sg >= 0)
            row.sg = sg;
        row.traps = countTraps(line);
        row.trapNames = trapNamesOf(line);
        row.protectionMoney = buildingTypes()[type].protectionMoney;
        row.riots = requiredRiots(line);
        row.robberies = requiredRobberies(line);
        rows.push_back(std::move(row));
    }
    return rows;
}

QStringList exportCells(const ExportRow &row, ExportFormat format)
{
    return {row.address,
            row.houseNumber,
            row.building,
            row.sg ? QString::number(*row.sg) : QString(),
            QString::number(row.traps),
            row.trapNames,
            format == ExportFormat::Csv ? QString::number(row.protectionMoney)
                                        : formatEuro(row.protectionMoney),
            row.distance ? QString::number(*row.distance) : QString(),
            row.riots,
            row.robberies};
}

QByteArray exportCsv(const QStringList &lines, std::optional<qint64> hideout)
{
    QString text;
    auto addRow = [&text](const QStringList &cells) {
        QStringList fields;
        for (const QString &cell : cells)
            fields << csvCell(cell);
        text += fields.join(QLatin1Char(';')) + QLatin1String("\r\n");
    };
    addRow(exportHeaders());
    for (const ExportRow &row : exportRows(lines, hideout))
        addRow(exportCells(row, ExportFormat::Csv));
    return QByteArray("\xEF\xBB\xBF") + text.toUtf8();
}

QByteArray exportHtml(const QStringList &lines, std::optional<qint64> hideout)
{
    QString html = QStringLiteral(
        "<!DOCTYPE html>\n"
        "<html lang=\"de\">\n"
        "<head>\n"
        "<meta charset=\"utf-8\">\n"
        "<title>Gebäudeliste</title>\n"
        "<style>\n"
        "body { font-family: sans-serif; }\n"
        "table { border-collapse: collapse; }\n"
        "th, td { border: 1px solid #999; padding: 2px 6px; }\n"
        "th { background: #ddd; text-align: left; }\n"
        "td.n { text-align: right; }\n"
        "</style>\n"
        "</head>\n"
        "<body>\n"
        "<table>\n"
        "<thead>\n<tr>");
    for (const QString &header : exportHeaders())
        html += QStringLiteral("<th>") + header.toHtmlEscaped() + QStringLiteral("</th>");
    html += QStringLiteral("</tr>\n</thead>\n<tbody>\n");
    for (const ExportRow &row : exportRows(lines, hideout)) {
        html += QStringLiteral("<tr>");
        const QStringList cells = exportCells(row, ExportFormat::Html);
        for (qsizetype i = 0; i < cells.size(); ++i) {
            html += isNumberColumn(i) ? QStringLiteral("<td class=\"n\" align=\"right\">")
                                      : QStringLiteral("<td>");
            html += cells[i].toHtmlEscaped();
            html += QLatin1String("</td>");
        }
        html += QStringLiteral("</tr>\n");
    }
    html += QStringLiteral("</tbody>\n</table>\n</body>\n</html>\n");
    return html.toUtf8();
}

QString exportBBCode(const QStringList &lines, std::optional<qint64> hideout)
{
    QString text = QStringLiteral("[table]\n");
    // Appended piece by piece: no temporary string per cell.
    auto addRow = [&text](const QStringList &cells, QLatin1String tag) {
        text += QLatin1String("[tr]");
        for (const QString &cell : cells) {
            text += QLatin1Char('[');
            text += tag;
            text += QLatin1Char(']');
            text += bbText(cell);
            text += QLatin1String("[/");
            text += tag;
            text += QLatin1Char(']');
        }
        text += QLatin1String("[/tr]\n");
    };
    addRow(exportHeaders(), QLatin1String("th"));
    for (const ExportRow &row : exportRows(lines, hideout))
        addRow(exportCells(row, ExportFormat::BBCode), QLatin1String("td"));
    text += QLatin1String("[/table]\n");
    return text;
}

QByteArray exportDocument(ExportFormat format, const QStringList &lines, std::optional<qint64> hideout)
{
    switch (format) {
    case ExportFormat::Csv:
        return exportCsv(lines, hideout);
    case ExportFormat::Html:
        return exportHtml(lines, hideout);
    case ExportFormat::BBCode:
        break;
    }
    return exportBBCode(lines, hideout).toUtf8();
}

} // namespace veltrix
