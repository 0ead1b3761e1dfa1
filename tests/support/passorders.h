#pragma once

#include <QStringList>
#include <QStringView>
#include <functional>

namespace veltrix::test {

// The pass schemes that the real orders must agree with, written out
// literally: keys extracted again for every comparison, lines deleted from a
// working list one by one. For tests (as the reference) and benchmarks (as
// the baseline) only. step runs once per line scanned or moved, as the
// progress bar would.
using PassStep = std::function<void()>;

// Best-key cycles: best starts at the bound, the strictly better keys lower
// it, then every line with the best key moves. Lines whose keys lie beyond
// the bound are never chosen; they are left at the end in list order.
QStringList bestKeyPasses(QStringList work, const std::function<qint64(QStringView)> &key, qint64 bound,
                          bool descending, const PassStep &step = {});

// Best-key cycles of the address order: best starts at the first remaining
// line's address; addresses compare as Windows-1252 codes.
QStringList addressPasses(QStringList work, const PassStep &step = {});

// Fixed-key passes for keys 0, 1, 2, ... up to lastKey.
QStringList fixedKeyPasses(QStringList work, const std::function<qint64(QStringView)> &key, qint64 lastKey,
                           const PassStep &step = {});

// Distance passes with the hideout text converted once per line scanned.
QStringList distancePasses(QStringList work, QStringView hideoutText, const PassStep &step = {});

} // namespace veltrix::test
