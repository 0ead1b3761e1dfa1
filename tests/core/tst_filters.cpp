#include "core/catalogue.h"
#include "core/error.h"
#include "core/filters.h"
#include "core/reportline.h"

#include <QtTest>

using namespace veltrix;

namespace {

QString line(const QString &address, const QString &type, const QString &sg, const QString &traps)
{
    return QStringLiteral("%1: %2 (SG: %3%) %4").arg(address, type, sg, traps);
}

const QString kNone = QStringLiteral("Keine Ausbauten vorhanden");

QString house(int n)
{
    return line(QStringLiteral("Lindenallee %1").arg(n), QStringLiteral("Bank"), QStringLiteral("45"), kNone);
}

} // namespace

class TestFilters : public QObject {
    Q_OBJECT

private slots:
    void typeFilter_data()
    {
        QTest::addColumn<QStringList>("checkedNames");
        QTest::addColumn<QList<int>>("kept");
        QTest::newRow("nothing checked empties the list") << QStringList{} << QList<int>{};
        QTest::newRow("one type") << QStringList{"Bank"} << QList<int>{1, 3};
        QTest::newRow("last catalogue item") << QStringList{"Hotelzimmer"} << QList<int>{2};
        QTest::newRow("preset 500 to 900") << presetNames(Preset::From500To900) << QList<int>{0};
        QTest::newRow("everything keeps known types only") << buildingTypeNames() << QList<int>{0, 1, 2, 3};
    }

    void typeFilter()
    {
        QFETCH(QStringList, checkedNames);
        QFETCH(QList<int>, kept);
        const QStringList lines{line("A 1", "Fabrik", "1", kNone), line("A 2", "Bank", "1", kNone),
                                line("A 3", "Hotelzimmer", "1", kNone), line("A 4", "Bank", "2", kNone),
                                line("A 5", "Bankfiliale", "1", kNone)};
        std::vector<bool> checked(buildingTypes().size(), false);
        for (const QString &name : checkedNames)
            checked[buildingTypeIndex(name)] = true;
        QStringList want;
        for (int i : kept)
            want << lines[i];
        int steps = 0;
        QCOMPARE(filterByBuildingTypes(lines, checked, [&steps] { ++steps; }), want);
        QCOMPARE(steps, lines.size());
    }

    void houseNumberFilter_data()
    {
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("to");
        QTest::addColumn<QList<int>>("kept"); // of 9, 10, 20, 21, 15, -3
        QTest::newRow("bounds included") << 10 << 20 << QList<int>{1, 2, 4};
        QTest::newRow("from above to removes all") << 20 << 10 << QList<int>{};
        QTest::newRow("negative lower bound") << -50 << 9 << QList<int>{0, 5};
        QTest::newRow("single number") << 21 << 21 << QList<int>{3};
    }

    void houseNumberFilter()
    {
        QFETCH(int, from);
        QFETCH(int, to);
        QFETCH(QList<int>, kept);
        const QStringList lines{house(9), house(10), house(20), house(21), house(15), house(-3)};
        QStringList want;
        for (int i : kept)
            want << lines[i];
        QCOMPARE(filterByHouseNumber(lines, from, to), want);
    }

    void houseNumberFilterStopsAtBadNumber()
    {
        const QStringList lines{house(5), line("Lindenallee 12a", "Bank", "1", kNone),
                                line("Lindenallee 13b", "Bank", "1", kNone)};
        int steps = 0;
        try {
            filterByHouseNumber(lines, 0, 99999, [&steps] { ++steps; });
            QFAIL("no error");
        } catch (const VeltrixError &e) {
            QCOMPARE(e.message(), QStringLiteral("'12a' ist kein gültiger Integerwert"));
        }
        QCOMPARE(steps, 1);
    }

    void sgFilters_data()
    {
        QTest::addColumn<int>("limit");
        QTest::addColumn<bool>("atMost");
        QTest::addColumn<QList<int>>("kept");
        // Lines: 42 + 2 traps (44), 44 + 1 trap (45), unreadable SG with none (-1),
        // unreadable SG with one trap (0), 2147483647 + 1 trap.
        QTest::newRow("<= 44") << 44 << true << QList<int>{0, 2, 3};
        QTest::newRow(">= 44") << 44 << false << QList<int>{0, 1, 4};
        QTest::newRow("<= -1 keeps unreadable without traps") << -1 << true << QList<int>{2};
        QTest::newRow(">= 0 drops only key -1") << 0 << false << QList<int>{0, 1, 3, 4};
        QTest::newRow(">= 45") << 45 << false << QList<int>{1, 4};
    }

    void sgFilters()
    {
        QFETCH(int, limit);
        QFETCH(bool, atMost);
        QFETCH(QList<int>, kept);
        const QStringList lines{line("A 1", "Bank", "42", "[Fallgitter, Falltüre]"),
                                line("A 2", "Bank", "44", "[Fallgitter]"), line("A 3", "Bank", "4 5", kNone),
                                line("A 4", "Bank", "", "[Fallgitter]"),
                                line("A 5", "Bank", "2147483647", "[Fallgitter]")};
        QStringList want;
        for (int i : kept)
            want << lines[i];
        QCOMPARE(filterBySecurityFeeling(lines, limit, atMost ? SGLimit::AtMost : SGLimit::AtLeast), want);
    }

    void hideoutRange_data()
    {
        QTest::addColumn<QString>("hideout");
        QTest::addColumn<QString>("range");
        QTest::addColumn<bool>("changes");
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("to");
        QTest::addColumn<QString>("error");
        QTest::newRow("lower bound negative") << "250" << "300" << true << "-50" << "550" << "";
        QTest::newRow("plain") << "120" << "5" << true << "115" << "125" << "";
        QTest::newRow("range with sign") << "250" << "-5" << false << "" << "" << "";
        QTest::newRow("joined beyond 32 bits") << "99999" << "99999" << false << "" << "" << "";
        QTest::newRow("both empty") << "" << "" << false << "" << "" << "";
        QTest::newRow("letters") << "12" << "ab" << false << "" << "" << "";
        QTest::newRow("empty hideout") << "" << "300" << false << "" << ""
                                       << "'' ist kein gültiger Integerwert";
        QTest::newRow("joined hex, range alone not") << "$1" << "F" << false << "" << ""
                                                     << "'F' ist kein gültiger Integerwert";
        QTest::newRow("negative hideout") << "-5" << "10" << true << "-15" << "5" << "";
        QTest::newRow("five digits each") << "99999" << "0" << true << "99999" << "99999" << "";
    }

    void hideoutRange()
    {
        QFETCH(QString, hideout);
        QFETCH(QString, range);
        QFETCH(bool, changes);
        QFETCH(QString, from);
        QFETCH(QString, to);
        QFETCH(QString, error);
        try {
            const auto result = veltrix::hideoutRange(hideout, range);
            QVERIFY(error.isEmpty());
            QCOMPARE(result.has_value(), changes);
            if (result) {
                QCOMPARE(result->from, from);
                QCOMPARE(result->to, to);
            }
        } catch (const VeltrixError &e) {
            QCOMPARE(e.message(), error);
        }
    }
};

QTEST_GUILESS_MAIN(TestFilters)
#include "tst_filters.moc"
