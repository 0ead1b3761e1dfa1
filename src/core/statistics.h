#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>
#include <vector>

namespace veltrix {

struct ProtectionMoney {
    qint64 sum = 0;
    std::vector<qint32> counts; // one per catalogue position
};

// Sums the protection money of the lines and counts them per paying type.
// Lines of no known type, hideouts and hotel rooms add nothing.
ProtectionMoney protectionMoney(const QStringList &lines);

// The rows of the "Gebäude" tab: name, " :", tabs by length, count.
QStringList buildingCountRows(const std::vector<qint32> &counts);

// "1300" -> "1.300", "-34911" -> "-34.911".
QString groupThousands(QStringView decimalText);
QString groupThousands(qint64 value);

// Grouped amount followed by " €".
QString formatEuro(qint64 value);

} // namespace veltrix
