#include "core/calculators.h"
#include "core/error.h"
#include "core/statistics.h"

#include <QtTest>
#include <limits>

using namespace veltrix;

class TestCalculators : public QObject {
    Q_OBJECT

private slots:
    void rounding_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<qint64>("expected");
        QTest::newRow("0.5 to 0") << 0.5 << qint64(0);
        QTest::newRow("1.5 to 2") << 1.5 << qint64(2);
        QTest::newRow("2.5 to 2") << 2.5 << qint64(2);
        QTest::newRow("-0.5 to 0") << -0.5 << qint64(0);
        QTest::newRow("-1.5 to -2") << -1.5 << qint64(-2);
        QTest::newRow("-2.5 to -2") << -2.5 << qint64(-2);
        QTest::newRow("below half") << 2.4999 << qint64(2);
        QTest::newRow("above half") << 2.5001 << qint64(3);
        QTest::newRow("negative above half") << -2.6 << qint64(-3);
        QTest::newRow("large even") << 4503599627370495.5 << qint64(4503599627370496LL);
    }
    void rounding()
    {
        QFETCH(double, value);
        QFETCH(qint64, expected);
        QCOMPARE(roundHalfEven(value), expected);
    }

    void roundingOutOfRange_data()
    {
        QTest::addColumn<double>("value");
        QTest::newRow("2^63") << 9223372036854775808.0;
        QTest::newRow("-2^64") << -18446744073709551616.0;
        QTest::newRow("infinity") << std::numeric_limits<double>::infinity();
        QTest::newRow("nan") << std::numeric_limits<double>::quiet_NaN();
    }
    void roundingOutOfRange()
    {
        QFETCH(double, value);
        try {
            roundHalfEven(value);
            QFAIL("no error");
        } catch (const VeltrixError &e) {
            QCOMPARE(e.message(), QStringLiteral("Ungültige Gleitkommaoperation"));
        }
    }

    void floatInput_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<double>("value");
        QTest::newRow("de comma") << "de_DE" << "1300,5" << true << 1300.5;
        QTest::newRow("de point is no decimal") << "de_DE" << "1.5" << false << 0.0;
        QTest::newRow("de group separator") << "de_DE" << "1.300" << false << 0.0;
        QTest::newRow("en point") << "en_US" << "650.25" << true << 650.25;
        QTest::newRow("en comma") << "en_US" << "1,5" << false << 0.0;
        QTest::newRow("blanks around") << "de_DE" << " 650 " << true << 650.0;
        QTest::newRow("negative") << "de_DE" << "-1" << true << -1.0;
        QTest::newRow("exponent") << "en_US" << "1e3" << true << 1000.0;
        QTest::newRow("empty") << "de_DE" << "" << false << 0.0;
        QTest::newRow("letters") << "de_DE" << "abc" << false << 0.0;
        QTest::newRow("infinity") << "en_US" << "inf" << false << 0.0;
        QTest::newRow("nan") << "en_US" << "nan" << false << 0.0;
    }
    void floatInput()
    {
        QFETCH(QString, locale);
        QFETCH(QString, text);
        QFETCH(bool, ok);
        QFETCH(double, value);
        const auto v = tryStrToFloat(text, QLocale(locale));
        QCOMPARE(v.has_value(), ok);
        if (ok)
            QCOMPARE(*v, value);
    }

    void floatErrorText()
    {
        try {
            strToFloat(u"12a", QLocale(QStringLiteral("de_DE")));
            QFAIL("no error");
        } catch (const VeltrixError &e) {
            QCOMPARE(e.message(), QStringLiteral("'12a' ist kein gültiger Gleitkommawert"));
        }
    }

    void sgFromMoney_data()
    {
        QTest::addColumn<QString>("type");
        QTest::addColumn<double>("amount");
        QTest::addColumn<QString>("label");
        QTest::newRow("Casino 1300") << "Casino" << 1300.0 << "95 %";
        QTest::newRow("Casino 650") << "Casino" << 650.0 << "45 %";
        QTest::newRow("Casino 0 not negative") << "Casino" << 0.0 << "0 %";
        QTest::newRow("Bank 550") << "Bank" << 550.0 << "45 %";
        QTest::newRow("Kiosk 1300 uncapped") << "Kiosk" << 1300.0 << "1620 %";
        QTest::newRow("Fischladen 100") << "Fischladen" << 100.0 << "195 %";
        QTest::newRow("half down to even") << "Casino" << 71.5 << "0 %";
        QTest::newRow("half up to even") << "Casino" << 84.5 << "2 %";
        QTest::newRow("2.5 to 2") << "Casino" << 97.5 << "2 %";
        QTest::newRow("residential type") << "Mietskaserne" << 1300.0 << "---";
        QTest::newRow("Versteck") << "Versteck" << 1300.0 << "---";
        QTest::newRow("case-sensitive") << "casino" << 1300.0 << "---";
    }
    void sgFromMoney()
    {
        QFETCH(QString, type);
        QFETCH(double, amount);
        QFETCH(QString, label);
        QCOMPARE(sgLabelText(sgFromProtectionMoney(type, amount)), label);
    }

    void takeover_data()
    {
        QTest::addColumn<int>("traps");
        QTest::addColumn<QString>("text");
        QTest::newRow("none") << 0 << "";
        QTest::newRow("three") << 3 << "Übernahme ab 41 %";
        QTest::newRow("eighteen") << 18 << "Übernahme ab 26 %";
    }
    void takeover()
    {
        QFETCH(int, traps);
        QFETCH(QString, text);
        QCOMPARE(takeoverText(traps), text);
    }

    void tax_data()
    {
        QTest::addColumn<int>("amount");
        QTest::addColumn<int>("current");
        QTest::addColumn<int>("reduced");
        QTest::addColumn<QString>("net");
        QTest::addColumn<QString>("tax");
        QTest::addColumn<QString>("cheaper");
        QTest::addColumn<QString>("difference");
        QTest::newRow("1000 at 69/10") << 1000 << 69 << 10 << "592 €" << "408 €" << "651 €" << "349 €";
        QTest::newRow("100000 at 69/10") << 100000 << 69 << 10 << "59.172 €" << "40.828 €" << "65.089 €" << "34.911 €";
        QTest::newRow("negative difference") << 1100 << 10 << 20 << "1.000 €" << "100 €" << "1.200 €" << "-100 €";
        QTest::newRow("zero amount") << 0 << 69 << 10 << "0 €" << "0 €" << "0 €" << "0 €";
        QTest::newRow("halves to even") << 5 << 0 << 50 << "5 €" << "0 €" << "8 €" << "-2 €";
        QTest::newRow("near -100 stays finite") << 1 << -99 << 0 << "100 €" << "-99 €" << "100 €" << "-99 €";
    }
    void tax()
    {
        QFETCH(int, amount);
        QFETCH(int, current);
        QFETCH(int, reduced);
        QFETCH(QString, net);
        QFETCH(QString, tax);
        QFETCH(QString, cheaper);
        QFETCH(QString, difference);
        const TaxResult r = computeTax(amount, current, reduced);
        QCOMPARE(formatEuro(r.net), net);
        QCOMPARE(formatEuro(r.tax), tax);
        QCOMPARE(formatEuro(r.reduced), cheaper);
        QCOMPARE(formatEuro(r.difference), difference);
    }

    void taxFailure_data()
    {
        QTest::addColumn<int>("amount");
        QTest::addColumn<QString>("message");
        QTest::newRow("division by zero") << 1000 << "Gleitkommadivision durch Null";
        QTest::newRow("zero by zero") << 0 << "Ungültige Gleitkommaoperation";
    }
    void taxFailure()
    {
        QFETCH(int, amount);
        QFETCH(QString, message);
        try {
            computeTax(amount, -100, 10);
            QFAIL("no error");
        } catch (const VeltrixError &e) {
            QCOMPARE(e.message(), message);
        }
    }

    // Tax results are 64-bit; grouping must keep the sign of the smallest.
    void groupsSmallest64BitValue()
    {
        QCOMPARE(formatEuro(std::numeric_limits<qint64>::min()), QStringLiteral("-9.223.372.036.854.775.808 €"));
    }
};

QTEST_GUILESS_MAIN(TestCalculators)
#include "tst_calculators.moc"
