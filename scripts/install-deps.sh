#!/usr/bin/env bash
# Installs the Debian packages Veltrix needs to build, run and test, when
# they are missing. Safe to run again.
set -euo pipefail

packages=(g++ cmake ninja-build qt6-base-dev qt6-translations-l10n libpulse-dev
          libcurl4-openssl-dev libjpeg62-turbo-dev xvfb xauth imagemagick dbus
          fonts-dejavu-core
          # the sounds' test plays through a sound server of its own
          pulseaudio pulseaudio-utils
          # global shortcuts: key grabs through xcb (XTEST presses keys in their test)
          pkg-config libxcb1-dev libxcb-keysyms1-dev libxcb-xtest0-dev
          # the sanitizer and fuzzing build: clang, its runtimes, the symbolizer
          clang libclang-rt-14-dev llvm
          # the packaging checks, and the unprivileged and full-disk test runs
          appstream desktop-file-utils util-linux
          # the Debian package: dpkg-shlibdeps works out its dependencies
          dpkg-dev file lintian)

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$p")
    fi
done
if (( ${#missing[@]} == 0 )); then
    exit 0
fi

sudo_cmd=()
if [[ $(id -u) -ne 0 ]]; then
    sudo_cmd=(sudo)
fi
echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -qq
"${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
