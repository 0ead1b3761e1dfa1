#!/usr/bin/env bash
# Builds Veltrix for 64-bit Windows on Debian: the Windows libraries from
# Debian's sources (once, cached outside the clone), Veltrix and its tests
# with mingw-w64, the tests under Wine, then the setup program and the
# portable zip in build-windows/, and a silent install, start and uninstall of
# the setup in a fresh Wine prefix.
# Arguments go to ctest (e.g. -R settings).
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
start=$SECONDS

packages=(g++-mingw-w64-x86-64-posix wine wine64 nsis xvfb xauth x11-utils xdotool xclip imagemagick
          cmake ninja-build dpkg-dev qt6-base-dev qt6-base-dev-tools qt6-translations-l10n zip unzip
          libcurl4-openssl-dev libjpeg62-turbo-dev ccache fonts-dejavu-core)
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if (( ${#missing[@]} > 0 )); then
    sudo_cmd=()
    [[ $(id -u) -ne 0 ]] && sudo_cmd=(sudo)
    echo "Installing: ${missing[*]}"
    export DEBIAN_FRONTEND=noninteractive
    "${sudo_cmd[@]}" apt-get update -qq
    "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

prefix=$(scripts/windows/build-libs.sh | tail -1)
echo "Windows libraries: $prefix ($((SECONDS - start)) s)"

build=$root/build-windows
# Compiled objects are kept across clones: paths count from the clone's root.
export CCACHE_BASEDIR=$root
version=$(sed -n 's/^project(Veltrix VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
export WINEPREFIX=$build/wine-tests
# The tests find the Qt and compiler run-time DLLs through Wine's PATH.
runtime_dirs=("$prefix/bin" "$(dirname "$(x86_64-w64-mingw32-g++-posix -print-file-name=libstdc++-6.dll)")"
              /usr/x86_64-w64-mingw32/lib)
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
      -DCMAKE_TOOLCHAIN_FILE="$prefix/lib/cmake/Qt6/qt.toolchain.cmake" \
      -DQT_CHAINLOAD_TOOLCHAIN_FILE="$root/scripts/windows/mingw.cmake" \
      -DCURL_DIR="$prefix/lib/cmake/CURL" \
      -DJPEG_INCLUDE_DIR="$prefix/include" -DJPEG_LIBRARY="$prefix/lib/libjpeg.a" \
      -DCMAKE_CROSSCOMPILING_EMULATOR="$root/scripts/windows/wine-run.sh" \
      -DVELTRIX_BENCH=OFF >/dev/null
cmake --build "$build"

# The tests under Wine, in a prefix of their own; one server for all of them.
if [[ ! -d $WINEPREFIX ]]; then
    wineboot -i >/dev/null 2>&1
fi
wine_path=""
for dir in "${runtime_dirs[@]}"; do
    wine_path+="$(winepath -w "$dir" 2>/dev/null);"
done
export WINEPATH=$wine_path
wineserver -p 60 2>/dev/null || true  # one may run already
# The font-scaling checks fail only under Wine (see the README's Windows
# section): they run, and what they find is shown, but it does not stop the build.
wine_only_failures='^ui_tst_fontscale'
(cd "$build" && ctest --output-on-failure -j2 -E "$wine_only_failures" "$@")
if (cd "$build" && ctest -j2 -R "$wine_only_failures" "$@" >"$build/wine-only-failures.log" 2>&1); then
    echo "The font-scaling checks passed under Wine this time"
else
    echo "The font-scaling checks fail under Wine as known; what they found: $build/wine-only-failures.log"
fi
unset WINEPATH
echo "Windows build and tests under Wine: $((SECONDS - start)) s"

# The folder that runs as it is, stripped, and from it the zip and the setup.
stage=$build/stage/Veltrix
rm -rf "$build/stage"
cmake --install "$build" --prefix "$stage" >/dev/null
find "$stage" \( -name '*.exe' -o -name '*.dll' \) -exec x86_64-w64-mingw32-strip --strip-unneeded {} +
zipfile=$build/Veltrix-${version}-portable.zip
rm -f "$zipfile"
(cd "$build/stage" && zip -qr9 "$zipfile" Veltrix)
setup=$build/Veltrix-${version}-Setup.exe
scripts/windows/make-setup.sh "$stage" "$version" "$setup"
echo "Setup: $setup ($(du -k "$setup" | cut -f1) KiB), zip: $zipfile ($(du -k "$zipfile" | cut -f1) KiB)"

scripts/windows/check-setup.sh "$setup" "$root/docs/beispielbericht.txt"
echo "Windows build, tests, setup and its check: $((SECONDS - start)) s"
