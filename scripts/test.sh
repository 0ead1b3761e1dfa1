#!/usr/bin/env bash
# Builds Veltrix with its tests and runs the whole suite, builds the Debian
# package from that build, checks it with lintian, installs it and starts the
# installed program once. Then builds it once more with clang in build-san,
# under AddressSanitizer and UndefinedBehaviorSanitizer with the libFuzzer
# targets, runs the suite there with leak detection, replays the fuzz corpora
# and fuzzes each target for 20 seconds.
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

# The Debian package from that build: lintian errors fail, warnings show;
# installed as a player would (again over an earlier installation of the
# same version), started once without a display, and its desktop entry and
# metainfo validated where it put them.
start=$SECONDS
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' build/CMakeCache.txt)
deb=build/veltrix_${version}-1_$(dpkg --print-architecture).deb
rm -f "$deb"
cmake --build build --target package >/dev/null
lintian --fail-on error "$deb"
sudo_cmd=()
if [[ $(id -u) -ne 0 ]]; then
    sudo_cmd=(sudo)
fi
DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --reinstall "./$deb" >/dev/null
# /usr/games is on a user's PATH, not on root's.
export PATH=$PATH:/usr/games
answer=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM veltrix --version)
if [[ $answer != "Veltrix Professional Version ${version}" ]]; then
    echo "The installed veltrix --version says: $answer" >&2
    exit 1
fi
desktop-file-validate /usr/share/applications/org.example.veltrix.desktop
appstreamcli validate --no-net --pedantic /usr/share/metainfo/org.example.veltrix.metainfo.xml >/dev/null
echo "Package $deb: built, checked, installed, $(command -v veltrix) --version: $answer ($((SECONDS - start)) s)"
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
