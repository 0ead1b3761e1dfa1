#include "core/advisors.h"

#include <QtTest>

#include <limits>

using namespace veltrix;

namespace {

const QString kKeine = QStringLiteral("keine, sofortige Übernahme möglich");

QString bank(const QString &sg, const QString &traps)
{
    return QStringLiteral("Lindenallee 117: Bank (SG: %1%) %2").arg(sg, traps);
}

} // namespace

class TestAdvisors : public QObject {
    Q_OBJECT

private slots:
    void riotLevels_data()
    {
        QTest::addColumn<qint64>("value");
        QTest::addColumn<QString>("required");
        QTest::addColumn<QString>("recommended");
        QTest::newRow("0") << qint64(0) << kKeine << kKeine;
        QTest::newRow("44") << qint64(44) << kKeine << kKeine;
        QTest::newRow("45") << qint64(45) << "Leichte Schulter" << "Leichte Schulter";
        QTest::newRow("52") << qint64(52) << "Leichte Schulter" << "Leichte Schulter";
        QTest::newRow("53") << qint64(53) << "Desinteressiert" << "Desinteressiert";
        QTest::newRow("60") << qint64(60) << "Desinteressiert" << "Desinteressiert";
        QTest::newRow("61") << qint64(61) << "Nicht bei der Sache" << "Nicht bei der Sache";
        QTest::newRow("68") << qint64(68) << "Nicht bei der Sache" << "Nicht bei der Sache";
        QTest::newRow("69") << qint64(69) << "Unaufmerksam" << "Unaufmerksam";
        QTest::newRow("76") << qint64(76) << "Unaufmerksam" << "Unaufmerksam";
        QTest::newRow("77") << qint64(77) << "Normal" << "Normal";
        QTest::newRow("84") << qint64(84) << "Normal" << "Normal";
        QTest::newRow("85") << qint64(85) << "Motiviert" << "Motiviert";
        QTest::newRow("92") << qint64(92) << "Motiviert" << "Motiviert";
        QTest::newRow("93") << qint64(93) << "Brutal" << "Brutal";
        QTest::newRow("200") << qint64(200) << "Brutal" << "Brutal";
        QTest::newRow("201") << qint64(201) << "" << "Extrem";
        QTest::newRow("-1") << qint64(-1) << "" << "Extrem";
        QTest::newRow("beyond 32 bits") << qint64(1) + 0x7fffffff << "" << "Extrem";
    }

    void riotLevels()
    {
        QFETCH(qint64, value);
        QFETCH(QString, required);
        QFETCH(QString, recommended);
        QCOMPARE(riotLevel(value, false), required);
        QCOMPARE(riotLevel(value, true), recommended);
    }

    void advisors_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("robberies");
        QTest::addColumn<QString>("required");
        QTest::addColumn<QString>("recommended");

