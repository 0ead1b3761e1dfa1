#include "core/sgshift.h"

#include <QtTest>

using namespace veltrix;

class TestSGShift : public QObject {
    Q_OBJECT

private slots:
    void shift_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<qint64>("shift");
        QTest::addColumn<bool>("floor");
        QTest::addColumn<QString>("expected");

        const QString bank45 = QStringLiteral("Lindenallee 117: Bank (SG: 45%) [Fallgitter]");
        const QString bank60 = QStringLiteral("Lindenallee 117: Bank (SG: 60%) [Fallgitter]");
        QTest::newRow("up trapped") << bank45 << qint64(25) << false
                                    << QStringLiteral("Lindenallee 117: Bank (SG: 70%) [Fallgitter]");
        QTest::newRow("down trapped at 45 stays") << bank45 << qint64(-25) << true << bank45;
        QTest::newRow("down trapped at 50 stays")
            << QStringLiteral("Lindenallee 117: Bank (SG: 50%) [Fallgitter]") << qint64(-25) << true
            << QStringLiteral("Lindenallee 117: Bank (SG: 50%) [Fallgitter]");
        QTest::newRow("down trapped 60 floors at 50") << bank60 << qint64(-25) << true
                                                      << QStringLiteral("Lindenallee 117: Bank (SG: 50%) [Fallgitter]");
        QTest::newRow("down trapped 51 floors at 50")
            << QStringLiteral("A 1: Bank (SG: 51%) [Fallgitter, Nagelbrett]") << qint64(-25) << true
            << QStringLiteral("A 1: Bank (SG: 50%) [Fallgitter, Nagelbrett]");
        QTest::newRow("down trapped 90 by 25")
            << QStringLiteral("A 1: Bank (SG: 90%) [Fallgitter]") << qint64(-25) << true
            << QStringLiteral("A 1: Bank (SG: 65%) [Fallgitter]");
        QTest::newRow("down untrapped to 0")
            << QStringLiteral("Am Markt 3: Kiosk (SG: 10%) Keine Ausbauten vorhanden") << qint64(-25) << true
            << QStringLiteral("Am Markt 3: Kiosk (SG: 0%) Keine Ausbauten vorhanden");
        QTest::newRow("up untrapped capped at 100")
            << QStringLiteral("Am Markt 3: Kiosk (SG: 90%) Keine Ausbauten vorhanden") << qint64(25) << false
            << QStringLiteral("Am Markt 3: Kiosk (SG: 100%) Keine Ausbauten vorhanden");
        QTest::newRow("minus 5 ignores floor")
            << QStringLiteral("A 1: Bank (SG: 52%) [Fallgitter]") << qint64(-5) << false
            << QStringLiteral("A 1: Bank (SG: 47%) [Fallgitter]");
        QTest::newRow("negative step raises under down")
            << QStringLiteral("A 1: Bank (SG: 60%) [Fallgitter]") << qint64(10) << true
            << QStringLiteral("A 1: Bank (SG: 70%) [Fallgitter]");
        QTest::newRow("negative step keeps trapped 40 under down")
            << QStringLiteral("A 1: Bank (SG: 40%) [Fallgitter]") << qint64(10) << true
            << QStringLiteral("A 1: Bank (SG: 40%) [Fallgitter]");
        QTest::newRow("negative step lowers under up")
            << QStringLiteral("A 1: Bank (SG: 40%) [Fallgitter]") << qint64(-10) << false
            << QStringLiteral("A 1: Bank (SG: 30%) [Fallgitter]");
        QTest::newRow("above 100 shifted then capped")
            << QStringLiteral("A 1: Bank (SG: 150%) [Fallgitter]") << qint64(-25) << true
            << QStringLiteral("A 1: Bank (SG: 100%) [Fallgitter]");
        QTest::newRow("32-bit maximum does not wrap")
            << QStringLiteral("A 1: Bank (SG: 2147483647%) Keine Ausbauten vorhanden") << qint64(25) << false
            << QStringLiteral("A 1: Bank (SG: 100%) Keine Ausbauten vorhanden");
        QTest::newRow("negated 32-bit minimum step")
            << QStringLiteral("A 1: Bank (SG: 60%) Keine Ausbauten vorhanden") << qint64(2147483648LL) << true
            << QStringLiteral("A 1: Bank (SG: 100%) Keine Ausbauten vorhanden");
        QTest::newRow("hex SG rewritten in decimal")
            << QStringLiteral("A 1: Bank (SG: $10%) Keine Ausbauten vorhanden") << qint64(4) << false
            << QStringLiteral("A 1: Bank (SG: 20%) Keine Ausbauten vorhanden");
        QTest::newRow("unreadable SG unchanged")
            << QStringLiteral("A 1: Bank (SG: ??%) [Fallgitter]") << qint64(25) << false
            << QStringLiteral("A 1: Bank (SG: ??%) [Fallgitter]");
        QTest::newRow("no parenthesis unchanged")
            << QStringLiteral("A 1: Bank SG: 45% [Fallgitter]") << qint64(25) << false
            << QStringLiteral("A 1: Bank SG: 45% [Fallgitter]");
        QTest::newRow("empty line") << QString() << qint64(25) << false << QString();
        QTest::newRow("other bytes kept, umlauts and trailing blanks")
            << QStringLiteral("Öhlmühlenweg 7: Bäcker (SG: 33%) [Säurenebel, Blendlichter]  ") << qint64(25) << false
            << QStringLiteral("Öhlmühlenweg 7: Bäcker (SG: 58%) [Säurenebel, Blendlichter]  ");
        QTest::newRow("leading zero written in decimal")
            << QStringLiteral("A 1: Bank (SG: 07%) Keine Ausbauten vorhanden") << qint64(0) << false
            << QStringLiteral("A 1: Bank (SG: 7%) Keine Ausbauten vorhanden");
    }
    void shift()
    {
        QFETCH(QString, line);
        QFETCH(qint64, shift);
        QFETCH(bool, floor);
        QFETCH(QString, expected);
        QCOMPARE(shiftLineSG(line, shift, floor), expected);
    }
};

QTEST_GUILESS_MAIN(TestSGShift)
#include "tst_sgshift.moc"
