#include "screenfit.h"

#include <algorithm>

namespace veltrix {

namespace {

qint64 overlap(const QRect &a, const QRect &b)
{
    const QRect common = a.intersected(b);
    return common.isEmpty() ? 0 : qint64(common.width()) * common.height();
}

} // namespace

QRect fitFrame(const QRect &frame, const QList<QRect> &areas, qsizetype primary)
{
    if (areas.isEmpty())
        return frame;
    qsizetype on = std::clamp<qsizetype>(primary, 0, areas.size() - 1);
    qint64 most = 0;
    for (qsizetype i = 0; i < areas.size(); ++i) {
        if (const qint64 covered = overlap(frame, areas[i]); covered > most) {
            most = covered;
            on = i;
        }
    }
    const QRect &area = areas[on];
    QRect fitted(frame.topLeft(), frame.size().boundedTo(area.size()));
    // The left and top edges win: the title bar and the menu stay reachable.
    fitted.moveLeft(std::max(area.left(), std::min(fitted.left(), area.right() + 1 - fitted.width())));
    fitted.moveTop(std::max(area.top(), std::min(fitted.top(), area.bottom() + 1 - fitted.height())));
    return fitted;
}

} // namespace veltrix
