#!/usr/bin/env bash
# Builds Veltrix with its tests and runs the whole suite. Then builds it once
# more with clang in build-san, under AddressSanitizer and UndefinedBehavior-
# Sanitizer with the libFuzzer targets, runs the suite there with leak
# detection, replays the fuzz corpora and fuzzes each target for 20 seconds.
# Arguments go to both ctest runs (e.g. -R settings); VELTRIX_SANITIZERS=0
# leaves out the second build.
set -euo pipefail
cd "$(dirname "$0")/.."
start=$SECONDS
scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build
(cd build && ctest --output-on-failure -j2 "$@")
normal=$((SECONDS - start))
echo "Normal build and tests: ${normal} s"
[[ ${VELTRIX_SANITIZERS:-1} == 0 ]] && exit 0

start=$SECONDS
# Debug keeps Qt's and our assertions; -O1 keeps the instrumented suite quick.
cmake -S . -B build-san -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=Debug \
      "-DCMAKE_CXX_FLAGS_DEBUG=-O1 -gline-tables-only" -DVELTRIX_FUZZ=ON -DVELTRIX_BENCH=OFF >/dev/null
cmake --build build-san
rm -f build-san/fuzz/work/*.stats
(cd build-san && ctest --output-on-failure -j2 "$@")
echo "Sanitizer and fuzz build and tests: $((SECONDS - start)) s (normal: ${normal} s)"
cat build-san/fuzz/work/*.stats 2>/dev/null || true
