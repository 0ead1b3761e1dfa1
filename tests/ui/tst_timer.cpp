#include "support/fakeplatform.h"
#include "support/controls.h"
#include "ui/mainfrm.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSlider>
#include <QTimer>
#include <QtTest>
#include <memory>

using namespace veltrix;
using namespace veltrix::test;

class TestTimer : public QObject {
    Q_OBJECT

private:
    static void startCountdown(TfrmMain &w, const QString &text)
    {
        control<QLineEdit>(w, "TimerE")->setText(text);
        QTest::mouseClick(control<QPushButton>(w, "Button6"), Qt::LeftButton);
    }
    static void ticks(TfrmMain &w, int n)
    {
        for (int i = 0; i < n; ++i)
            QVERIFY(QMetaObject::invokeMethod(control<QTimer>(w, "Timer1"), "timeout"));
    }

private slots:
    void controlsAndDefaults()
    {
        test::FakePlatform fakes;
        TfrmMain w(fakes.platform());
        QCOMPARE(control<QGroupBox>(w, "GroupTimer")->title(), QStringLiteral(" Timer "));
        QCOMPARE(control<QGroupBox>(w, "GroupNotiz")->title(), QStringLiteral(" Notiz / MessageBox "));
        QVERIFY(control<QWidget>(w, "TabZubehoer")->isAncestorOf(control<QGroupBox>(w, "GroupTimer")));
        QVERIFY(control<QWidget>(w, "TabZubehoer")->isAncestorOf(control<QGroupBox>(w, "GroupNotiz")));
        QVERIFY(control<QGroupBox>(w, "GroupNotiz")->isAncestorOf(control<QPlainTextEdit>(w, "Notiz")));
        QCOMPARE(control<QLabel>(w, "Label6")->text(), QStringLiteral("Uhrzeit:"));
        QCOMPARE(control<QLabel>(w, "Label11")->text(), QStringLiteral("Minuten:"));
        QCOMPARE(control<QLabel>(w, "Label5")->text(), QStringLiteral("click timer to start/stop"));
        QCOMPARE(control<QLineEdit>(w, "TimerEUhr")->text(), QStringLiteral("0:00"));
        QCOMPARE(control<QLineEdit>(w, "TimerE")->text(), QStringLiteral("4:00"));
        QCOMPARE(control<QLabel>(w, "TimerA")->text(), QStringLiteral("0:00"));
        QCOMPARE(control<QPushButton>(w, "Button6")->text(), QStringLiteral("Go!"));
        QCOMPARE(control<QPushButton>(w, "Button9")->text(), QStringLiteral("Go!"));
        QCOMPARE(control<QCheckBox>(w, "TimerNotice")->text(), QStringLiteral("MessageBox"));
        QVERIFY(!control<QCheckBox>(w, "TimerNotice")->isChecked());
        QVERIFY(control<QComboBox>(w, "Sound")->isEditable());
        QStringList items;
        for (int i = 0; i < control<QComboBox>(w, "Sound")->count(); ++i)
            items << control<QComboBox>(w, "Sound")->itemText(i);
        QCOMPARE(items, (QStringList{"Timer1", "Timer2", "Timer3", "no sound"}));
        QCOMPARE(control<QComboBox>(w, "Sound")->currentText(), QStringLiteral("Timer2"));
        QCOMPARE(control<QSlider>(w, "TrackBar1")->minimum(), 0);
        QCOMPARE(control<QSlider>(w, "TrackBar1")->maximum(), 16);
        QCOMPARE(control<QSlider>(w, "TrackBar1")->value(), 0);
        QVERIFY(control<QPlainTextEdit>(w, "Notiz")->toPlainText().isEmpty());
        QCOMPARE(control<QTimer>(w, "Timer1")->interval(), 1000);
        QCOMPARE(control<QTimer>(w, "Timer1")->timerType(), Qt::PreciseTimer);
        QVERIFY(!control<QTimer>(w, "Timer1")->isActive());
        QCOMPARE(w.findChild<QTimer *>(QStringLiteral("Timer1")), control<QTimer>(w, "Timer1"));
    }

