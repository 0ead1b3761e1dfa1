#include "core/advisors.h"
#include "core/catalogue.h"
#include "core/error.h"
#include "core/orders.h"
#include "core/reportline.h"
#include "support/passorders.h"

#include <QRandomGenerator>
#include <QtTest>

using namespace veltrix;

namespace {

enum class Order { SG, Address, HouseDown, HouseUp, Type, Distance, Traps };

QStringList runOrder(Order order, const QStringList &lines, const QString &hideout = QStringLiteral("0"))
{
    switch (order) {
    case Order::SG: return orderBySecurityFeeling(lines);
    case Order::Address: return orderByAddress(lines);
    case Order::HouseDown: return orderByHouseNumberDescending(lines);
    case Order::HouseUp: return orderByHouseNumberAscending(lines);
    case Order::Type: return orderByBuildingType(lines);
    case Order::Distance: return orderByDistance(lines, hideout);
    case Order::Traps: return orderByTrapCount(lines);
    }
    return {};
}

QString line(const QString &address, const QString &type, const QString &sg, const QString &traps)
{
    return QStringLiteral("%1: %2 (SG: %3%) %4").arg(address, type, sg, traps);
}

const QString kNone = QStringLiteral("Keine Ausbauten vorhanden");

// Lines with keys inside the ranges the pass schemes handle.
QStringList randomList(quint32 seed, int count)
{
    static const QStringList streets{QStringLiteral("Lindenallee"), QStringLiteral("Zollstraße"),
                                     QStringLiteral("Überseeallee"), QStringLiteral("lindenhof"),
                                     QStringLiteral("Am Alten Markt"), QStringLiteral("Ärztehaus")};
    const QStringList types = buildingTypeNames();
    QRandomGenerator rng(seed);
    QStringList lines;
    for (int i = 0; i < count; ++i) {
        QStringList traps;
        const int n = rng.bounded(4);
        for (int t = 0; t < n; ++t)
            traps << trapCatalogue()[rng.bounded(18)];
        // Few distinct values, so that ties are common.
        lines << line(streets[rng.bounded(streets.size())] + QLatin1Char(' ') + QString::number(rng.bounded(25)),
                      types[rng.bounded(types.size())], QString::number(rng.bounded(40, 50)),
                      n == 0 ? kNone : QLatin1Char('[') + traps.join(QStringLiteral(", ")) + QLatin1Char(']'));
    }
    return lines;
}

} // namespace

Q_DECLARE_METATYPE(Order)

