#include "countdown.h"

#include "intconv.h"

#include <limits>

namespace veltrix {

namespace {

constexpr qint64 kMinutesPerDay = 1440;

// Counting down past the 32-bit range takes decades; wrap instead of
// overflowing into undefined behaviour.
qint32 decremented(qint32 v)
{
    return static_cast<qint32>(static_cast<quint32>(v) - 1u);
}

} // namespace

std::optional<Countdown> parseCountdown(QStringView text)
{
    QString t = text.toString();
    qsizetype colon = t.indexOf(QLatin1Char(':'));
    if (colon == 0) {
        t.prepend(QLatin1Char('0'));
        colon = 1;
    }
    if (colon > 0) {
        const auto minutes = tryStrToInt(QStringView(t).left(colon));
        const auto seconds = tryStrToInt(QStringView(t).mid(colon + 1));
        if (!minutes || !seconds)
            return std::nullopt;
        return Countdown{*minutes, *seconds};
    }
    const auto minutes = tryStrToInt(t);
    if (!minutes)
        return std::nullopt;
    return Countdown{*minutes, 0};
}

QString countdownText(const Countdown &c)
{
    QString seconds = QString::number(c.seconds);
    if (c.seconds == 0)
        seconds = QStringLiteral("00");
    else if (seconds.size() == 1)
        seconds.prepend(QLatin1Char('0'));
    return QString::number(c.minutes) + QLatin1Char(':') + seconds;
}

Countdown tickCountdown(const Countdown &c)
{
    if (c.seconds == 0)
        return {decremented(c.minutes), 59};
    return {c.minutes, decremented(c.seconds)};
}

std::optional<qint32> alarmMinutes(QStringView text, const QTime &now)
{
    const qsizetype colon = text.indexOf(QLatin1Char(':'));
    if (colon <= 0)
        return std::nullopt;
    const auto hours = tryStrToInt(text.left(colon));
    const auto minutes = tryStrToInt(text.mid(colon + 1));
    if (!hours || !minutes)
        return std::nullopt;

    const qint64 target = qint64(*hours) * 60 + *minutes;
    const qint64 current = qint64(now.hour()) * 60 + now.minute();
    qint64 wait = current > target ? kMinutesPerDay - current + target : target - current;
    if (wait == 0)
        wait = kMinutesPerDay;
    // A target far in the past or future gives no countdown that could ever
    // reach zero; it is refused like any other bad input.
    if (wait < 1 || wait > std::numeric_limits<qint32>::max())
        return std::nullopt;
    return static_cast<qint32>(wait);
}

quint32 waveVolumeForPosition(int position)
{
    const qint64 v = qAbs(qint64(position) * 4096 - 1);
    const quint32 channel = static_cast<quint32>(qMin<qint64>(v, 0xFFFF));
    return channel | (channel << 16);
}

int positionForWaveVolume(quint32 volume)
{
    const quint32 left = volume & 0xFFFF;
    const int whole = static_cast<int>(left / 4096);
    const quint32 rest = left % 4096;
    // Halves go to the even neighbour.
    if (rest > 2048 || (rest == 2048 && whole % 2 == 1))
        return whole + 1;
    return whole;
}

} // namespace veltrix
