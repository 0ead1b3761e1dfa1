#include "core/screenfit.h"

#include <QtTest>

using namespace veltrix;

using Areas = QList<QRect>;
Q_DECLARE_METATYPE(Areas)

class TestScreenFit : public QObject {
    Q_OBJECT

private slots:
    void fitFrame_data()
    {
        QTest::addColumn<QRect>("frame");
        QTest::addColumn<Areas>("areas");
        QTest::addColumn<int>("primary");
        QTest::addColumn<QRect>("expected");

        // Available areas: a panel of 30 pixels at the bottom.
        const QRect large(0, 0, 1920, 1170);
        const QRect sxga(0, 0, 1280, 994);
        const QRect laptop(0, 0, 1366, 738);
        const QRect right(1920, 0, 1280, 994); // a second screen beside the large one
        const QRect above(0, -1024, 1280, 1024);

        QTest::newRow("inside stays") << QRect(311, 163, 851, 532) << Areas{large} << 0 << QRect(311, 163, 851, 532);
        QTest::newRow("touching both far edges stays") << QRect(429, 462, 851, 532) << Areas{sxga} << 0
                                                       << QRect(429, 462, 851, 532);
        QTest::newRow("right overhang") << QRect(311, 163, 1246, 767) << Areas{sxga} << 0 << QRect(34, 163, 1246, 767);
        QTest::newRow("one pixel over the right edge") << QRect(430, 10, 851, 532) << Areas{sxga} << 0
                                                       << QRect(429, 10, 851, 532);
        QTest::newRow("bottom overhang") << QRect(100, 600, 851, 532) << Areas{sxga} << 0 << QRect(100, 462, 851, 532);
        QTest::newRow("above and left of the area") << QRect(-20, -5, 400, 300) << Areas{sxga} << 0
                                                    << QRect(0, 0, 400, 300);
        QTest::newRow("taller than the area") << QRect(311, 163, 1246, 767) << Areas{laptop} << 0
                                              << QRect(120, 0, 1246, 738);
        QTest::newRow("larger both ways") << QRect(50, 50, 1500, 900) << Areas{laptop} << 0 << QRect(0, 0, 1366, 738);
        QTest::newRow("saved place on a screen no longer there") << QRect(-2500, 3000, 851, 532) << Areas{sxga} << 0
                                                                 << QRect(0, 462, 851, 532);
        QTest::newRow("off every screen goes to the primary one") << QRect(-2500, 3000, 851, 532)
                                                                  << Areas{large, right} << 1
                                                                  << QRect(1920, 462, 851, 532);
        QTest::newRow("on the second screen") << QRect(2100, 100, 851, 532) << Areas{large, right} << 0
                                              << QRect(2100, 100, 851, 532);
        QTest::newRow("over the second screen's right edge") << QRect(2900, 100, 851, 532) << Areas{large, right} << 0
                                                             << QRect(2349, 100, 851, 532);
        // Across two screens: the one it covers most holds it.
        QTest::newRow("mostly on the left screen") << QRect(1400, 100, 851, 532) << Areas{large, right} << 1
                                                   << QRect(1069, 100, 851, 532);
        QTest::newRow("mostly on the right screen") << QRect(1800, 100, 851, 532) << Areas{large, right} << 0
                                                    << QRect(1920, 100, 851, 532);
        QTest::newRow("screen above the primary") << QRect(100, -1100, 851, 532) << Areas{sxga, above} << 0
                                                  << QRect(100, -1024, 851, 532);
        QTest::newRow("no screen at all") << QRect(5, 5, 851, 532) << Areas{} << 0 << QRect(5, 5, 851, 532);
    }
    void fitFrame()
    {
        QFETCH(QRect, frame);
        QFETCH(Areas, areas);
        QFETCH(int, primary);
        QFETCH(QRect, expected);
        QCOMPARE(veltrix::fitFrame(frame, areas, primary), expected);
    }
};

QTEST_GUILESS_MAIN(TestScreenFit)
#include "tst_screenfit.moc"
