#include "core/export.h"

#include <QTextDocument>
#include <QTextTable>
#include <QtTest>

using namespace veltrix;

namespace {

const QString kHead = QStringLiteral("Adresse;Hausnummer;Gebäude;SG;Fallen;Ausbauten;Schutzgeld;Entfernung;"
                                     "Randale;Überfälle\r\n");
const QString kBank = QStringLiteral("Königs€weg \"Zum ;Eck\" 12: Bank (SG: 45%) [Sicherheitsschloß, Fallgitter, "
                                     "Nagelbrett]");
const QString kKiosk = QStringLiteral("Gasse [Nord] 3: Kiosk (SG: 40%) Keine Ausbauten vorhanden");
const QString kKeine = QStringLiteral("keine, sofortige Übernahme möglich");
// A comma splits a cell in spreadsheets that take it for a separator.
const QString kKeineCsv = QStringLiteral("\"keine, sofortige Übernahme möglich\"");
const QStringList kInvalid{QString(), QStringLiteral("Nur Text"), QStringLiteral("Weg 5: Unbekannt (SG: 1%)")};

using Hideout = std::optional<qint64>;

// The table cells of an HTML export as a rich-text reader sees them.
QList<QStringList> htmlCells(const QByteArray &html)
{
    QTextDocument document;
    document.setHtml(QString::fromUtf8(html));
    QList<QStringList> cells;
    for (QTextFrame::iterator it = document.rootFrame()->begin(); !it.atEnd(); ++it) {
        auto *table = qobject_cast<QTextTable *>(it.currentFrame());
        if (!table)
            continue;
        for (int r = 0; r < table->rows(); ++r) {
            QStringList row;
            for (int c = 0; c < table->columns(); ++c) {
                const QTextTableCell cell = table->cellAt(r, c);
                QTextCursor cursor = cell.firstCursorPosition();
                cursor.setPosition(cell.lastCursorPosition().position(), QTextCursor::KeepAnchor);
                row << cursor.selectedText();
            }
            cells << row;
        }
    }
    return cells;
}

} // namespace

Q_DECLARE_METATYPE(Hideout)

class TestExport : public QObject {
    Q_OBJECT

private slots:
    void formats_data()
    {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<Hideout>("hideout");
        QTest::addColumn<QString>("csv");
        QTest::addColumn<QString>("bbcode");
        QTest::addColumn<QList<QStringList>>("html");

        const QString bbHead = QStringLiteral(
            "[table]\n[tr][th]Adresse[/th][th]Hausnummer[/th][th]Gebäude[/th][th]SG[/th][th]Fallen[/th]"
            "[th]Ausbauten[/th][th]Schutzgeld[/th][th]Entfernung[/th][th]Randale[/th][th]Überfälle[/th][/tr]\n");
        const QStringList htmlHead{"Adresse", "Hausnummer", "Gebäude", "SG", "Fallen", "Ausbauten",
                                   "Schutzgeld", "Entfernung", "Randale", "Überfälle"};
        const QStringList bankCells{"Königs€weg \"Zum ;Eck\" 12", "12", "Bank", "45", "3",
                                    "Sicherheitsschloß, Fallgitter, Nagelbrett", "1.100 €", "", "Leichte Schulter",
                                    "1"};
        const QStringList kioskCells{"Gasse [Nord] 3", "3", "Kiosk", "40", "0", "", "80 €", "17", kKeine, "0"};

        QTest::newRow("empty list: header only")
            << QStringList() << Hideout() << kHead << bbHead + "[/table]\n" << QList<QStringList>{htmlHead};
        QTest::newRow("invalid lines skipped")
            << kInvalid << Hideout(20) << kHead << bbHead + "[/table]\n" << QList<QStringList>{htmlHead};
        QTest::newRow("quoting, umlauts, trap list, no hideout")
            << QStringList{kBank}
            << Hideout()
            << kHead
                   + QStringLiteral("\"Königs€weg \"\"Zum ;Eck\"\" 12\";12;Bank;45;3;\"Sicherheitsschloß, Fallgitter, "
                                    "Nagelbrett\";1100;;Leichte Schulter;1\r\n")
            << bbHead
                   + QStringLiteral("[tr][td]Königs€weg \"Zum ;Eck\" 12[/td][td]12[/td][td]Bank[/td][td]45[/td]"
                                    "[td]3[/td][td]Sicherheitsschloß, Fallgitter, Nagelbrett[/td][td]1.100 €[/td]"
                                    "[td][/td][td]Leichte Schulter[/td][td]1[/td][/tr]\n[/table]\n")
            << QList<QStringList>{htmlHead, bankCells};
        QTest::newRow("brackets, hideout, list order kept")
            << (QStringList{kKiosk} + kInvalid) << Hideout(20)
            << kHead + QStringLiteral("Gasse [Nord] 3;3;Kiosk;40;0;;80;17;") + kKeineCsv + ";0\r\n"
            << bbHead
                   + QStringLiteral("[tr][td]Gasse ［Nord］ 3[/td][td]3[/td][td]Kiosk[/td][td]40[/td][td]0[/td]"
                                    "[td][/td][td]80 €[/td][td]17[/td][td]")
                   + kKeine + "[/td][td]0[/td][/tr]\n[/table]\n"
            << QList<QStringList>{htmlHead, kioskCells};
        const QString bare = QStringLiteral("Weg 9: Kiosk (SG: 40%)");
        QTest::newRow("no trap list: no trap names")
            << QStringList{bare} << Hideout()
            << kHead + QStringLiteral("Weg 9;9;Kiosk;40;1;;80;;") + kKeineCsv + ";0\r\n" << QString()
            << QList<QStringList>{htmlHead, {"Weg 9", "9", "Kiosk", "40", "1", "", "80 €", "", kKeine, "0"}};
        QList<QStringList> both{htmlHead, kioskCells, bankCells};
        both[2][7] = QStringLiteral("8");
        QTest::newRow("two rows with hideout")
            << QStringList{kKiosk, QString(), kBank} << Hideout(20)
            << kHead + QStringLiteral("Gasse [Nord] 3;3;Kiosk;40;0;;80;17;") + kKeineCsv + ";0\r\n"
                   + QStringLiteral("\"Königs€weg \"\"Zum ;Eck\"\" 12\";12;Bank;45;3;\"Sicherheitsschloß, Fallgitter, "
                                    "Nagelbrett\";1100;8;Leichte Schulter;1\r\n")
            << QString() << both;
        // Report text from others must not run in a spreadsheet; numbers stay numbers.
        QTest::newRow("formula cells as text")
            << QStringList{QStringLiteral("=1+2 Weg 7: Kiosk (SG: 40%) [@Nagelbrett]"),
                           QStringLiteral("-7: Kiosk (SG: -3%) Keine Ausbauten vorhanden"),
                           QStringLiteral("\t+Weg 4: Kiosk (SG: 40%) [-Fallgitter, =A1]")}
            << Hideout(20)
            << kHead + QStringLiteral("'=1+2 Weg 7;7;Kiosk;40;1;'@Nagelbrett;80;13;") + kKeineCsv
                   + QStringLiteral(";0\r\n-7;-7;Kiosk;;0;;80;27;;0\r\n"
                                    "\"'\t+Weg 4\";4;Kiosk;40;2;\"'-Fallgitter, =A1\";80;16;")
                   + kKeineCsv + ";0\r\n"
            << QString()
            << QList<QStringList>{htmlHead,
                                  {"=1+2 Weg 7", "7", "Kiosk", "40", "1", "@Nagelbrett", "80 €", "13", kKeine, "0"},
                                  {"-7", "-7", "Kiosk", "", "0", "", "80 €", "27", "", "0"},
                                  {"+Weg 4", "4", "Kiosk", "40", "2", "-Fallgitter, =A1", "80 €", "16", kKeine, "0"}};
    }

