#pragma once

#include <QByteArray>
#include <QStringList>
#include <QStringView>
#include <functional>

namespace veltrix {

// Called once for every line looked at; drives the progress bar.
using LineStep = std::function<void()>;

// The seven orders of the report list. Each extracts every line's key once
// and sorts stably by it: lines with equal keys keep their relative order.
// Keys outside the ranges the menu texts suggest (an SG above 100, a house
// number beyond five digits, a negative one) are placed by the same rule.

// Ascending SG plus traps; an unreadable SG counts as -1.
QStringList orderBySecurityFeeling(const QStringList &lines, const LineStep &step = {});

// Ascending address, compared as unsigned Windows-1252 codes.
QStringList orderByAddress(const QStringList &lines, const LineStep &step = {});

// By house number; a line whose house number is not an integer throws the
// conversion error (the first such line from the top).
QStringList orderByHouseNumberDescending(const QStringList &lines, const LineStep &step = {});
QStringList orderByHouseNumberAscending(const QStringList &lines, const LineStep &step = {});

// By catalogue position of the building type; lines of no known type last.
QStringList orderByBuildingType(const QStringList &lines, const LineStep &step = {});

// Ascending distance |house number - hideout|. The hideout text is converted
// only when there is a line, so an empty list never fails.
QStringList orderByDistance(const QStringList &lines, QStringView hideoutText, const LineStep &step = {});

// Ascending number of traps.
QStringList orderByTrapCount(const QStringList &lines, const LineStep &step = {});

// Three-way comparison of two texts character by character as Windows-1252
// codes, the shorter of two texts where one begins the other first.
// Characters without a code sort after every code, by their UTF-16 value.
int compareWindows1252(QStringView a, QStringView b);

// Bytes whose unsigned comparison gives the same order as compareWindows1252.
QByteArray windows1252SortKey(QStringView text);

} // namespace veltrix
