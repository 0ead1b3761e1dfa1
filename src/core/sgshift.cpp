#include "sgshift.h"

#include "intconv.h"
#include "reportline.h"

#include <algorithm>

namespace veltrix {

QString shiftLineSG(QStringView line, qint64 shift, bool trapFloor)
{
    const SGPieces pieces = splitSG(line);
    const auto sg = tryStrToInt(pieces.number);
    if (!sg)
        return line.toString();
    const bool floorApplies = trapFloor && countTraps(line) > 0;
    if (floorApplies && *sg <= 50)
        return line.toString();

    // Summed in 64 bits: an SG near the 32-bit limit plus the step must not wrap.
    qint64 s = std::clamp<qint64>(qint64(*sg) + shift, 0, 100);
    if (floorApplies && s < 50)
        s = 50;
    QString out;
    out.reserve(line.size() + 3);
    out += pieces.head;
    out += QString::number(s);
    out += pieces.tail;
    return out;
}

} // namespace veltrix