    void formats()
    {
        QFETCH(QStringList, lines);
        QFETCH(Hideout, hideout);
        QFETCH(QString, csv);
        QFETCH(QString, bbcode);
        QFETCH(QList<QStringList>, html);

        const QByteArray csvBytes = exportDocument(ExportFormat::Csv, lines, hideout);
        QVERIFY(csvBytes.startsWith("\xEF\xBB\xBF"));
        QCOMPARE(QString::fromUtf8(csvBytes.mid(3)), csv);

        if (!bbcode.isEmpty()) {
            QCOMPARE(exportBBCode(lines, hideout), bbcode);
            QCOMPARE(exportDocument(ExportFormat::BBCode, lines, hideout), bbcode.toUtf8());
        }

        const QByteArray htmlBytes = exportDocument(ExportFormat::Html, lines, hideout);
        QVERIFY(htmlBytes.startsWith("<!DOCTYPE html>"));
        QVERIFY(htmlBytes.contains("<html lang=\"de\">"));
        QVERIFY(htmlBytes.contains("<thead>"));
        QCOMPARE(htmlCells(htmlBytes), html);
    }

    // Signed whole numbers stay numbers; what else starts as a formula is text.
    void csvCells_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("cell");
        QTest::newRow("+5") << "+5" << "+5";
        QTest::newRow("-7") << "-7" << "-7";
        QTest::newRow("+ alone") << "+" << "'+";
        QTest::newRow("- alone") << "-" << "'-";
        QTest::newRow("+5a") << "+5a" << "'+5a";
        QTest::newRow("++5") << "++5" << "'++5";
        QTest::newRow("+5 with a blank") << "+5 " << "'+5 ";
        QTest::newRow("=5") << "=5" << "'=5";
        QTest::newRow("@5") << "@5" << "'@5";
        QTest::newRow("tab then 5") << "\t5" << "\"'\t5\"";
        QTest::newRow("5;6") << "5;6" << "\"5;6\"";
        QTest::newRow("-5,5") << "-5,5" << "\"'-5,5\"";
    }
    void csvCells()
    {
        QFETCH(QString, text);
        QFETCH(QString, cell);
        QCOMPARE(csvCell(text), cell);
    }

    void htmlNumbersRightAligned()
    {
        QTextDocument document;
        document.setHtml(QString::fromUtf8(exportHtml({kBank}, Hideout(20))));
        QTextTable *table = nullptr;
        for (QTextFrame::iterator it = document.rootFrame()->begin(); !table && !it.atEnd(); ++it)
            table = qobject_cast<QTextTable *>(it.currentFrame());
        QVERIFY(table);
        QList<int> right;
        for (int c = 0; c < table->columns(); ++c)
            if (table->cellAt(1, c).firstCursorPosition().blockFormat().alignment() & Qt::AlignRight)
                right << c;
        // Hausnummer, SG, Fallen, Schutzgeld, Entfernung, Überfälle
        QCOMPARE(right, (QList<int>{1, 3, 4, 6, 7, 9}));
    }

    void htmlEscapesMarkup()
    {
        const QByteArray html = exportHtml({QStringLiteral("<b>Weg</b> & Co 7: Kiosk (SG: 40%) [Fallgitter]")}, {});
        QVERIFY(!html.contains("<b>"));
        QCOMPARE(htmlCells(html).value(1).value(0), QStringLiteral("<b>Weg</b> & Co 7"));
    }
};

QTEST_MAIN(TestExport)
#include "tst_export.moc"
