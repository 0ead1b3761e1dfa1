#include "orders.h"

#include "catalogue.h"
#include "cp1252.h"
#include "intconv.h"
#include "reportline.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace veltrix {

namespace {

// Keys are extracted once per line, in list order, so that a failing
// extraction names the first bad line from the top.
template <class Key, class Extract, class Less = std::less<Key>>
QStringList stableOrder(const QStringList &lines, const LineStep &step, Extract extract, Less less = {})
{
    std::vector<std::pair<Key, qsizetype>> keyed;
    keyed.reserve(static_cast<std::size_t>(lines.size()));
    for (qsizetype i = 0; i < lines.size(); ++i) {
        keyed.emplace_back(extract(QStringView(lines[i])), i);
        if (step)
            step();
    }
    std::stable_sort(keyed.begin(), keyed.end(),
                     [&less](const auto &a, const auto &b) { return less(a.first, b.first); });
    QStringList result;
    result.reserve(lines.size());
    for (const auto &k : keyed)
        result.append(lines[k.second]);
    return result;
}

// Sort weight of one character: its Windows-1252 code, or above all codes.
inline quint32 weight(QChar ch)
{
    const int code = windows1252Code(ch);
    return code >= 0 ? static_cast<quint32>(code) : 0x10000u + ch.unicode();
}

// Codes below 0xFF are one byte. 0xFF becomes FF 00 and a character without
// a code FF 01 hi lo, which keeps the order and the prefix rule.
void appendSortKey(QByteArray &key, QStringView text)
{
    for (QChar ch : text) {
        const int code = windows1252Code(ch);
        if (code >= 0 && code < 0xFF) {
            key.append(static_cast<char>(code));
        } else if (code == 0xFF) {
            key.append('\xFF');
            key.append('\0');
        } else {
            key.append('\xFF');
            key.append('\x01');
            key.append(static_cast<char>(ch.unicode() >> 8));
            key.append(static_cast<char>(ch.unicode() & 0xFF));
        }
    }
}

// Eight key bytes from a position as one big-endian number, zero-padded.
quint64 keyWord(const char *key, qsizetype length, qsizetype from)
{
    quint64 word = 0;
    for (qsizetype k = from; k < from + 8; ++k)
        word = (word << 8) | (k < length ? static_cast<uchar>(key[k]) : 0u);
    return word;
}

} // namespace

int compareWindows1252(QStringView a, QStringView b)
{
    const qsizetype n = std::min(a.size(), b.size());
    for (qsizetype i = 0; i < n; ++i) {
        if (a[i] == b[i])
            continue;
        const quint32 wa = weight(a[i]);
        const quint32 wb = weight(b[i]);
        if (wa != wb)
            return wa < wb ? -1 : 1;
    }
    return a.size() < b.size() ? -1 : a.size() > b.size() ? 1 : 0;
}

QByteArray windows1252SortKey(QStringView text)
{
    QByteArray key;
    key.reserve(text.size());
    appendSortKey(key, text);
    return key;
}

QStringList orderBySecurityFeeling(const QStringList &lines, const LineStep &step)
{
    return stableOrder<qint64>(lines, step, [](QStringView line) { return sgPlusTraps(line); });
}

QStringList orderByAddress(const QStringList &lines, const LineStep &step)
{
    // All keys in one buffer, their first 16 bytes held beside the index:
    // most comparisons end there without touching the buffer. Padding with
    // zeros never decides wrongly; equal heads fall back to the whole keys.
    struct Keyed {
        quint64 head0;
        quint64 head1;
        qsizetype offset;
        qsizetype length;
        qsizetype index;
    };
    QByteArray keys;
    keys.reserve(lines.size() * 24);
    std::vector<Keyed> keyed;
    keyed.reserve(static_cast<std::size_t>(lines.size()));
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const qsizetype offset = keys.size();
        appendSortKey(keys, getAddress(lines[i]));
        keyed.push_back({0, 0, offset, keys.size() - offset, i});
        if (step)
            step();
    }
    const char *base = keys.constData();
    for (Keyed &k : keyed) {
        k.head0 = keyWord(base + k.offset, k.length, 0);
        k.head1 = keyWord(base + k.offset, k.length, 8);
    }
    std::stable_sort(keyed.begin(), keyed.end(), [base](const Keyed &a, const Keyed &b) {
        if (a.head0 != b.head0)
            return a.head0 < b.head0;
        if (a.head1 != b.head1)
            return a.head1 < b.head1;
        return QByteArrayView(base + a.offset, a.length) < QByteArrayView(base + b.offset, b.length);
    });
    QStringList result;
    result.reserve(lines.size());
    for (const Keyed &k : keyed)
        result.append(lines[k.index]);
    return result;
}

QStringList orderByHouseNumberDescending(const QStringList &lines, const LineStep &step)
{
    return stableOrder<qint32>(lines, step, [](QStringView line) { return getHouseNumber(line); },
                               std::greater<qint32>());
}

QStringList orderByHouseNumberAscending(const QStringList &lines, const LineStep &step)
{
    return stableOrder<qint32>(lines, step, [](QStringView line) { return getHouseNumber(line); });
}

QStringList orderByBuildingType(const QStringList &lines, const LineStep &step)
{
    const int unknown = static_cast<int>(buildingTypes().size());
    return stableOrder<int>(lines, step, [unknown](QStringView line) {
        const int index = buildingTypeIndexOfLine(line);
        return index < 0 ? unknown : index;
    });
}

QStringList orderByDistance(const QStringList &lines, QStringView hideoutText, const LineStep &step)
{
    if (lines.isEmpty())
        return lines;
    const qint64 hideout = strToInt(hideoutText);
    return stableOrder<qint64>(lines, step, [hideout](QStringView line) {
        const qint64 d = static_cast<qint64>(getHouseNumber(line)) - hideout;
        return d < 0 ? -d : d;
    });
}

QStringList orderByTrapCount(const QStringList &lines, const LineStep &step)
{
    return stableOrder<qint32>(lines, step, [](QStringView line) { return countTraps(line); });
}

} // namespace veltrix
