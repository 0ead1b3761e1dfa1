// The seven orders and the three filters of the report list. Every order
// must give back a permutation of its lines, sorted by its key and stable
// among equal keys; every filter a subsequence holding exactly the lines its
// predicate keeps. Keys are read here with the single-line extractors.

#include "fuzzcheck.h"

#include "core/catalogue.h"
#include "core/error.h"
#include "core/filters.h"
#include "core/intconv.h"
#include "core/lines.h"
#include "core/orders.h"
#include "core/reportline.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <functional>
#include <optional>
#include <vector>

using namespace veltrix;

namespace {

// The conversion error of the first line from the top whose house number
// is not an integer, if any.
std::optional<QString> firstHouseNumberError(const QStringList &lines)
{
    for (const QString &line : lines) {
        try {
            getHouseNumber(line);
        } catch (const VeltrixError &e) {
            return e.message();
        }
    }
    return std::nullopt;
}

// Maps each result line back to the earliest unused input line of the same
// text. Equal texts have equal keys, so a stable order keeps them in input
// order and this mapping is exact.
std::vector<qsizetype> sourceIndices(const QStringList &input, const QStringList &result)
{
    FUZZ_CHECK(input.size() == result.size());
    std::vector<bool> used(static_cast<std::size_t>(input.size()), false);
    std::vector<qsizetype> indices;
    for (const QString &line : result) {
        qsizetype found = -1;
        for (qsizetype i = 0; i < input.size(); ++i) {
            if (!used[i] && input[i] == line) {
                found = i;
                break;
            }
        }
        FUZZ_CHECK_TEXT(found >= 0, line); // not a permutation
        used[found] = true;
        indices.push_back(found);
    }
    return indices;
}

// cmp(a, b) < 0 when line a belongs before line b.
using Compare = std::function<int(qsizetype, qsizetype)>;

void checkOrdered(const QStringList &input, const QStringList &result, const Compare &cmp)
{
    const std::vector<qsizetype> from = sourceIndices(input, result);
    for (std::size_t k = 1; k < from.size(); ++k) {
        const int c = cmp(from[k - 1], from[k]);
        FUZZ_CHECK_TEXT(c <= 0, result[k - 1] + u'\n' + result[k]);
        if (c == 0)
            FUZZ_CHECK_TEXT(from[k - 1] < from[k], result[k - 1] + u'\n' + result[k]); // not stable
    }
}

template <class T>
int threeWay(T a, T b)
{
    return a < b ? -1 : a > b ? 1 : 0;
}

int sign(int v)
{
    return v < 0 ? -1 : v > 0 ? 1 : 0;
}

void checkFiltered(const QStringList &input, const QStringList &result, const std::function<bool(QStringView)> &keep)
{
    QStringList expected;
    for (const QString &line : input) {
        if (keep(line))
            expected.append(line);
    }
    FUZZ_CHECK(result == expected);
}

struct Steps {
    qsizetype count = 0;
    LineStep step() { return [this] { ++count; }; }
};

// Runs an operation that may throw the conversion error: it throws exactly
// when expected says so, with that text, and otherwise looks at every line.
template <class Run, class Check>
void expectOutcome(const QStringList &lines, const std::optional<QString> &expected, Run run, Check check)
{
    Steps steps;
    try {
        const QStringList result = run(steps.step());
        FUZZ_CHECK(!expected);
        FUZZ_CHECK(steps.count == lines.size());
        check(result);
    } catch (const VeltrixError &e) {
        FUZZ_CHECK_TEXT(expected && e.message() == *expected, e.message());
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    FuzzedDataProvider provider(data, size);
    // Parameters come from the end of the input, the report from the front,
    // so a plain report file is a good seed.
    const qint32 hideout = provider.ConsumeIntegralInRange<qint32>(-10, 3000);
    const bool hideoutIsText = provider.ConsumeBool();
    const qint32 from = provider.ConsumeIntegralInRange<qint32>(-5, 2000);
    const qint32 to = provider.ConsumeIntegralInRange<qint32>(-5, 2000);
    const qint32 limit = provider.ConsumeIntegralInRange<qint32>(-3, 120);
    std::vector<bool> checked(buildingTypes().size());
    for (std::size_t i = 0; i < checked.size(); ++i)
        checked[i] = provider.ConsumeBool();
    const std::string rest = provider.ConsumeRemainingBytesAsString();
    const QString text = QString::fromUtf8(rest.data(), static_cast<qsizetype>(rest.size()));
    const QStringList lines = splitLines(text);
    // The hideout field may hold any text; usually it holds a number.
    const QString hideoutText = hideoutIsText && !lines.isEmpty() ? lines.first().left(12) : QString::number(hideout);

    std::vector<qint32> sg, traps, type;
    std::vector<QStringView> address;
    for (const QString &line : lines) {
        sg.push_back(getSG(line));
        traps.push_back(countTraps(line));
        const int index = buildingTypeIndexOfLine(line);
        type.push_back(index < 0 ? static_cast<qint32>(buildingTypes().size()) : index);
        address.push_back(getAddress(line));
    }

    Steps steps;
    checkOrdered(lines, orderBySecurityFeeling(lines, steps.step()), [&](qsizetype a, qsizetype b) {
        return threeWay(qint64(sg[a]) + traps[a], qint64(sg[b]) + traps[b]);
    });
    checkOrdered(lines, orderByTrapCount(lines), [&](qsizetype a, qsizetype b) { return threeWay(traps[a], traps[b]); });
    checkOrdered(lines, orderByBuildingType(lines), [&](qsizetype a, qsizetype b) { return threeWay(type[a], type[b]); });
    checkOrdered(lines, orderByAddress(lines), [&](qsizetype a, qsizetype b) {
        const int c = compareWindows1252(address[a], address[b]);
        // The byte keys must order exactly as the comparison does.
        FUZZ_CHECK(sign(c) == threeWay(windows1252SortKey(address[a]), windows1252SortKey(address[b])));
        FUZZ_CHECK(sign(compareWindows1252(address[b], address[a])) == -sign(c));
        return c;
    });
    FUZZ_CHECK(steps.count == lines.size());

    const std::optional<QString> houseError = firstHouseNumberError(lines);
    auto house = [&](qsizetype i) { return getHouseNumber(lines[i]); };
    expectOutcome(lines, houseError, [&](const LineStep &s) { return orderByHouseNumberAscending(lines, s); },
                  [&](const QStringList &r) {
                      checkOrdered(lines, r, [&](qsizetype a, qsizetype b) { return threeWay(house(a), house(b)); });
                  });
    expectOutcome(lines, houseError, [&](const LineStep &s) { return orderByHouseNumberDescending(lines, s); },
                  [&](const QStringList &r) {
                      checkOrdered(lines, r, [&](qsizetype a, qsizetype b) { return threeWay(house(b), house(a)); });
                  });

    std::optional<QString> distanceError;
    const std::optional<qint32> hideoutValue = tryStrToInt(hideoutText);
    if (!lines.isEmpty())
        distanceError = hideoutValue ? houseError : QStringLiteral("'%1' ist kein gültiger Integerwert").arg(hideoutText);
    expectOutcome(lines, distanceError, [&](const LineStep &s) { return orderByDistance(lines, hideoutText, s); },
                  [&](const QStringList &r) {
                      if (lines.isEmpty()) {
                          FUZZ_CHECK(r.isEmpty());
                          return;
                      }
                      auto distance = [&](qsizetype i) { return qAbs(qint64(house(i)) - *hideoutValue); };
                      checkOrdered(lines, r, [&](qsizetype a, qsizetype b) { return threeWay(distance(a), distance(b)); });
                  });

    expectOutcome(lines, houseError, [&](const LineStep &s) { return filterByHouseNumber(lines, from, to, s); },
                  [&](const QStringList &r) {
                      checkFiltered(lines, r, [&](QStringView line) {
                          const qint32 n = getHouseNumber(line);
                          return from <= n && n <= to;
                      });
                  });
    expectOutcome(lines, std::nullopt, [&](const LineStep &s) { return filterByBuildingTypes(lines, checked, s); },
                  [&](const QStringList &r) {
                      checkFiltered(lines, r, [&](QStringView line) {
                          const int index = buildingTypeIndexOfLine(line);
                          return index >= 0 && checked[static_cast<std::size_t>(index)];
                      });
                  });
    for (const SGLimit kind : {SGLimit::AtMost, SGLimit::AtLeast}) {
        expectOutcome(lines, std::nullopt, [&](const LineStep &s) { return filterBySecurityFeeling(lines, limit, kind, s); },
                      [&](const QStringList &r) {
                          checkFiltered(lines, r, [&](QStringView line) {
                              const qint64 key = qint64(getSG(line)) + countTraps(line);
                              return kind == SGLimit::AtMost ? key <= limit : key >= limit;
                          });
                      });
    }
    return 0;
}
