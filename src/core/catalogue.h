#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>
#include <span>

namespace veltrix {

enum class PresetClass { None, From900, From500To900 };

// One known building type. The table order is the item order of the
// building-type check list and falls by protection money.
struct BuildingType {
    const char16_t *name;
    qint32 protectionMoney;   // whole euros per building
    bool hasStatisticsRow;    // counted on the "Gebäude" tab
    int calculatorPosition;   // 1-based, 0 when the calculators do not offer it
    bool marketBuilding;
    PresetClass presetClass;

    QStringView nameView() const { return QStringView(name); }
};

std::span<const BuildingType> buildingTypes();

// Position of a type name in the catalogue (0-based), -1 when unknown.
// Exact, case-sensitive comparison.
int buildingTypeIndex(QStringView name);

QStringList buildingTypeNames();

// Number of types that pay protection money and have a statistics row (36).
int payingTypeCount();

struct CalculatorEntry {
    QString name;
    qint32 protectionMoney;
};

// The calculators' shorter list: the 31 paying non-residential types in
// calculator order, then "Versteck" and "Hotelzimmer" with 0 €.
std::span<const CalculatorEntry> calculatorCatalogue();

// The first 31 names of the calculator catalogue, shown by both SG calculators.
QStringList calculatorTypeNames();

// Protection money of a calculator entry by exact name, 0 when not found.
qint32 calculatorProtectionMoney(QStringView name);

enum class Preset { Market, From900, From500To900 };

// Names a selection preset checks, in catalogue order.
QStringList presetNames(Preset preset);

} // namespace veltrix