    void startCountdown_data()
    {
        QTest::addColumn<QString>("before"); // a countdown started and ticked 7 s first; empty: none
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("display");
        QTest::addColumn<QString>("fieldAfter");
        QTest::addColumn<bool>("running");
        QTest::addColumn<int>("beeps");
        QTest::newRow("4:00") << "" << "4:00" << "4:00" << "4:00" << true << 0;
        QTest::newRow("0") << "" << "0" << "0:00" << "0:00" << false << 0;
        QTest::newRow(":45") << "" << ":45" << "0:45" << ":45" << true << 0;
        QTest::newRow("abc while running") << "2:20" << "abc" << "2:13" << "abc" << false << 1;
        QTest::newRow("abc while stopped") << "" << "abc" << "0:00" << "0:00" << false << 1;
        QTest::newRow("0 replaces a running count") << "2:20" << "0" << "0:00" << "0:00" << false << 0;
    }
    void startCountdown()
    {
        QFETCH(QString, before);
        QFETCH(QString, text);
        QFETCH(QString, display);
        QFETCH(QString, fieldAfter);
        QFETCH(bool, running);
        QFETCH(int, beeps);
        test::FakePlatform fakes;
        TfrmMain w(fakes.platform());
        if (!before.isEmpty()) {
            startCountdown(w, before);
            ticks(w, 7);
        }
        startCountdown(w, text);
        QCOMPARE(control<QLabel>(w, "TimerA")->text(), display);
        QCOMPARE(control<QLineEdit>(w, "TimerE")->text(), fieldAfter);
        QCOMPARE(control<QTimer>(w, "Timer1")->isActive(), running);
        QCOMPARE(fakes.feedback.beeps, beeps);
    }

    void fourMinutesToTheAlarm()
    {
        test::FakePlatform fakes;
        TfrmMain w(fakes.platform());
        startCountdown(w, QStringLiteral("4:00"));
        QCOMPARE(control<QLabel>(w, "TimerA")->text(), QStringLiteral("4:00"));
        ticks(w, 1);
        QCOMPARE(control<QLabel>(w, "TimerA")->text(), QStringLiteral("3:59"));
        ticks(w, 238);
        QCOMPARE(control<QLabel>(w, "TimerA")->text(), QStringLiteral("0:01"));
        QCOMPARE(fakes.feedback.flashes, 0);
        QVERIFY(fakes.audio.played.isEmpty());
        QVERIFY(control<QTimer>(w, "Timer1")->isActive());
        ticks(w, 1);
        QCOMPARE(control<QLabel>(w, "TimerA")->text(), QStringLiteral("0:00"));
        QCOMPARE(fakes.feedback.flashes, 1);
        QCOMPARE(fakes.audio.played, QStringList{"TIMER2"});
        QVERIFY(!control<QTimer>(w, "Timer1")->isActive());
        QVERIFY(fakes.messageBoxes.shown.isEmpty());

        // Resuming runs on below zero without a second alarm.
        QTest::mouseClick(control<QLabel>(w, "TimerA"), Qt::LeftButton);
        QVERIFY(control<QTimer>(w, "Timer1")->isActive());
        ticks(w, 1);
        QCOMPARE(control<QLabel>(w, "TimerA")->text(), QStringLiteral("-1:59"));
        ticks(w, 60);
        QCOMPARE(control<QLabel>(w, "TimerA")->text(), QStringLiteral("-2:59"));
        QCOMPARE(fakes.feedback.flashes, 1);
        QCOMPARE(fakes.audio.played.size(), 1);
    }

    void timerTicksDriveTheCount()
    {
        test::FakePlatform fakes;
        TfrmMain w(fakes.platform());
        startCountdown(w, QStringLiteral("0:03"));
        QVERIFY(QMetaObject::invokeMethod(control<QTimer>(w, "Timer1"), "timeout"));
        QCOMPARE(control<QLabel>(w, "TimerA")->text(), QStringLiteral("0:02"));
    }