class TestOrders : public QObject {
    Q_OBJECT

private slots:
    void orders_data()
    {
        QTest::addColumn<Order>("order");
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QString>("hideout");
        QTest::addColumn<QList<int>>("expected"); // input positions in result order

        const QString bank = QStringLiteral("Bank");
        const QString zero = QStringLiteral("0");
        auto addr = [&](const QString &address) { return line(address, bank, QStringLiteral("45"), kNone); };
        auto house = [&](int n) { return addr(QStringLiteral("Lindenallee %1").arg(n)); };

        QTest::newRow("sg: traps count as points")
            << Order::SG
            << QStringList{line("A 1", bank, "45", kNone), line("A 2", bank, "44", "[Fallgitter, Falltüre]"),
                           line("A 3", bank, "40", "[Fallgitter]")}
            << zero << QList<int>{2, 0, 1};
        QTest::newRow("sg: equal keys keep their order")
            << Order::SG
            << QStringList{line("A 1", bank, "44", "[Fallgitter]"), line("A 2", bank, "45", kNone),
                           line("A 3", bank, "43", "[Fallgitter, Falltüre]"), line("A 4", bank, "30", kNone)}
            << zero << QList<int>{3, 0, 1, 2};
        QTest::newRow("sg: later line without SG comes first")
            << Order::SG
            << QStringList{line("A 1", bank, "45", kNone), line("A 2", bank, "x", kNone),
                           line("A 3", bank, "x", "[Fallgitter]"), line("A 4", bank, "0", kNone)}
            << zero << QList<int>{1, 2, 3, 0};
        QTest::newRow("sg: above 125 placed by key")
            << Order::SG
            << QStringList{line("A 1", bank, "150", kNone), line("A 2", bank, "126", kNone),
                           line("A 3", bank, "100", "[a, b, c, d, e, f, g, h, i, j, k, l, m, n, o, p, q, r, s, t, u, v, w, x, y]"),
                           line("A 4", bank, "126", "[Fallgitter]")}
            << zero << QList<int>{2, 1, 3, 0};
        QTest::newRow("sg: huge SG plus traps does not wrap")
            << Order::SG
            << QStringList{line("A 1", bank, "2147483647", "[Fallgitter, Falltüre]"), line("A 2", bank, "45", kNone)}
            << zero << QList<int>{1, 0};

        QTest::newRow("address: house number as text")
            << Order::Address << QStringList{house(9), house(12), house(100)} << zero << QList<int>{2, 1, 0};
        QTest::newRow("address: lower case and umlauts after Z")
            << Order::Address
            << QStringList{addr("Überseeallee 3"), addr("lindenallee 1"), addr("Zollstraße 5"), addr("Am Markt 2")}
            << zero << QList<int>{3, 2, 1, 0};
        QTest::newRow("address: shorter prefix first")
            << Order::Address << QStringList{addr("Am Markt 10"), addr("Am Markt 1"), addr("Am Markt")} << zero
            << QList<int>{2, 1, 0};
        QTest::newRow("address: Windows-1252 codes, not Unicode")
            << Order::Address
            << QStringList{addr("Ärzteweg 1"), addr("€-Platz 2"), addr("Zollweg 3"), addr("Œlweg 4"), addr("ÿ 5")}
            << zero << QList<int>{2, 1, 3, 0, 4};
        QTest::newRow("address: long addresses differing late")
            << Order::Address
            << QStringList{addr("Straße des 17. Juni 9"), addr("Straße des 17. Juni 10"),
                           addr("Straße des 17. Juni 1€"), addr("Straße des 17. Juni 1")}
            << zero << QList<int>{3, 1, 2, 0};
        QTest::newRow("address: equal addresses keep their order")
            << Order::Address
            << QStringList{line("B 1", "Kiosk", "1", kNone), line("A 1", "Casino", "2", kNone),
                           line("B 1", "Bank", "3", kNone)}
            << zero << QList<int>{1, 0, 2};

        QTest::newRow("house down: 0 last, ties kept")
            << Order::HouseDown << QStringList{house(0), house(5), addr("Zollweg 5"), house(70)} << zero
            << QList<int>{3, 1, 2, 0};
        QTest::newRow("house down: negative after 0")
            << Order::HouseDown << QStringList{house(-5), house(0), house(100000)} << zero << QList<int>{2, 1, 0};
        QTest::newRow("house up: beyond five digits last")
            << Order::HouseUp << QStringList{house(100000), house(99999), house(-1), house(7)} << zero
            << QList<int>{2, 3, 1, 0};
        QTest::newRow("house up: ties kept")
            << Order::HouseUp << QStringList{addr("Zollweg 5"), house(3), house(5)} << zero << QList<int>{1, 0, 2};

        QTest::newRow("type: catalogue order")
            << Order::Type
            << QStringList{line("A 1", "Versteck", "1", kNone), line("A 2", bank, "1", kNone),
                           line("A 3", "Casino", "1", kNone), line("A 4", "Hotelzimmer", "1", kNone),
                           line("A 5", bank, "2", kNone)}
            << zero << QList<int>{2, 1, 4, 0, 3};

        QTest::newRow("distance: both sides of the hideout keep order")
            << Order::Distance << QStringList{house(110), house(90), house(100), house(300)}
            << QStringLiteral("100") << QList<int>{2, 0, 1, 3};
        QTest::newRow("distance: 90 before 110 when listed first")
            << Order::Distance << QStringList{house(90), house(110)} << QStringLiteral("100") << QList<int>{0, 1};
        QTest::newRow("distance: no hideout equals house number order")
            << Order::Distance << QStringList{house(40), house(3), house(0), house(12)} << zero
            << QList<int>{2, 1, 3, 0};
        QTest::newRow("distance: beyond 99999 placed by distance")
            << Order::Distance << QStringList{house(-100000), house(200000), house(5)} << QStringLiteral("10")
            << QList<int>{2, 0, 1};

        QTest::newRow("traps: none before missing brackets")
            << Order::Traps
            << QStringList{line("A 1", bank, "1", "[Fallgitter, Falltüre]"), line("A 2", bank, "1", ""),
                           line("A 3", bank, "1", kNone), line("A 4", bank, "1", "[]")}
            << zero << QList<int>{2, 1, 3, 0};
    }

    void orders()
    {
        QFETCH(Order, order);
        QFETCH(QStringList, lines);
        QFETCH(QString, hideout);
        QFETCH(QList<int>, expected);
        QStringList want;
        for (int i : expected)
            want << lines[i];
        QCOMPARE(runOrder(order, lines, hideout), want);
    }

    // The pass schemes are the definition; on lists with many ties and keys
    // inside their ranges the real orders must give the same lists.
    void agreesWithPassSchemes_data()
    {
        QTest::addColumn<Order>("order");
        QTest::addColumn<quint32>("seed");
        for (quint32 seed : {1u, 2u, 3u}) {
            QTest::addRow("sg %u", seed) << Order::SG << seed;
            QTest::addRow("address %u", seed) << Order::Address << seed;
            QTest::addRow("house down %u", seed) << Order::HouseDown << seed;
            QTest::addRow("house up %u", seed) << Order::HouseUp << seed;
            QTest::addRow("type %u", seed) << Order::Type << seed;
            QTest::addRow("distance %u", seed) << Order::Distance << seed;
            QTest::addRow("traps %u", seed) << Order::Traps << seed;
        }
    }

