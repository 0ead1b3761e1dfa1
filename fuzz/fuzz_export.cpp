// The three exports of a list that may hold anything: every cell comes back
// from the CSV as it was written, whichever of ",", ";" and tab a spreadsheet
// splits at, and none starts as a formula; the HTML holds the escaped cells
// and no markup of their own; the BBCode keeps one row a line and no tag of
// the cells' own.
// Input: the list, parameters (the hideout) from the end.

#include "fuzzcheck.h"

#include "core/export.h"
#include "core/lines.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <QList>

using namespace veltrix;

namespace {

const QString kFormulaStarts = QStringLiteral("=+-@\t\r");

// A reading of CSV text as a spreadsheet does it, splitting at each of the
// given separators outside quotes.
QList<QStringList> readCsv(const QString &text, const QString &separators)
{
    QList<QStringList> rows;
    QStringList row;
    QString field;
    bool quoted = false;
    bool wasQuoted = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar ch = text[i];
        if (quoted) {
            if (ch == u'"' && i + 1 < text.size() && text[i + 1] == u'"') {
                field += ch;
                ++i;
            } else if (ch == u'"') {
                quoted = false;
            } else {
                field += ch;
            }
        } else if (ch == u'"') {
            FUZZ_CHECK(field.isEmpty() && !wasQuoted); // quotes open a field only
            quoted = wasQuoted = true;
        } else if (separators.contains(ch)) {
            row << field;
            field.clear();
            wasQuoted = false;
        } else if (ch == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') {
            row << field;
            rows << row;
            row.clear();
            field.clear();
            wasQuoted = false;
            ++i;
        } else {
            FUZZ_CHECK(!wasQuoted);                 // nothing after a closing quote
            FUZZ_CHECK(ch != u'\r' && ch != u'\n'); // breaks only quoted
            field += ch;
        }
    }
    FUZZ_CHECK(!quoted && field.isEmpty() && row.isEmpty()); // the last row ends with CR LF
    return rows;
}

bool isPlainInteger(const QString &text)
{
    qsizetype i = text.startsWith(u'-') || text.startsWith(u'+') ? 1 : 0;
    if (i == text.size())
        return false;
    for (; i < text.size(); ++i)
        if (text[i] < u'0' || text[i] > u'9')
            return false;
    return true;
}

QString unescapedHtml(QString text)
{
    FUZZ_CHECK_TEXT(!text.contains(u'<') && !text.contains(u'>') && !text.contains(u'"'), text);
    text.replace(QLatin1String("&lt;"), QLatin1String("<"));
    text.replace(QLatin1String("&gt;"), QLatin1String(">"));
    text.replace(QLatin1String("&quot;"), QLatin1String("\""));
    text.replace(QLatin1String("&amp;"), QLatin1String("&"));
    return text;
}

void checkCsv(const QByteArray &bytes, const QList<QStringList> &table)
{
    FUZZ_CHECK(bytes.startsWith("\xEF\xBB\xBF"));
    const QString text = QString::fromUtf8(bytes.mid(3));
    for (const QString &separators : {QStringLiteral(";"), QStringLiteral(";,\t")}) {
        const QList<QStringList> rows = readCsv(text, separators);
        FUZZ_CHECK(rows.size() == table.size());
        for (qsizetype r = 0; r < rows.size(); ++r) {
            FUZZ_CHECK(rows[r].size() == table[r].size());
            for (qsizetype c = 0; c < rows[r].size(); ++c) {
                const QString &cell = table[r][c];
                const QString &field = rows[r][c];
                const bool formula = !cell.isEmpty() && kFormulaStarts.contains(cell.front()) && !isPlainInteger(cell);
                FUZZ_CHECK_TEXT(field == (formula ? u'\'' + cell : cell), cell);
                FUZZ_CHECK_TEXT(field.isEmpty() || !kFormulaStarts.contains(field.front()) || isPlainInteger(field),
                                field);
            }
        }
    }
}

