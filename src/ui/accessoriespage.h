#pragma once

#include "core/countdown.h"
#include "platform/platform.h"

#include <QWidget>
#include <functional>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QSlider;
class QTimer;

namespace veltrix {

class ReportList;

// The page "Zubehör": the kitchen timer (countdown, alarm clock, alarm
// sound), the volume slider and the note box.
class AccessoriesPage : public QWidget {
    Q_OBJECT

public:
    // shownWindow names the window to flash when the alarm sounds.
    AccessoriesPage(ReportList &list, const Platform &platform, std::function<QWidget *()> shownWindow,
                    QWidget *parent = nullptr);

    // Sets the slider to the device's present volume.
    void showVolume();

private:
    QGroupBox *createTimer();
    QGroupBox *createNote();
    void startCountdown();
    void startAlarmClock();
    void tick();
    // True while the note box is shown; the display follows when it closes.
    bool runAlarm();
    void toggleTimer();
    void applyVolume();
    void showCountdown();

    ReportList &m_list;
    Platform m_platform;
    std::function<QWidget *()> m_shownWindow;
    Countdown m_countdown;
    QLineEdit *m_alarmTime = nullptr;
    QLineEdit *m_minutes = nullptr;
    QLabel *m_display = nullptr;
    QComboBox *m_sound = nullptr;
    QCheckBox *m_notice = nullptr;
    QSlider *m_volume = nullptr;
    QPlainTextEdit *m_note = nullptr;
    QTimer *m_timer = nullptr;
};

} // namespace veltrix
