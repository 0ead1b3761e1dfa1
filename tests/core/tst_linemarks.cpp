#include "core/linemarks.h"

#include <QtTest>

using namespace veltrix;

Q_DECLARE_METATYPE(WorthBand)

class TestLineMarks : public QObject {
    Q_OBJECT

private slots:
    void marks_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<WorthBand>("band");
        QTest::addColumn<bool>("easy");
        QTest::addColumn<bool>("dropped");
        const auto row = [](const char *name, const char *line, WorthBand band, bool easy, bool dropped) {
            QTest::newRow(name) << QString::fromUtf8(line) << band << easy << dropped;
        };
        row("1.300 €", "Weg 1: Casino (SG: 80%) [Fallgitter]", WorthBand::From900, false, false);
        row("900 €", "Weg 1: Juwelier (SG: 80%) [Fallgitter]", WorthBand::From900, false, false);
        row("700 €", "Weg 1: Fabrik (SG: 80%) [Fallgitter]", WorthBand::From500, false, false);
        row("500 €", "Weg 1: Metzger (SG: 80%) [Fallgitter]", WorthBand::From500, false, false);
        row("400 €", "Weg 1: Mietskaserne (SG: 80%) [Fallgitter]", WorthBand::Plain, false, false);
        row("SG 44 without traps", "Weg 1: Kiosk (SG: 44%) Keine Ausbauten vorhanden", WorthBand::Plain, true, false);
        row("SG 45 without traps", "Weg 1: Bank (SG: 45%) Keine Ausbauten vorhanden", WorthBand::From900, false, false);
        row("SG 42 and two traps", "Weg 1: Bank (SG: 42%) [Fallgitter, Falltüre]", WorthBand::From900, true, false);
        row("SG 43 and two traps", "Weg 1: Bank (SG: 43%) [Fallgitter, Falltüre]", WorthBand::From900, false, false);
        row("SG unreadable", "Weg 1: Bank (SG: x%) Keine Ausbauten vorhanden", WorthBand::From900, false, false);
        row("hideout", "Weg 1: Versteck (SG: 10%) Keine Ausbauten vorhanden", WorthBand::Plain, false, false);
        row("hotel room", "Weg 1: Hotelzimmer (SG: 10%) Keine Ausbauten vorhanden", WorthBand::Plain, false, false);
        row("unknown type", "Weg 1: Bankfiliale (SG: 10%) Keine Ausbauten vorhanden", WorthBand::Plain, false, true);
        row("no report line", "Spionagebericht vom 07.12.2026", WorthBand::Plain, false, true);
        row("empty line", "", WorthBand::Plain, false, true);
    }

    void marks()
    {
        QFETCH(QString, line);
        QFETCH(WorthBand, band);
        QFETCH(bool, easy);
        QFETCH(bool, dropped);
        QCOMPARE(lineMarks(line), (LineMarks{band, easy, dropped}));
    }
};

QTEST_GUILESS_MAIN(TestLineMarks)
#include "tst_linemarks.moc"