void checkHtml(const QByteArray &bytes, const QList<QStringList> &table)
{
    const QString html = QString::fromUtf8(bytes);
    FUZZ_CHECK(html.startsWith(QLatin1String("<!DOCTYPE html>\n")));
    const qsizetype bodyStart = html.indexOf(QLatin1String("<tbody>\n"));
    const qsizetype bodyEnd = html.lastIndexOf(QLatin1String("</tbody>\n"));
    FUZZ_CHECK(bodyStart > 0 && bodyEnd >= bodyStart);
    FUZZ_CHECK(html.mid(bodyEnd) == QLatin1String("</tbody>\n</table>\n</body>\n</html>\n"));
    const QString body = html.mid(bodyStart + 8, bodyEnd - bodyStart - 8);
    QStringList rows = body.split(QLatin1String("</tr>\n"));
    FUZZ_CHECK(rows.takeLast().isEmpty());
    FUZZ_CHECK(rows.size() == table.size() - 1);
    for (qsizetype r = 0; r < rows.size(); ++r) {
        QString row = rows[r];
        FUZZ_CHECK(row.startsWith(QLatin1String("<tr>")));
        row.remove(0, 4);
        QStringList cells = row.split(QLatin1String("</td>"));
        FUZZ_CHECK(cells.takeLast().isEmpty());
        FUZZ_CHECK(cells.size() == table[r + 1].size());
        for (qsizetype c = 0; c < cells.size(); ++c) {
            QString cell = cells[c];
            for (QLatin1String open : {QLatin1String("<td class=\"n\" align=\"right\">"), QLatin1String("<td>")}) {
                if (cell.startsWith(open)) {
                    cell.remove(0, open.size());
                    break;
                }
            }
            FUZZ_CHECK_TEXT(unescapedHtml(cell) == table[r + 1][c], cell);
        }
    }
}

void checkBBCode(const QString &text, const QList<QStringList> &table)
{
    QStringList lines = text.split(u'\n');
    FUZZ_CHECK(lines.takeLast().isEmpty());
    FUZZ_CHECK(lines.size() == table.size() + 2);
    FUZZ_CHECK(lines.first() == QLatin1String("[table]") && lines.last() == QLatin1String("[/table]"));
    for (qsizetype r = 0; r < table.size(); ++r) {
        const QLatin1String tag(r == 0 ? "th" : "td");
        QString expected = QStringLiteral("[tr]");
        for (QString cell : table[r]) {
            cell.replace(u'[', QChar(0xFF3B));
            cell.replace(u']', QChar(0xFF3D));
            cell.replace(QLatin1String("\r\n"), QLatin1String(" "));
            cell.replace(u'\r', u' ');
            cell.replace(u'\n', u' ');
            expected += u'[' + tag + u']' + cell + QLatin1String("[/") + tag + u']';
        }
        FUZZ_CHECK_TEXT(lines[r + 1] == expected + QLatin1String("[/tr]"), lines[r + 1]);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    FuzzedDataProvider provider(data, size);
    const bool hasHideout = provider.ConsumeBool();
    const qint32 hideoutValue = provider.ConsumeIntegral<qint32>();
    const std::string rest = provider.ConsumeRemainingBytesAsString();
    const QStringList lines = splitLines(QString::fromUtf8(rest.data(), static_cast<qsizetype>(rest.size())));
    const std::optional<qint64> hideout = hasHideout ? std::optional<qint64>(hideoutValue) : std::nullopt;

    const std::vector<ExportRow> rows = exportRows(lines, hideout);
    QList<QStringList> csvTable{exportHeaders()};
    QList<QStringList> shownTable{exportHeaders()};
    for (const ExportRow &row : rows) {
        csvTable << exportCells(row, ExportFormat::Csv);
        shownTable << exportCells(row, ExportFormat::Html);
        FUZZ_CHECK(exportCells(row, ExportFormat::BBCode) == shownTable.last());
        if (row.distance)
            FUZZ_CHECK(hideout && *row.distance >= 0);
    }

    checkCsv(exportDocument(ExportFormat::Csv, lines, hideout), csvTable);
    checkHtml(exportDocument(ExportFormat::Html, lines, hideout), shownTable);
    const QString bbcode = exportBBCode(lines, hideout);
    checkBBCode(bbcode, shownTable);
    FUZZ_CHECK(exportDocument(ExportFormat::BBCode, lines, hideout) == bbcode.toUtf8());
    return 0;
}
