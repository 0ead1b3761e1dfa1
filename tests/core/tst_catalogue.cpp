#include "core/catalogue.h"
#include "core/cp1252.h"
#include "core/lines.h"
#include "core/statistics.h"

#include <QtTest>

using namespace veltrix;

class TestCatalogue : public QObject {
    Q_OBJECT

private slots:
    void catalogueOrderFallsByMoney()
    {
        const auto types = buildingTypes();
        QCOMPARE(int(types.size()), 38);
        QCOMPARE(types.front().nameView(), u"Casino");
        QCOMPARE(types.back().nameView(), u"Hotelzimmer");
        for (std::size_t i = 1; i < types.size(); ++i)
            QVERIFY2(types[i].protectionMoney <= types[i - 1].protectionMoney, qPrintable(types[i].nameView().toString()));
        QCOMPARE(payingTypeCount(), 36);
    }

    void calculatorCatalogue()
    {
        const auto entries = veltrix::calculatorCatalogue();
        QCOMPARE(int(entries.size()), 33);
        const QStringList names = calculatorTypeNames();
        QCOMPARE(names.size(), 31);
        QCOMPARE(names.first(), QStringLiteral("Casino"));
        QCOMPARE(names.at(10), QStringLiteral("Bäcker"));
        QCOMPARE(names.last(), QStringLiteral("Fischladen"));
        for (const char16_t *residential : {u"Mietskaserne", u"Mietshaus", u"Eigentumswohnung", u"Einzelhaus", u"Reihenhaus"})
            QVERIFY(!names.contains(QString::fromUtf16(residential)));
        QCOMPARE(entries[31].name, QStringLiteral("Versteck"));
        QCOMPARE(entries[32].protectionMoney, 0);
        QCOMPARE(calculatorProtectionMoney(u"Kiosk"), 80);
        QCOMPARE(calculatorProtectionMoney(u"Mietskaserne"), 0);
        QCOMPARE(calculatorProtectionMoney(u"casino"), 0);
    }

    void presets_data()
    {
        QTest::addColumn<int>("preset");
        QTest::addColumn<QStringList>("names");
        QTest::newRow("market") << int(Preset::Market)
                                << QStringList{"Autohändler", "Brennerei", "Autowerkstatt", "Flugzeughändler",
                                               "Waffenhändler", "Tankstelle", "Reisebüro", "Schrotthändler"};
        QTest::newRow("900 and more") << int(Preset::From900)
                                      << QStringList{"Casino", "Versicherung", "Bank", "Schnell-Imbiss", "Juwelier"};
        QTest::newRow("500 to 900") << int(Preset::From500To900)
                                    << QStringList{"Fabrik", "Werbeagentur", "Kaufhaus", "Diskothek", "Metzger"};
    }
    void presets()
    {
        QFETCH(int, preset);
        QFETCH(QStringList, names);
        QCOMPARE(presetNames(static_cast<Preset>(preset)), names);
    }

    void protectionMoneyAndRows()
    {
        const QStringList lines{
            "A 1: Casino (SG: 10%) [Fallgitter]",
            "A 2: Casino (SG: 90%) Keine Ausbauten vorhanden",
            "",
            "A 3: Kiosk (SG: 10%) [Fallgitter]",
            "A 4: Versteck (SG: 10%) [Fallgitter]",
            "A 5: Hotelzimmer (SG: 10%)",
            "A 6: Bankfiliale (SG: 10%)",
            "A 7: Mietskaserne (SG: 10%)",
        };
        const ProtectionMoney money = protectionMoney(lines);
        QCOMPARE(money.sum, qint64(2 * 1300 + 80 + 400));
        const QStringList rows = buildingCountRows(money.counts);
        QCOMPARE(rows.size(), 36);
        QCOMPARE(rows.at(0), QStringLiteral("Casino :\t\t2"));
        QCOMPARE(rows.at(2), QStringLiteral("Bank :\t\t\t0"));
        QCOMPARE(rows.at(10), QStringLiteral("Mietskaserne :\t\t1"));
        QCOMPARE(rows.at(30), QStringLiteral("Kiosk :\t\t\t1"));
        QCOMPARE(rows.at(3), QStringLiteral("Schnell-Imbiss :\t0"));
        QCOMPARE(rows.at(26), QStringLiteral("Computerladen :\t\t0"));
        QCOMPARE(rows.at(34), QStringLiteral("Schreibwarenladen :\t0"));
        QVERIFY(!rows.join('\n').contains(QStringLiteral("Versteck")));
    }