        QTest::newRow("no heavy trap")
            << bank("45", "[Sicherheitsschloß, Fallgitter, Nagelbrett]") << "1" << "Leichte Schulter"
            << "Leichte Schulter";
        QTest::newRow("at once") << bank("40", "Keine Ausbauten vorhanden") << "0" << kKeine << kKeine;
        QTest::newRow("44 plus one trap") << bank("44", "[Fallgitter]") << "1" << "Leichte Schulter"
                                          << "Leichte Schulter";
        QTest::newRow("40 plus ten traps") << bank("40", "[a, b, c, d, e, f, g, h, i, j]") << "2"
                                           << "Leichte Schulter" << "Leichte Schulter";
        QTest::newRow("laser sets 201") << bank("80", "[Laserwaffen]") << "8" << "Normal" << "Extrem";
        QTest::newRow("killer viruses") << bank("45", "[Killerviren]") << "1" << "Leichte Schulter" << "Extrem";
        QTest::newRow("ultrasound after lighter kinds") << bank("50", "[Ultraschallwaffe, Vakuumfalle]") << "2"
                                                        << "Leichte Schulter" << "Extrem";
        QTest::newRow("vacuum and glare") << bank("60", "[Vakuumfalle, Blendlichter]") << "4" << "Desinteressiert"
                                          << "Unaufmerksam";
        QTest::newRow("glare adds 4") << bank("48", "[Blendlichter]") << "1" << "Leichte Schulter"
                                      << "Leichte Schulter";
        QTest::newRow("mirrors add 4, not 5") << bank("48", "[Spiegelkabinett]") << "1" << "Leichte Schulter"
                                              << "Leichte Schulter";
        QTest::newRow("dolls add 5") << bank("48", "[Irritierpuppen]") << "1" << "Leichte Schulter"
                                     << "Desinteressiert";
        QTest::newRow("gas adds 6") << bank("47", "[Betäubungsgas]") << "1" << "Leichte Schulter"
                                    << "Desinteressiert";
        QTest::newRow("positions 12 to 15 add their position")
            << bank("45", "[Vakuumfalle, Säurenebel, Selbstschußanlage, Sprengfalle]") << "1"
            << "Leichte Schulter" << "Brutal";
        QTest::newRow("blast trap adds 15") << bank("46", "[Sprengfalle]") << "1" << "Leichte Schulter"
                                            << "Nicht bei der Sache";
        QTest::newRow("kind counted once") << bank("48", "[Blendlichter, Blendlichter]") << "2"
                                           << "Leichte Schulter" << "Leichte Schulter";
        QTest::newRow("names are case-sensitive") << bank("48", "[blendlichter, vakuumfalle]") << "2"
                                                  << "Leichte Schulter" << "Leichte Schulter";
        QTest::newRow("light kinds add nothing from 77") << bank("81", "[Blendlichter, Betäubungsgas]") << "8"
                                                         << "Normal" << "Normal";
        QTest::newRow("light kinds still count at 76") << bank("76", "[Blendlichter]") << "7" << "Unaufmerksam"
                                                       << "Normal";
        QTest::newRow("heavy kinds still count from 77") << bank("77", "[Vakuumfalle]") << "7" << "Normal"
                                                         << "Motiviert";
        QTest::newRow("traps ignored above 44 for required")
            << bank("45", "[a, b, c, d, e, f, g, h]") << "2" << "Leichte Schulter" << "Leichte Schulter";
        QTest::newRow("heavy kinds ignored up to 44") << bank("44", "[Laserwaffen]") << "1" << "Leichte Schulter"
                                                      << "Leichte Schulter";
        QTest::newRow("18 traps at 100")
            << bank("100", "[a, b, c, d, e, f, g, h, i, j, k, l, m, n, o, p, q, r]") << "15" << "Brutal"
            << "Brutal";
        QTest::newRow("robbery boundary 49") << bank("49", "Keine Ausbauten vorhanden") << "1"
                                             << "Leichte Schulter" << "Leichte Schulter";
        QTest::newRow("robbery boundary 50") << bank("50", "Keine Ausbauten vorhanden") << "2"
                                             << "Leichte Schulter" << "Leichte Schulter";
        QTest::newRow("SG 250 outside every band") << bank("250", "Keine Ausbauten vorhanden") << "42" << ""
                                                   << "Extrem";
        QTest::newRow("negative SG") << bank("-5", "Keine Ausbauten vorhanden") << "0" << "" << "Extrem";
        QTest::newRow("unreadable SG") << bank("45 ", "[Fallgitter]") << "---" << "---" << "---";
        QTest::newRow("hideout") << QStringLiteral("Lindenallee 5: Versteck (SG: 45%) [Fallgitter]") << "---"
                                 << "---" << "---";
        QTest::newRow("hotel room") << QStringLiteral("Lindenallee 5: Hotelzimmer (SG: 10%) Keine Ausbauten vorhanden")
                                    << "---" << "---" << "---";
        QTest::newRow("largest SG") << bank("2147483647", "[Sprengfalle]") << "429496721" << "" << "Extrem";
    }

    void advisors()
    {
        QFETCH(QString, line);
        QFETCH(QString, robberies);
        QFETCH(QString, required);
        QFETCH(QString, recommended);
        QCOMPARE(requiredRobberies(line), robberies);
        QCOMPARE(requiredRiots(line), required);
        QCOMPARE(recommendedRiots(line), recommended);
    }

    // The window's hideout field holds five characters, but a report line's
    // house number may be any 32-bit value.
    void walkingTime_data()
    {
        QTest::addColumn<qint32>("houseNumber");
        QTest::addColumn<qint32>("hideout");
        QTest::addColumn<qint64>("seconds");
        QTest::newRow("worked example") << 117 << 100 << qint64(88);
        QTest::newRow("lowest to highest") << std::numeric_limits<qint32>::min() << std::numeric_limits<qint32>::max()
                                           << qint64(5) * 0xFFFFFFFFLL + 3;
        QTest::newRow("highest to lowest") << std::numeric_limits<qint32>::max() << std::numeric_limits<qint32>::min()
                                           << qint64(5) * 0xFFFFFFFFLL + 3;
    }
    void walkingTime()
    {
        QFETCH(qint32, houseNumber);
        QFETCH(qint32, hideout);
        QFETCH(qint64, seconds);
        QCOMPARE(walkingSeconds(houseNumber, hideout), seconds);
    }
};

QTEST_GUILESS_MAIN(TestAdvisors)
#include "tst_advisors.moc"