    void clickOnTheDisplayPausesAndResumes()
    {
        test::FakePlatform fakes;
        TfrmMain w(fakes.platform());
        startCountdown(w, QStringLiteral("2:00"));
        QTest::mouseClick(control<QLabel>(w, "TimerA"), Qt::LeftButton);
        QVERIFY(!control<QTimer>(w, "Timer1")->isActive());
        QCOMPARE(control<QLabel>(w, "TimerA")->text(), QStringLiteral("2:00"));
        QTest::mouseClick(control<QLabel>(w, "TimerA"), Qt::LeftButton);
        QVERIFY(control<QTimer>(w, "Timer1")->isActive());
        // A press that ends outside the panel is no click.
        QTest::mousePress(control<QLabel>(w, "TimerA"), Qt::LeftButton);
        QTest::mouseRelease(control<QLabel>(w, "TimerA"), Qt::LeftButton, {}, QPoint(-5, -5));
        QVERIFY(control<QTimer>(w, "Timer1")->isActive());
    }

    void alarmSoundAndNote_data()
    {
        QTest::addColumn<QString>("sound");
        QTest::addColumn<bool>("notice");
        QTest::addColumn<QString>("note");
        QTest::addColumn<QStringList>("played");
        QTest::addColumn<bool>("box");
        QTest::newRow("Timer2 without note") << "Timer2" << false << "" << QStringList{"TIMER2"} << false;
        QTest::newRow("typed lower case") << "timer3" << true << "Kaffee!\nTür" << QStringList{"TIMER3"} << true;
        QTest::newRow("no sound shows the box") << "no sound" << true << "x" << QStringList{} << true;
        QTest::newRow("nosound shows nothing") << "nosound" << true << "x" << QStringList{} << false;
        QTest::newRow("nosound is exact") << "NoSound" << true << "x" << QStringList{} << true;
        QTest::newRow("empty note") << "Timer1" << true << "" << QStringList{"TIMER1"} << true;
    }
    void alarmSoundAndNote()
    {
        QFETCH(QString, sound);
        QFETCH(bool, notice);
        QFETCH(QString, note);
        QFETCH(QStringList, played);
        QFETCH(bool, box);
        test::FakePlatform fakes;
        TfrmMain w(fakes.platform());
        control<QComboBox>(w, "Sound")->setEditText(sound);
        control<QCheckBox>(w, "TimerNotice")->setChecked(notice);
        control<QPlainTextEdit>(w, "Notiz")->setPlainText(note);
        startCountdown(w, QStringLiteral("0:01"));
        ticks(w, 1);
        QCOMPARE(fakes.feedback.flashes, 1);
        QCOMPARE(fakes.audio.played, played);
        QVERIFY(!control<QTimer>(w, "Timer1")->isActive());
        QCOMPARE(fakes.messageBoxes.shown.size(), box ? 1 : 0);
        if (box) {
            const MessageRequest &r = fakes.messageBoxes.shown.first();
            QCOMPARE(r.title, QStringLiteral("Time is up!"));
            QCOMPARE(r.text, note);
            QCOMPARE(r.buttons, MsgButtons::Ok);
            // The display follows only once the box is closed.
            QCOMPARE(control<QLabel>(w, "TimerA")->text(), QStringLiteral("0:01"));
            fakes.messageBoxes.closeModeless();
        }
        QCOMPARE(control<QLabel>(w, "TimerA")->text(), QStringLiteral("0:00"));
    }

    void windowStaysUsableWhileTheNoteIsOpen()
    {
        test::FakePlatform fakes;
        TfrmMain w(fakes.platform());
        control<QCheckBox>(w, "TimerNotice")->setChecked(true);
        startCountdown(w, QStringLiteral("0:01"));
        ticks(w, 1);
        QCOMPARE(fakes.messageBoxes.openModeless.size(), size_t(1));
        // A new countdown runs while the note is still open ...
        startCountdown(w, QStringLiteral("3:00"));
        ticks(w, 2);
        QCOMPARE(control<QLabel>(w, "TimerA")->text(), QStringLiteral("2:58"));
        // ... and closing the note shows that count, not a stale 0:00.
        fakes.messageBoxes.closeModeless();
        QCOMPARE(control<QLabel>(w, "TimerA")->text(), QStringLiteral("2:58"));
        QVERIFY(control<QTimer>(w, "Timer1")->isActive());
    }

    void noteClosedAfterTheWindowIsGone()
    {
        test::FakePlatform fakes;
        auto w = std::make_unique<TfrmMain>(fakes.platform());
        control<QCheckBox>(*w, "TimerNotice")->setChecked(true);
        startCountdown(*w, QStringLiteral("0:01"));
        ticks(*w, 1);
        w.reset();
        fakes.messageBoxes.closeModeless(); // must not touch the destroyed window
        QVERIFY(fakes.messageBoxes.openModeless.empty());
    }

