#pragma once

#include <QString>
#include <QStringView>

namespace veltrix {

// Moves the SG number inside a report line by shift and keeps it within
// 0..100. With trapFloor, a building with traps never ends below 50, and one
// already at 50 or below stays as it is. Every other character of the line is
// kept; a line whose SG cannot be read comes back unchanged.
// The shift is 64-bit so that negating any 32-bit step cannot overflow.
QString shiftLineSG(QStringView line, qint64 shift, bool trapFloor);

} // namespace veltrix
