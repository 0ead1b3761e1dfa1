#pragma once

#include "orders.h"

#include <QString>
#include <QStringList>
#include <QStringView>
#include <optional>
#include <vector>

namespace veltrix {

// Keeps the lines whose building type is checked; checked[i] is the check
// mark of catalogue position i. Lines of no known type go.
QStringList filterByBuildingTypes(const QStringList &lines, const std::vector<bool> &checked,
                                  const LineStep &step = {});

// Keeps house numbers from..to, both included; throws the conversion error
// at the first line whose house number is not an integer.
QStringList filterByHouseNumber(const QStringList &lines, qint32 from, qint32 to, const LineStep &step = {});

// SG plus traps (an unreadable SG counts as -1) against a limit, included.
enum class SGLimit { AtMost, AtLeast };
QStringList filterBySecurityFeeling(const QStringList &lines, qint32 limit, SGLimit kind,
                                    const LineStep &step = {});

// "Übertragen": the house-number range hideout - range .. hideout + range.
// Empty when the two texts joined do not read as one integer; throws the
// conversion error when they do but one of them alone does not.
struct HouseNumberRange {
    QString from;
    QString to;
};
std::optional<HouseNumberRange> hideoutRange(QStringView hideoutText, QStringView rangeText);

} // namespace veltrix
