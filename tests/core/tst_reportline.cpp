#include "core/error.h"
#include "core/intconv.h"
#include "core/reportline.h"

#include <QtTest>

using namespace veltrix;

class TestReportLine : public QObject {
    Q_OBJECT

private slots:
    void strictConversion_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<int>("value");
        QTest::newRow("plain") << "117" << true << 117;
        QTest::newRow("leading blanks") << "   42" << true << 42;
        QTest::newRow("plus") << "+7" << true << 7;
        QTest::newRow("minus") << "-50" << true << -50;
        QTest::newRow("dollar hex") << "$1F" << true << 31;
        QTest::newRow("x hex") << "x10" << true << 16;
        QTest::newRow("X hex") << "XfF" << true << 255;
        QTest::newRow("0x hex") << "0x10" << true << 16;
        QTest::newRow("0X hex") << "0XA" << true << 10;
        QTest::newRow("negative hex") << "-$10" << true << -16;
        QTest::newRow("max") << "2147483647" << true << 2147483647;
        QTest::newRow("min") << "-2147483648" << true << int(-2147483647 - 1);
        QTest::newRow("too big") << "2147483648" << false << 0;
        QTest::newRow("too small") << "-2147483649" << false << 0;
        QTest::newRow("hex too big") << "$80000000" << false << 0;
        QTest::newRow("empty") << "" << false << 0;
        QTest::newRow("blank only") << "  " << false << 0;
        QTest::newRow("sign only") << "-" << false << 0;
        QTest::newRow("trailing blank") << "45 " << false << 0;
        QTest::newRow("percent") << "45%" << false << 0;
        QTest::newRow("letter suffix") << "12a" << false << 0;
        QTest::newRow("blank after sign") << "- 5" << false << 0;
        QTest::newRow("hex prefix only") << "0x" << false << 0;
        QTest::newRow("decimal point") << "1.5" << false << 0;
        QTest::newRow("tab is not a blank") << "\t5" << false << 0;
        QTest::newRow("leading zeros") << "007" << true << 7;
    }
    void strictConversion()
    {
        QFETCH(QString, text);
        QFETCH(bool, ok);
        QFETCH(int, value);
        const auto result = tryStrToInt(text);
        QCOMPARE(result.has_value(), ok);
        if (ok)
            QCOMPARE(*result, value);
    }

    void conversionErrorText()
    {
        try {
            strToInt(u"12a");
            QFAIL("no error");
        } catch (const VeltrixError &e) {
            QCOMPARE(e.message(), QStringLiteral("'12a' ist kein gültiger Integerwert"));
        }
    }

    void extractors_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("address");
        QTest::addColumn<QString>("type");
        QTest::addColumn<int>("sg");
        QTest::addColumn<int>("traps");
        QTest::newRow("worked example") << "Lindenallee 117: Bank (SG: 45%) [Sicherheitsschloß, Fallgitter, Nagelbrett]"
                                        << "Lindenallee 117" << "Bank" << 45 << 3;
        QTest::newRow("no traps") << "Am Alten Markt 3: Kiosk (SG: 100%) Keine Ausbauten vorhanden"
                                  << "Am Alten Markt 3" << "Kiosk" << 100 << 0;
        QTest::newRow("blank before percent") << "Lindenallee 117: Bank (SG: 45 %) [Fallgitter]"
                                              << "Lindenallee 117" << "Bank" << -1 << 1;
        QTest::newRow("comma after type") << "Lindenallee 117: Bank, SG: 45%) [Fallgitter]"
                                          << "Lindenallee 117" << "Bank" << 45 << 1;
        QTest::newRow("unknown type") << "Lindenallee 117: Bankfiliale (SG: 45%)" << "Lindenallee 117" << "" << 45 << 1;
        QTest::newRow("no house number") << "Lindenallee: Bank (SG: 45%)" << "Lindenallee" << "Bank" << 45 << 1;
        QTest::newRow("empty line") << "" << "" << "" << -1 << 1;
        QTest::newRow("lower-case type") << "Lindenallee 117: bank (SG: 45%)" << "Lindenallee 117" << "" << 45 << 1;
        QTest::newRow("SG above 100") << "Hauptstraße 5: Casino (SG: 150%) [Fallgitter]" << "Hauptstraße 5" << "Casino"
                                      << 150 << 1;
        QTest::newRow("empty brackets") << "Hauptstraße 5: Casino (SG: 50%) []" << "Hauptstraße 5" << "Casino" << 50 << 1;
        QTest::newRow("no-traps text wins over brackets")
            << "Hauptstraße 5: Casino (SG: 50%) [Fallgitter, Falltüre] Keine Ausbauten vorhanden" << "Hauptstraße 5"
            << "Casino" << 50 << 0;
        QTest::newRow("commas after bracket do not count") << "A 1: Kiosk (SG: 5%) [Fallgitter], x, y" << "A 1" << "Kiosk"
                                                           << 5 << 1;
        QTest::newRow("no closing bracket") << "A 1: Kiosk (SG: 5%) [Fallgitter, Falltüre" << "A 1" << "Kiosk" << 5 << 1;
        QTest::newRow("umlaut type") << "Weg 2: Bäcker (SG: 12%) [Nagelbrett]" << "Weg 2" << "Bäcker" << 12 << 1;
        QTest::newRow("colon first") << ": Bank (SG: 45%)" << "" << "Bank" << 45 << 1;
        QTest::newRow("no colon") << "Bank (SG 45%)" << "" << "" << -1 << 1;
        QTest::newRow("type without separator") << "Lindenallee 117:xBank (SG: 45%)" << "Lindenallee 117" << "Bank" << 45
                                                << 1;
        QTest::newRow("comma inside word") << "A 1: Ba,nk (SG: 45%)" << "A 1" << "Bank" << 45 << 1;
        QTest::newRow("hex SG") << "A 1: Bank (SG: $10%)" << "A 1" << "Bank" << 16 << 1;
        QTest::newRow("paren too early") << "A 1: Bank (SG: %)" << "A 1" << "Bank" << -1 << 1;
        QTest::newRow("hideout") << "Am Markt 9: Versteck (SG: 0%) Keine Ausbauten vorhanden" << "Am Markt 9"
                                 << "Versteck" << 0 << 0;
    }
    void extractors()
    {
        QFETCH(QString, line);
        QFETCH(QString, address);
        QFETCH(QString, type);
        QFETCH(int, sg);
        QFETCH(int, traps);
        QCOMPARE(getAddress(line).toString(), address);
        QCOMPARE(getBuildingType(line).toString(), type);
        QCOMPARE(isValidReportLine(line), !type.isEmpty());
        QCOMPARE(getSG(line), sg);
        QCOMPARE(countTraps(line), traps);
    }

    void houseNumber_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<int>("number");
        QTest::addColumn<QString>("error"); // text named by the conversion error
        QTest::newRow("worked example") << "Lindenallee 117: Bank (SG: 45%) [Fallgitter]" << 117 << QString();
        QTest::newRow("several words") << "Am Alten Markt 3: Kiosk (SG: 100%)" << 3 << QString();
        QTest::newRow("two words") << "Am Markt 3: Bank (SG: 45%)" << 3 << QString();
        QTest::newRow("letter suffix") << "Lindenallee 12a: Bank (SG: 45%)" << 0 << "12a";
        QTest::newRow("street only") << "Lindenallee: Bank (SG: 45%)" << 0 << "Lindenallee";
        QTest::newRow("empty line") << "" << 0 << "";
        QTest::newRow("no colon") << "Lindenallee 117 Bank" << 0 << "";
        QTest::newRow("no blank after colon ends") << "Lindenallee 117:xBank" << 117 << QString();
        QTest::newRow("no blank at all") << "Lindenallee:Bank" << 0 << "Lindenallee";
        QTest::newRow("zero") << "Weg 0: Bank (SG: 45%)" << 0 << QString();
        QTest::newRow("negative") << "Weg -4: Bank (SG: 45%)" << -4 << QString();
        QTest::newRow("double blank") << "Weg  5: Bank (SG: 45%)" << 5 << QString();
        QTest::newRow("blank before colon") << "Weg 5 : Bank (SG: 45%)" << 0 << "";
    }
    void houseNumber()
    {
        QFETCH(QString, line);
        QFETCH(int, number);
        QFETCH(QString, error);
        if (error.isNull()) {
            QCOMPARE(getHouseNumber(line), number);
            return;
        }
        try {
            getHouseNumber(line);
            QFAIL("no conversion error");
        } catch (const VeltrixError &e) {
            QCOMPARE(e.message(), QStringLiteral("'%1' ist kein gültiger Integerwert").arg(error));
        }
    }

    // The piece "1. &Hausnummer kopieren" selects: from after the last
    // stripped blank to the first colon.
    void houseNumberSpan_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<int>("start"); // -1: no colon, no span
        QTest::addColumn<int>("length");
        QTest::newRow("worked example") << "Lindenallee 117: Bank (SG: 45%) [Fallgitter]" << 12 << 3;
        QTest::newRow("several words") << "Am Alten Markt 3: Kiosk (SG: 100%) Keine Ausbauten vorhanden" << 15 << 1;
        QTest::newRow("letter suffix kept") << "Lindenallee 12a: Bank (SG: 45%)" << 12 << 3;
        QTest::newRow("no blank after colon") << "Lindenallee 117:Bank" << 12 << 3;
        QTest::newRow("double blank") << "Am  Markt 3: Bank" << 10 << 1;
        QTest::newRow("single word") << "Bahnhofstr.: Kiosk" << 0 << 11;
        QTest::newRow("colon first") << ": Kiosk" << 0 << 0;
        QTest::newRow("no colon") << "Lindenallee 117" << -1 << 0;
        QTest::newRow("empty") << "" << -1 << 0;
    }
    void houseNumberSpan()
    {
        QFETCH(QString, line);
        QFETCH(int, start);
        QFETCH(int, length);
        const auto span = veltrix::houseNumberSpan(line);
        QCOMPARE(span.has_value(), start >= 0);
        if (span) {
            QCOMPARE(int(span->start), start);
            QCOMPARE(int(span->length), length);
        }
    }
};

QTEST_GUILESS_MAIN(TestReportLine)
#include "tst_reportline.moc"
