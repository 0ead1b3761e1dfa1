// SG shifting of one report line: only the SG number may change, it stays
// within 0..100 and reads back as the SG of the new line.

#include "fuzzcheck.h"

#include "core/intconv.h"
#include "core/reportline.h"
#include "core/sgshift.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>

using namespace veltrix;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    FuzzedDataProvider provider(data, size);
    // Callers pass a 32-bit step or its negation.
    const qint64 shift = provider.ConsumeIntegralInRange<qint64>(-2147483648LL, 2147483648LL);
    const bool trapFloor = provider.ConsumeBool();
    const std::string rest = provider.ConsumeRemainingBytesAsString();
    const QString line = QString::fromUtf8(rest.data(), static_cast<qsizetype>(rest.size()));

    const QString shifted = shiftLineSG(line, shift, trapFloor);
    const SGPieces before = splitSG(line);
    const std::optional<qint32> sg = tryStrToInt(before.number);
    const bool floorApplies = trapFloor && countTraps(line) > 0;
    if (!sg || (floorApplies && *sg <= 50)) {
        FUZZ_CHECK_TEXT(shifted == line, shifted);
        return 0;
    }
    const qint64 expected = std::max<qint64>(std::clamp<qint64>(qint64(*sg) + shift, 0, 100), floorApplies ? 50 : 0);
    FUZZ_CHECK_TEXT(shifted == before.head.toString() + QString::number(expected) + before.tail.toString(), shifted);

    const SGPieces after = splitSG(shifted);
    FUZZ_CHECK_TEXT(after.head == before.head && after.tail == before.tail, shifted);
    FUZZ_CHECK_TEXT(getSG(shifted) == expected, shifted);
    // Shifting by nothing changes nothing more.
    FUZZ_CHECK_TEXT(shiftLineSG(shifted, 0, trapFloor) == shifted, shifted);
    return 0;
}
