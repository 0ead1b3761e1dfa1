#include "core/merge.h"

#include <QtTest>

using namespace veltrix;

namespace {

QString bank(const QString &address, int sg)
{
    return QStringLiteral("%1: Bank (SG: %2%) Keine Ausbauten vorhanden").arg(address).arg(sg);
}

} // namespace

class TestMerge : public QObject {
    Q_OBJECT

private slots:
    void merge_data()
    {
        QTest::addColumn<QStringList>("list");
        QTest::addColumn<QStringList>("report");
        QTest::addColumn<QStringList>("expected");
        // neu, geändert, unverändert, nicht im Bericht
        QTest::addColumn<QList<qsizetype>>("counts");

        const QString a1 = bank(QStringLiteral("Lindenallee 1"), 40);
        const QString a1b = bank(QStringLiteral("Lindenallee 1"), 47);
        const QString a1c = bank(QStringLiteral("Lindenallee 1"), 30);
        const QString b2 = bank(QStringLiteral("Zollstraße 2"), 41);
        const QString b2b = bank(QStringLiteral("Zollstraße 2"), 44);
        const QString c3 = bank(QStringLiteral("Am Markt 3"), 42);
        const QString d4 = bank(QStringLiteral("Am Markt 4"), 43);
        // The key is the whole address, compared exactly.
        const QString a1lower = bank(QStringLiteral("lindenallee 1"), 45);

        QTest::newRow("replace in place") << QStringList{a1, b2, c3} << QStringList{b2b}
                                          << QStringList{a1, b2b, c3} << QList<qsizetype>{0, 1, 0, 2};
        QTest::newRow("append in report order") << QStringList{a1} << QStringList{d4, c3, a1lower}
                                                << QStringList{a1, d4, c3, a1lower} << QList<qsizetype>{3, 0, 0, 1};
        QTest::newRow("keep and replace") << QStringList{a1, b2, c3} << QStringList{d4, a1b}
                                          << QStringList{a1b, b2, c3, d4} << QList<qsizetype>{1, 1, 0, 2};
        QTest::newRow("equal") << QStringList{a1, b2} << QStringList{b2, a1}
                               << QStringList{a1, b2} << QList<qsizetype>{0, 0, 2, 0};
        QTest::newRow("repeated key takes the first") << QStringList{a1, b2} << QStringList{a1b, d4, a1c, d4}
                                                      << QStringList{a1b, b2, d4} << QList<qsizetype>{1, 1, 0, 1};
        QTest::newRow("empty report") << QStringList{a1, b2} << QStringList{}
                                      << QStringList{a1, b2} << QList<qsizetype>{0, 0, 0, 2};
        QTest::newRow("invalid lines only")
            << QStringList{a1} << QStringList{QString(), QStringLiteral("Lindenallee 1: Schloss (SG: 1%)"), QStringLiteral("Lindenallee 1")}
            << QStringList{a1} << QList<qsizetype>{0, 0, 0, 1};
        // Blanks and tabs around the address do not make another building;
        // blanks inside it do.
        QTest::newRow("padded address in the report")
            << QStringList{a1, b2} << QStringList{bank(QStringLiteral(" \tLindenallee 1"), 47), bank(QStringLiteral("Zollstraße  2"), 44)}
            << QStringList{bank(QStringLiteral(" \tLindenallee 1"), 47), b2, bank(QStringLiteral("Zollstraße  2"), 44)}
            << QList<qsizetype>{1, 1, 0, 1};
        QTest::newRow("padded address in the list")
            << QStringList{bank(QStringLiteral("\tZollstraße 2 \t"), 41), c3} << QStringList{b2b}
            << QStringList{b2b, c3} << QList<qsizetype>{0, 1, 0, 1};
        // A line without an address meets the report's first such line, so
        // that merging the same report again adds nothing.
        QTest::newRow("no address meets no address")
            << QStringList{a1, QStringLiteral("XBank Keine Ausbauten vorhanden")}
            << QStringList{QStringLiteral("XBank [Fallgitter]"), QStringLiteral("YBank [Nagelbrett]")}
            << QStringList{a1, QStringLiteral("XBank [Fallgitter]")} << QList<qsizetype>{0, 1, 0, 1};
        QTest::newRow("invalid lines are skipped") << QStringList{a1} << QStringList{QStringLiteral("Lindenallee 1: Wolkenkratzer"), a1b}
                                                   << QStringList{a1b} << QList<qsizetype>{0, 1, 0, 0};
    }

    void merge()
    {
        QFETCH(QStringList, list);
        QFETCH(QStringList, report);
        QFETCH(QStringList, expected);
        QFETCH(QList<qsizetype>, counts);
        const MergeResult r = mergeReport(list, report);
        QCOMPARE(r.lines, expected);
        QCOMPARE((QList<qsizetype>{r.added, r.changed, r.unchanged, r.missing}), counts);
        QCOMPARE(r.hasReport, r.added + r.changed + r.unchanged > 0);
        QCOMPARE(mergeSummary(r), QStringLiteral("Abgleich: %1 neu, %2 geändert, %3 unverändert, %4 nicht im Bericht")
                                      .arg(counts[0]).arg(counts[1]).arg(counts[2]).arg(counts[3]));
    }
};

QTEST_GUILESS_MAIN(TestMerge)
#include "tst_merge.moc"
