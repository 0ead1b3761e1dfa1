// The takeover advisors on any line: each answers "---" for the same lines,
// robberies are a non-negative count, riot levels come from their bands.

#include "fuzzcheck.h"

#include "core/advisors.h"
#include "core/reportline.h"

#include <fuzzer/FuzzedDataProvider.h>

using namespace veltrix;

namespace {

bool isBand(const QString &text)
{
    static const QStringList bands{
        QStringLiteral("keine, sofortige Übernahme möglich"), QStringLiteral("Leichte Schulter"),
        QStringLiteral("Desinteressiert"), QStringLiteral("Nicht bei der Sache"), QStringLiteral("Unaufmerksam"),
        QStringLiteral("Normal"), QStringLiteral("Motiviert"), QStringLiteral("Brutal"),
    };
    return bands.contains(text);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    FuzzedDataProvider provider(data, size);
    const qint64 value = provider.ConsumeIntegral<qint64>();
    const std::string rest = provider.ConsumeRemainingBytesAsString();
    const QString line = QString::fromUtf8(rest.data(), static_cast<qsizetype>(rest.size()));

    const QString required = riotLevel(value, false);
    const QString recommended = riotLevel(value, true);
    const bool inBands = value >= 0 && value <= 200;
    FUZZ_CHECK(inBands ? isBand(required) && recommended == required
                       : required.isEmpty() && recommended == QStringLiteral("Extrem"));

    const QString robberies = requiredRobberies(line);
    const QString riots = requiredRiots(line);
    const QString recommendedLevel = recommendedRiots(line);
    const QString none = QStringLiteral("---");
    FUZZ_CHECK_TEXT((robberies == none) == (riots == none) && (riots == none) == (recommendedLevel == none), line);
    const QStringView type = getBuildingType(line);
    const bool noTakeover = getSG(line) == -1 || type == u"Versteck" || type == u"Hotelzimmer";
    FUZZ_CHECK_TEXT((robberies == none) == noTakeover, line);
    if (noTakeover)
        return 0;

    bool ok = false;
    const qint64 count = robberies.toLongLong(&ok);
    FUZZ_CHECK_TEXT(ok && count >= 0 && QString::number(count) == robberies, robberies);
    // One robbery lowers SG plus traps by up to 5 towards the takeover at 44.
    const qint64 over = qint64(getSG(line)) + countTraps(line) - 44;
    FUZZ_CHECK_TEXT(count == (over <= 0 ? 0 : (over + 4) / 5), line);

    FUZZ_CHECK_TEXT(riots.isEmpty() || isBand(riots), riots);
    FUZZ_CHECK_TEXT(isBand(recommendedLevel) || recommendedLevel == QStringLiteral("Extrem"), recommendedLevel);
    return 0;
}
