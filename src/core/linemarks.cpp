#include "linemarks.h"

#include "advisors.h"
#include "catalogue.h"
#include "reportline.h"

namespace veltrix {

LineMarks lineMarks(QStringView line)
{
    const int type = buildingTypeIndexOfLine(line);
    if (type < 0)
        return {WorthBand::Plain, false, true};
    const qint32 money = buildingTypes()[type].protectionMoney;
    const WorthBand band = money >= 900 ? WorthBand::From900 : money >= 500 ? WorthBand::From500 : WorthBand::Plain;
    return {band, takenOverAtOnce(line), false};
}

} // namespace veltrix
