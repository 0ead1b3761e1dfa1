#include "passorders.h"

#include "core/intconv.h"
#include "core/orders.h"
#include "core/reportline.h"

namespace veltrix::test {

namespace {

void tick(const PassStep &step)
{
    if (step)
        step();
}

} // namespace

QStringList bestKeyPasses(QStringList work, const std::function<qint64(QStringView)> &key, qint64 bound,
                          bool descending, const PassStep &step)
{
    QStringList result;
    while (!work.isEmpty()) {
        qint64 best = bound;
        for (const QString &line : std::as_const(work)) {
            const qint64 k = key(line);
            if (descending ? k > best : k < best)
                best = k;
            tick(step);
        }
        qsizetype moved = 0;
        for (qsizetype i = 0; i < work.size();) {
            if (key(work[i]) == best) {
                result.append(work.takeAt(i));
                ++moved;
                tick(step);
            } else {
                ++i;
            }
        }
        if (moved == 0)
            break;
    }
    return result + work;
}

QStringList addressPasses(QStringList work, const PassStep &step)
{
    QStringList result;
    while (!work.isEmpty()) {
        QString best = getAddress(work.first()).toString();
        for (const QString &line : std::as_const(work)) {
            const QStringView address = getAddress(line);
            if (compareWindows1252(address, best) < 0)
                best = address.toString();
            tick(step);
        }
        for (qsizetype i = 0; i < work.size();) {
            if (getAddress(work[i]) == best) {
                result.append(work.takeAt(i));
                tick(step);
            } else {
                ++i;
            }
        }
    }
    return result;
}

QStringList fixedKeyPasses(QStringList work, const std::function<qint64(QStringView)> &key, qint64 lastKey,
                           const PassStep &step)
{
    QStringList result;
    for (qint64 v = 0; v <= lastKey && !work.isEmpty(); ++v) {
        for (qsizetype i = 0; i < work.size();) {
            if (key(work[i]) == v) {
                result.append(work.takeAt(i));
                tick(step);
            } else {
                ++i;
            }
        }
    }
    return result + work;
}

QStringList distancePasses(QStringList work, QStringView hideoutText, const PassStep &step)
{
    QStringList result;
    qint64 target = 0;
    qint64 best = 99999;
    while (!work.isEmpty()) {
        for (qsizetype i = 0; i < work.size();) {
            const qint64 hideout = strToInt(hideoutText);
            const qint64 d = qAbs(static_cast<qint64>(getHouseNumber(work[i])) - hideout);
            if (d < best)
                best = d;
            if (d == target) {
                result.append(work.takeAt(i));
                tick(step);
            } else {
                ++i;
            }
        }
        if (target == best && best == 99999)
            break; // only distances beyond the bound remain
        target = best;
        best = 99999;
    }
    return result + work;
}

} // namespace veltrix::test