    void alarmClock_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QTime>("now");
        QTest::addColumn<QString>("display");
        QTest::addColumn<bool>("running");
        QTest::addColumn<int>("beeps");
        QTest::newRow("14:10 at 14:05:33") << "14:10" << QTime(14, 5, 33) << "5:00" << true << 0;
        QTest::newRow("14:05 at 14:05:10") << "14:05" << QTime(14, 5, 10) << "1440:00" << true << 0;
        // Refused input pauses the running 2:13 and changes nothing else.
        QTest::newRow("1430") << "1430" << QTime(14, 5) << "2:13" << false << 1;
        QTest::newRow(":30") << ":30" << QTime(14, 5) << "2:13" << false << 1;
    }
    void alarmClock()
    {
        QFETCH(QString, text);
        QFETCH(QTime, now);
        QFETCH(QString, display);
        QFETCH(bool, running);
        QFETCH(int, beeps);
        test::FakePlatform fakes;
        TfrmMain w(fakes.platform());
        startCountdown(w, QStringLiteral("2:20"));
        ticks(w, 7);
        fakes.clock.current = QDateTime(QDate(2026, 3, 1), now);
        control<QLineEdit>(w, "TimerEUhr")->setText(text);
        QTest::mouseClick(control<QPushButton>(w, "Button9"), Qt::LeftButton);
        QCOMPARE(control<QLabel>(w, "TimerA")->text(), display);
        QCOMPARE(control<QTimer>(w, "Timer1")->isActive(), running);
        QCOMPARE(fakes.feedback.beeps, beeps);
        QCOMPARE(control<QLineEdit>(w, "TimerEUhr")->text(), text);
        QCOMPARE(control<QLineEdit>(w, "TimerE")->text(), QStringLiteral("2:20"));
    }

    void volumeOnShow_data()
    {
        QTest::addColumn<bool>("device");
        QTest::addColumn<quint32>("volume");
        QTest::addColumn<int>("position");
        QTest::addColumn<quint32>("volumeAfter");
        QTest::newRow("full") << true << quint32(0xFFFFFFFF) << 16 << quint32(0xFFFFFFFF);
        QTest::newRow("quantised, right follows left")
            << true << quint32(0x12347FF0) << 8 << quint32(0x7FFF7FFF);
        QTest::newRow("silent stays untouched") << true << quint32(0x00000000) << 0 << quint32(0);
        QTest::newRow("below half a step untouched") << true << quint32(0x00000800) << 0 << quint32(0x800);
        QTest::newRow("no device") << false << quint32(0x7FFF7FFF) << 0 << quint32(0x7FFF7FFF);
    }
    void volumeOnShow()
    {
        QFETCH(bool, device);
        QFETCH(quint32, volume);
        QFETCH(int, position);
        QFETCH(quint32, volumeAfter);
        test::FakePlatform fakes;
        fakes.audio.hasDevice = device;
        fakes.audio.volume = volume;
        TfrmMain w(fakes.platform());
        w.show();
        QCOMPARE(control<QSlider>(w, "TrackBar1")->value(), position);
        QCOMPARE(fakes.audio.volume, volumeAfter);
    }

    void sliderSetsBothChannels()
    {
        test::FakePlatform fakes;
        TfrmMain w(fakes.platform());
        control<QSlider>(w, "TrackBar1")->setValue(16);
        QCOMPARE(fakes.audio.volume, quint32(0xFFFFFFFF));
        control<QSlider>(w, "TrackBar1")->setValue(0);
        QCOMPARE(fakes.audio.volume, quint32(0x00010001));
        // Without a device the slider still moves and nothing fails loudly.
        fakes.audio.hasDevice = false;
        control<QSlider>(w, "TrackBar1")->setValue(5);
        QCOMPARE(control<QSlider>(w, "TrackBar1")->value(), 5);
        QCOMPARE(fakes.audio.volume, quint32(0x00010001));
        QVERIFY(fakes.messageBoxes.shown.isEmpty());
    }
};

QTEST_MAIN(TestTimer)
#include "tst_timer.moc"
