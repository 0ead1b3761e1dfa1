#include "catalogue.h"

#include <algorithm>
#include <array>
#include <vector>

namespace veltrix {

namespace {

using P = PresetClass;

constexpr std::array<BuildingType, 38> kTypes{{
    {u"Casino", 1300, true, 1, false, P::From900},
    {u"Versicherung", 1200, true, 2, false, P::From900},
    {u"Bank", 1100, true, 3, false, P::From900},
    {u"Schnell-Imbiss", 900, true, 4, false, P::From900},
    {u"Juwelier", 900, true, 5, false, P::From900},
    {u"Fabrik", 700, true, 6, false, P::From500To900},
    {u"Werbeagentur", 700, true, 7, false, P::From500To900},
    {u"Kaufhaus", 600, true, 8, false, P::From500To900},
    {u"Diskothek", 500, true, 9, false, P::From500To900},
    {u"Metzger", 500, true, 10, false, P::From500To900},
    {u"Mietskaserne", 400, true, 0, false, P::None},
    {u"Bäcker", 400, true, 11, false, P::None},
    {u"Autohändler", 300, true, 12, true, P::None},
    {u"Schraubenladen", 300, true, 13, false, P::None},
    {u"Supermarkt", 300, true, 14, false, P::None},
    {u"Brennerei", 250, true, 15, true, P::None},
    {u"Mietshaus", 250, true, 0, false, P::None},
    {u"Eigentumswohnung", 250, true, 0, false, P::None},
    {u"Einzelhaus", 250, true, 0, false, P::None},
    {u"Reihenhaus", 250, true, 0, false, P::None},
    {u"Autowerkstatt", 250, true, 16, true, P::None},
    {u"Buchhändler", 200, true, 17, false, P::None},
    {u"Flugzeughändler", 200, true, 18, true, P::None},
    {u"Waffenhändler", 200, true, 19, true, P::None},
    {u"Tankstelle", 200, true, 20, true, P::None},
    {u"Restaurant", 200, true, 21, false, P::None},
    {u"Computerladen", 120, true, 22, false, P::None},
    {u"Getränkeladen", 100, true, 23, false, P::None},
    {u"Museum", 100, true, 24, false, P::None},
    {u"Wohnhaus", 90, true, 25, false, P::None},
    {u"Kiosk", 80, true, 26, false, P::None},
    {u"Reisebüro", 70, true, 27, true, P::None},
    {u"Obstladen", 60, true, 28, false, P::None},
    {u"Schrotthändler", 50, true, 29, true, P::None},
    {u"Schreibwarenladen", 50, true, 30, false, P::None},
    {u"Fischladen", 50, true, 31, false, P::None},
    {u"Versteck", 0, false, 32, false, P::None},
    {u"Hotelzimmer", 0, false, 33, false, P::None},
}};

std::vector<CalculatorEntry> makeCalculatorCatalogue()
{
    std::vector<CalculatorEntry> entries;
    for (int pos = 1;; ++pos) {
        const auto it = std::find_if(kTypes.begin(), kTypes.end(),
                                     [pos](const BuildingType &t) { return t.calculatorPosition == pos; });
        if (it == kTypes.end())
            break;
        entries.push_back({it->nameView().toString(), it->protectionMoney});
    }
    return entries;
}

} // namespace

std::span<const BuildingType> buildingTypes()
{
    return kTypes;
}

int buildingTypeIndex(QStringView name)
{
    // Every line of a list is looked up: the names' lengths are measured once.
    static const auto names = [] {
        std::array<QStringView, kTypes.size()> views;
        for (std::size_t i = 0; i < kTypes.size(); ++i)
            views[i] = kTypes[i].nameView();
        return views;
    }();
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (names[i] == name)
            return static_cast<int>(i);
    }
    return -1;
}

QStringList buildingTypeNames()
{
    QStringList names;
    for (const auto &t : kTypes)
        names << t.nameView().toString();
    return names;
}

int payingTypeCount()
{
    int n = 0;
    for (const auto &t : kTypes)
        n += t.hasStatisticsRow ? 1 : 0;
    return n;
}

std::span<const CalculatorEntry> calculatorCatalogue()
{
    static const std::vector<CalculatorEntry> entries = makeCalculatorCatalogue();
    return entries;
}

QStringList calculatorTypeNames()
{
    QStringList names;
    for (const auto &e : calculatorCatalogue()) {
        if (e.protectionMoney > 0)
            names << e.name;
    }
    return names;
}

qint32 calculatorProtectionMoney(QStringView name)
{
    for (const auto &e : calculatorCatalogue()) {
        if (e.name == name)
            return e.protectionMoney;
    }
    return 0;
}

QStringList presetNames(Preset preset)
{
    QStringList names;
    for (const auto &t : kTypes) {
        const bool member = preset == Preset::Market ? t.marketBuilding
                            : preset == Preset::From900 ? t.presetClass == PresetClass::From900
                                                        : t.presetClass == PresetClass::From500To900;
        if (member)
            names << t.nameView().toString();
    }
    return names;
}

} // namespace veltrix