    void sgAndTrapsDoNotChangeMoney()
    {
        QCOMPARE(protectionMoney({"A 1: Bank (SG: 10%) [Fallgitter]"}).sum,
                 protectionMoney({"A 1: Bank (SG: 99%) [Fallgitter, Falltüre, Nagelbrett]"}).sum);
    }

    void groupThousands_data()
    {
        QTest::addColumn<QString>("in");
        QTest::addColumn<QString>("out");
        QTest::newRow("0") << "0" << "0";
        QTest::newRow("591") << "591" << "591";
        QTest::newRow("900") << "900" << "900";
        QTest::newRow("1300") << "1300" << "1.300";
        QTest::newRow("59172") << "59172" << "59.172";
        QTest::newRow("million") << "1200000" << "1.200.000";
        QTest::newRow("-100") << "-100" << "-100";
        QTest::newRow("-34911") << "-34911" << "-34.911";
        QTest::newRow("-100000") << "-100000" << "-100.000";
    }
    void groupThousands()
    {
        QFETCH(QString, in);
        QFETCH(QString, out);
        QCOMPARE(veltrix::groupThousands(QStringView(in)), out);
        QCOMPARE(veltrix::groupThousands(in.toLongLong()), out);
    }

    void euro()
    {
        QCOMPARE(formatEuro(2680), QStringLiteral("2.680 €"));
        QCOMPARE(formatEuro(0), QStringLiteral("0 €"));
    }

    void splitLines_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("empty") << "" << QStringList{};
        QTest::newRow("final break opens no line") << "a\nb\n" << QStringList{"a", "b"};
        QTest::newRow("no final break") << "a\nb" << QStringList{"a", "b"};
        QTest::newRow("crlf") << "a\r\nb\r\n" << QStringList{"a", "b"};
        QTest::newRow("cr") << "a\rb\r" << QStringList{"a", "b"};
        QTest::newRow("empty lines kept") << "\n\na\n" << QStringList{"", "", "a"};
        QTest::newRow("only a break") << "\n" << QStringList{""};
        QTest::newRow("cr lf cr") << "a\r\n\rb" << QStringList{"a", "", "b"};
    }
    void splitLines()
    {
        QFETCH(QString, text);
        QFETCH(QStringList, lines);
        QCOMPARE(veltrix::splitLines(text), lines);
    }

    void joinLines()
    {
        QCOMPARE(joinLinesCrLf({"a", "b"}), QStringLiteral("a\r\nb\r\n"));
        QCOMPARE(joinLinesCrLf({}), QString());
        QCOMPARE(joinLinesLf({""}), QStringLiteral("\n"));
    }

    void windows1252()
    {
        const QString text = QStringLiteral("Straße ü € ‚ Ÿ");
        const auto bytes = toWindows1252(text);
        QVERIFY(bytes.has_value());
        QCOMPARE(*bytes, QByteArray("Stra\xdf" "e \xfc \x80 \x82 \x9f"));
        QCOMPARE(fromWindows1252(*bytes), text);
        QVERIFY(!toWindows1252(u"Ω").has_value());
        QCOMPARE(windows1252Code(QChar(0x20AC)), 0x80);
        QCOMPARE(windows1252Code(QChar(0x0100)), -1);
        // Undefined bytes survive a round trip.
        const QByteArray undefined("\x81\x8d\x8f\x90\x9d", 5);
        QCOMPARE(*toWindows1252(fromWindows1252(undefined)), undefined);
    }
};

QTEST_GUILESS_MAIN(TestCatalogue)
#include "tst_catalogue.moc"
