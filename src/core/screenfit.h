#pragma once

#include <QList>
#include <QRect>

namespace veltrix {

// Where a window's frame opens: wholly inside the available area of the
// screen it is on (the one it covers most; the primary one when it covers
// none). A frame larger than that area is made as large as the area, one
// that reaches over an edge is moved back inside; a frame already inside
// stays exactly where it is.
QRect fitFrame(const QRect &frame, const QList<QRect> &areas, qsizetype primary);

} // namespace veltrix