    void agreesWithPassSchemes()
    {
        QFETCH(Order, order);
        QFETCH(quint32, seed);
        const QStringList lines = randomList(seed, 300);
        const QString hideout = QStringLiteral("12");
        QStringList reference;
        switch (order) {
        case Order::SG:
            reference = test::bestKeyPasses(lines, [](QStringView l) { return sgPlusTraps(l); }, 125, false);
            break;
        case Order::Address: reference = test::addressPasses(lines); break;
        case Order::HouseDown:
            reference = test::bestKeyPasses(lines, [](QStringView l) { return qint64(getHouseNumber(l)); }, 0, true);
            break;
        case Order::HouseUp:
            reference = test::bestKeyPasses(lines, [](QStringView l) { return qint64(getHouseNumber(l)); }, 99999, false);
            break;
        case Order::Type:
            reference = test::fixedKeyPasses(lines, [](QStringView l) { return qint64(buildingTypeIndexOfLine(l)); }, 37);
            break;
        case Order::Distance: reference = test::distancePasses(lines, hideout); break;
        case Order::Traps:
            reference = test::fixedKeyPasses(lines, [](QStringView l) { return qint64(countTraps(l)); }, 25);
            break;
        }
        QCOMPARE(reference.size(), lines.size());
        QCOMPARE(runOrder(order, lines, hideout), reference);
    }

    void conversionErrors_data()
    {
        QTest::addColumn<Order>("order");
        QTest::addColumn<QString>("hideout");
        QTest::addColumn<QString>("message"); // empty: no error
        const QString bad12a = QStringLiteral("'12a' ist kein gültiger Integerwert");
        QTest::newRow("house down") << Order::HouseDown << "0" << bad12a;
        QTest::newRow("house up") << Order::HouseUp << "0" << bad12a;
        QTest::newRow("distance") << Order::Distance << "0" << bad12a;
        QTest::newRow("distance, bad hideout first") << Order::Distance << "abc"
                                                     << QStringLiteral("'abc' ist kein gültiger Integerwert");
        QTest::newRow("sg") << Order::SG << "0" << QString();
        QTest::newRow("address") << Order::Address << "0" << QString();
        QTest::newRow("type") << Order::Type << "0" << QString();
        QTest::newRow("traps") << Order::Traps << "0" << QString();
    }

    void conversionErrors()
    {
        QFETCH(Order, order);
        QFETCH(QString, hideout);
        QFETCH(QString, message);
        // The first bad line from the top is named.
        const QStringList lines{line("Lindenallee 5", "Bank", "45", kNone), line("Lindenallee 12a", "Bank", "45", kNone),
                                line("Lindenallee 13b", "Bank", "45", kNone)};
        QString got;
        try {
            const QStringList result = runOrder(order, lines, hideout);
            QCOMPARE(result.size(), lines.size());
        } catch (const VeltrixError &e) {
            got = e.message();
        }
        QCOMPARE(got, message);
    }

    void emptyListNeverFails()
    {
        for (Order order : {Order::SG, Order::Address, Order::HouseDown, Order::HouseUp, Order::Type,
                            Order::Distance, Order::Traps})
            QVERIFY(runOrder(order, {}, QStringLiteral("abc")).isEmpty());
    }

    void windows1252Comparison_data()
    {
        QTest::addColumn<QString>("a");
        QTest::addColumn<QString>("b");
        QTest::addColumn<int>("sign");
        QTest::newRow("equal") << "Lindenallee 9" << "Lindenallee 9" << 0;
        QTest::newRow("prefix") << "Am" << "Am Markt" << -1;
        QTest::newRow("empty first") << "" << "A" << -1;
        QTest::newRow("case: upper before lower") << "Zoll" << "alt" << -1;
        QTest::newRow("euro 0x80 after Z") << "€" << "Z" << 1;
        QTest::newRow("euro 0x80 before Ä 0xC4") << "€" << "Ä" << -1;
        QTest::newRow("Œ 0x8C before ¡ 0xA1") << "Œ" << "¡" << -1;
        QTest::newRow("ÿ 0xFF before no code") << "ÿ" << "Ā" << -1;
        QTest::newRow("ÿ then more after ÿ") << "ÿa" << "ÿ" << 1;
        QTest::newRow("no code by UTF-16") << "Ā" << "ā" << -1;
        QTest::newRow("no code after every code") << "Āa" << "ÿÿ" << 1;
    }

    void windows1252Comparison()
    {
        QFETCH(QString, a);
        QFETCH(QString, b);
        QFETCH(int, sign);
        auto sgn = [](int v) { return (v > 0) - (v < 0); };
        QCOMPARE(sgn(compareWindows1252(a, b)), sign);
        QCOMPARE(sgn(compareWindows1252(b, a)), -sign);
        // The byte key must give the same order as the comparison.
        const QByteArray ka = windows1252SortKey(a);
        const QByteArray kb = windows1252SortKey(b);
        QCOMPARE(sgn(ka < kb ? -1 : kb < ka ? 1 : 0), sign);
    }
};

QTEST_GUILESS_MAIN(TestOrders)
#include "tst_orders.moc"
