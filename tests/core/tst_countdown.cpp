#include "core/countdown.h"

#include <QtTest>
#include <limits>

using namespace veltrix;

namespace {
constexpr qint32 kMin = std::numeric_limits<qint32>::min();
constexpr qint32 kMax = std::numeric_limits<qint32>::max();
} // namespace

class TestCountdown : public QObject {
    Q_OBJECT

private slots:
    void parse_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<int>("minutes");
        QTest::addColumn<int>("seconds");
        QTest::addColumn<bool>("timeLeft");
        QTest::newRow("4:00") << "4:00" << true << 4 << 0 << true;
        QTest::newRow("0:00") << "0:00" << true << 0 << 0 << false;
        QTest::newRow("0") << "0" << true << 0 << 0 << false;
        QTest::newRow("-3") << "-3" << true << -3 << 0 << false;
        QTest::newRow(":45 means 0:45") << ":45" << true << 0 << 45 << true;
        QTest::newRow("1:75 not normalised") << "1:75" << true << 1 << 75 << true;
        QTest::newRow("90 whole minutes") << "90" << true << 90 << 0 << true;
        QTest::newRow("negative minutes, seconds left") << "-1:30" << true << -1 << 30 << true;
        QTest::newRow("negative seconds only") << "0:-5" << true << 0 << -5 << false;
        QTest::newRow("blanks before parts") << " 5: 07" << true << 5 << 7 << true;
        QTest::newRow("abc") << "abc" << false << 0 << 0 << false;
        QTest::newRow("empty") << "" << false << 0 << 0 << false;
        QTest::newRow("colon only") << ":" << false << 0 << 0 << false;
        QTest::newRow("no seconds") << "4:" << false << 0 << 0 << false;
        QTest::newRow("second colon") << "1:2:3" << false << 0 << 0 << false;
        QTest::newRow("blank before colon") << "5 :00" << false << 0 << 0 << false;
        QTest::newRow("minutes overflow") << "2147483648" << false << 0 << 0 << false;
        QTest::newRow("largest minutes") << "2147483647:59" << true << kMax << 59 << true;
    }
    void parse()
    {
        QFETCH(QString, text);
        QFETCH(bool, ok);
        QFETCH(int, minutes);
        QFETCH(int, seconds);
        QFETCH(bool, timeLeft);
        const auto c = parseCountdown(text);
        QCOMPARE(c.has_value(), ok);
        if (ok) {
            QCOMPARE(*c, (Countdown{minutes, seconds}));
            QCOMPARE(hasTimeLeft(*c), timeLeft);
        }
    }

    void display_data()
    {
        QTest::addColumn<int>("minutes");
        QTest::addColumn<int>("seconds");
        QTest::addColumn<QString>("text");
        QTest::newRow("4:00") << 4 << 0 << "4:00";
        QTest::newRow("0:05") << 0 << 5 << "0:05";
        QTest::newRow("125:00") << 125 << 0 << "125:00";
        QTest::newRow("1:75") << 1 << 75 << "1:75";
        QTest::newRow("past zero") << -1 << 59 << "-1:59";
        QTest::newRow("negative seconds") << 5 << -3 << "5:-3";
    }
    void display()
    {
        QFETCH(int, minutes);
        QFETCH(int, seconds);
        QFETCH(QString, text);
        QCOMPARE(countdownText({minutes, seconds}), text);
    }

    void tick_data()
    {
        QTest::addColumn<int>("minutes");
        QTest::addColumn<int>("seconds");
        QTest::addColumn<int>("nextMinutes");
        QTest::addColumn<int>("nextSeconds");
        QTest::addColumn<bool>("alarm");
        QTest::newRow("borrow a minute") << 4 << 0 << 3 << 59 << false;
        QTest::newRow("unnormalised seconds") << 1 << 75 << 1 << 74 << false;
        QTest::newRow("last second") << 0 << 1 << 0 << 0 << true;
        QTest::newRow("resumed after the alarm") << 0 << 0 << -1 << 59 << false;
        QTest::newRow("into the next negative minute") << -1 << 0 << -2 << 59 << false;
        QTest::newRow("negative seconds run on") << 5 << -3 << 5 << -4 << false;
        QTest::newRow("no overflow at the bottom") << kMin << 0 << kMax << 59 << false;
    }
    void tick()
    {
        QFETCH(int, minutes);
        QFETCH(int, seconds);
        QFETCH(int, nextMinutes);
        QFETCH(int, nextSeconds);
        QFETCH(bool, alarm);
        const Countdown next = tickCountdown({minutes, seconds});
        QCOMPARE(next, (Countdown{nextMinutes, nextSeconds}));
        QCOMPARE(isAlarmDue(next), alarm);
    }

    void alarm_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QTime>("now");
        QTest::addColumn<int>("minutes"); // -1: refused
        QTest::newRow("five minutes ahead") << "14:10" << QTime(14, 5, 33) << 5;
        QTest::newRow("current minute is a day") << "14:05" << QTime(14, 5, 10) << 1440;
        QTest::newRow("across midnight") << "0:30" << QTime(23, 50) << 40;
        QTest::newRow("a minute ago") << "14:10" << QTime(14, 11) << 1439;
        QTest::newRow("25:00 is 1:00 tomorrow") << "25:00" << QTime(14, 5) << 655;
        QTest::newRow("0:90 is 1:30") << "0:90" << QTime(0, 0) << 90;
        QTest::newRow("0:90 after 1:30") << "0:90" << QTime(2, 0) << 1410;
        QTest::newRow("24:00 at midnight") << "24:00" << QTime(0, 0) << 1440;
        QTest::newRow("two days") << "48:00" << QTime(0, 0) << 2880;
        QTest::newRow("an hour before midnight yesterday") << "-1:00" << QTime(14, 5) << 535;
        QTest::newRow("no colon") << "1430" << QTime(14, 5) << -1;
        QTest::newRow("leading colon") << ":30" << QTime(14, 5) << -1;
        QTest::newRow("no minutes") << "14:" << QTime(14, 5) << -1;
        QTest::newRow("letters") << "ab:10" << QTime(14, 5) << -1;
        QTest::newRow("empty") << "" << QTime(14, 5) << -1;
        QTest::newRow("wait too long to count") << "99999999:00" << QTime(14, 5) << -1;
        QTest::newRow("target never reached") << "-99999:00" << QTime(14, 5) << -1;
    }
    void alarm()
    {
        QFETCH(QString, text);
        QFETCH(QTime, now);
        QFETCH(int, minutes);
        const auto wait = alarmMinutes(text, now);
        QCOMPARE(wait.has_value(), minutes >= 0);
        if (wait)
            QCOMPARE(*wait, minutes);
    }

    void volume_data()
    {
        QTest::addColumn<int>("position");
        QTest::addColumn<quint32>("volume");
        QTest::newRow("0 is 1, not silence") << 0 << quint32(0x00010001);
        QTest::newRow("1") << 1 << quint32(0x0FFF0FFF);
        QTest::newRow("8") << 8 << quint32(0x7FFF7FFF);
        QTest::newRow("16 is full") << 16 << quint32(0xFFFFFFFF);
    }
    void volume()
    {
        QFETCH(int, position);
        QFETCH(quint32, volume);
        QCOMPARE(waveVolumeForPosition(position), volume);
    }

    void sliderFromVolume_data()
    {
        QTest::addColumn<quint32>("volume");
        QTest::addColumn<int>("position");
        QTest::newRow("silent") << quint32(0) << 0;
        QTest::newRow("below half a step") << quint32(2047) << 0;
        QTest::newRow("half to even 0") << quint32(2048) << 0;
        QTest::newRow("above half") << quint32(2049) << 1;
        QTest::newRow("1.5 to even 2") << quint32(6144) << 2;
        QTest::newRow("2.5 to even 2") << quint32(10240) << 2;
        QTest::newRow("full") << quint32(0xFFFFFFFF) << 16;
        QTest::newRow("left channel decides") << quint32(0xFFFF0000) << 0;
        QTest::newRow("right channel ignored") << quint32(0x0000FFFF) << 16;
    }
    void sliderFromVolume()
    {
        QFETCH(quint32, volume);
        QFETCH(int, position);
        QCOMPARE(positionForWaveVolume(volume), position);
    }

    // The slider must not creep when the volume it set is read back.
    void everyPositionSurvivesTheRoundTrip()
    {
        for (int p = 0; p <= 16; ++p)
            QCOMPARE(positionForWaveVolume(waveVolumeForPosition(p)), p);
    }
};

QTEST_GUILESS_MAIN(TestCountdown)
#include "tst_countdown.moc"
