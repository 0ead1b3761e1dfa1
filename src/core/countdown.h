#pragma once

#include <QString>
#include <QStringView>
#include <QTime>
#include <optional>

namespace veltrix {

// The kitchen timer's count: minutes and seconds, both signed. Neither is
// normalised (1:75 stays 1:75), and resuming after the alarm counts on into
// negative minutes.
struct Countdown {
    qint32 minutes = 0;
    qint32 seconds = 0;
    friend bool operator==(const Countdown &, const Countdown &) = default;
};

// "minutes:seconds", ":seconds" or whole minutes; empty when a part is no
// integer.
std::optional<Countdown> parseCountdown(QStringView text);

// True when the count is worth running (more than nothing left).
inline bool hasTimeLeft(const Countdown &c) { return c.seconds > 0 || c.minutes > 0; }

// "4:00", "3:59", "0:05", "125:00", "-1:59".
QString countdownText(const Countdown &c);

// One second less; a zero second borrows from the minutes.
Countdown tickCountdown(const Countdown &c);

// The tick that reaches this state sounds the alarm.
inline bool isAlarmDue(const Countdown &c) { return c.minutes == 0 && c.seconds == 0; }

// Whole minutes from the time of day now (seconds ignored) to the clock time
// "hours:minutes", which may lie on a later day; a target equal to the
// current minute is a full day ahead. Empty when the text is no clock time
// or the wait does not fit a count of minutes.
std::optional<qint32> alarmMinutes(QStringView text, const QTime &now);

// Slider position 0..16 to the 32-bit volume word (left low, right high).
quint32 waveVolumeForPosition(int position);

// The slider position for a volume word, from its left channel.
int positionForWaveVolume(quint32 volume);

} // namespace veltrix
