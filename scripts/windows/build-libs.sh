#!/usr/bin/env bash
# Builds the Windows libraries Veltrix links (Qt, libcurl, libjpeg-turbo) from
# Debian's own source packages with mingw-w64, into a cache outside the clone.
# Prints the prefix on its last line. A finished prefix is reused as it is.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
toolchain=$here/mingw.cmake

# options:begin (the cache's name changes with these)
jpeg_options=(-DENABLE_SHARED=OFF -DWITH_SIMD=OFF -DWITH_TURBOJPEG=OFF)
# Plain HTTP only: the maker's servers speak nothing else.
curl_options=(-DHTTP_ONLY=ON -DCURL_USE_LIBPSL=OFF -DCURL_USE_LIBSSH2=OFF -DCURL_DISABLE_LDAP=ON
              -DCURL_ZLIB=OFF -DCURL_BROTLI=OFF -DCURL_ZSTD=OFF -DUSE_NGHTTP2=OFF -DUSE_LIBIDN2=OFF
              -DCURL_USE_OPENSSL=OFF -DCURL_ENABLE_SSL=OFF
              -DBUILD_CURL_EXE=OFF -DBUILD_SHARED_LIBS=OFF -DENABLE_MANUAL=OFF -DBUILD_TESTING=OFF)
# Debian's tarball drops wintab and sqlite; every system_* library would be
# linked as a DLL of Debian's mingw packages, so Qt's bundled copies are used.
# Without OpenGL, the dynamic OpenGL choice must go too, or the windows
# platform plugin does not compile; without Direct2D, the DirectWrite 3 font
# database is not built, yet the plugin would link it.
qt_options=(-DBUILD_SHARED_LIBS=ON -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DQT_BUILD_BENCHMARKS=OFF
            -DFEATURE_tabletevent=OFF -DFEATURE_sql=OFF -DFEATURE_dbus=OFF -DFEATURE_icu=OFF
            -DFEATURE_openssl=OFF -DFEATURE_zstd=OFF -DFEATURE_opengl=OFF -DFEATURE_printsupport=OFF
            -DFEATURE_system_zlib=OFF -DFEATURE_system_pcre2=OFF -DFEATURE_system_png=OFF
            -DFEATURE_system_jpeg=OFF -DFEATURE_system_freetype=OFF -DFEATURE_system_harfbuzz=OFF
            -DFEATURE_system_doubleconversion=OFF -DFEATURE_system_libb2=OFF
            -DFEATURE_concurrent=OFF -DFEATURE_xml=OFF -DFEATURE_gssapi=OFF -DFEATURE_brotli=OFF
            -DFEATURE_direct2d=OFF -DFEATURE_schannel=OFF -DFEATURE_sspi=OFF
            -DFEATURE_networklistmanager=OFF -DFEATURE_dynamicgl=OFF
            -DFEATURE_directwrite3=OFF)
# options:end

qt_version=$(dpkg-query -W -f='${Version}' qt6-base-dev)
curl_version=$(apt-cache show --no-all-versions libcurl4-openssl-dev | sed -n 's/^Version: //p')
jpeg_version=$(apt-cache show --no-all-versions libjpeg62-turbo-dev | sed -n 's/^Version: //p')
# The options are part of the name: changing them builds a new prefix.
options_hash=$(sed -n '/^# options:begin/,/^# options:end/p' "$0" | cat - "$toolchain" | sha256sum | cut -c1-10)
cache=${XDG_CACHE_HOME:-$HOME/.cache}/veltrix
prefix=$cache/windows-qt${qt_version}-curl${curl_version}-jpeg${jpeg_version}-${options_hash}
prefix=${prefix//[:~+]/_}
if [[ -f $prefix/.complete ]]; then
    echo "$prefix"
    exit 0
fi

sudo_cmd=()
if [[ $(id -u) -ne 0 ]]; then
    sudo_cmd=(sudo)
fi
# apt-get source needs a deb-src entry for the configured mirror.
if ! apt-get source --print-uris qt6-base >/dev/null 2>&1; then
    src_list=/etc/apt/sources.list.d/veltrix-deb-src.sources
    mirror=$(sed -n 's/^URIs: *//p' /etc/apt/sources.list.d/debian.sources 2>/dev/null | head -1)
    mirror=${mirror:-$(awk '$1 == "deb" { print $2; exit }' /etc/apt/sources.list 2>/dev/null)}
    mirror=${mirror:-http://deb.debian.org/debian}
    codename=$(. /etc/os-release && echo "$VERSION_CODENAME")
    echo "No deb-src entry: adding $src_list for $mirror $codename" >&2
    printf 'Types: deb-src\nURIs: %s\nSuites: %s %s-updates\nComponents: main\nSigned-By: /usr/share/keyrings/debian-archive-keyring.gpg\n' \
        "$mirror" "$codename" "$codename" | "${sudo_cmd[@]}" tee "$src_list" >/dev/null
    "${sudo_cmd[@]}" apt-get update -qq
fi

work=$cache/src-work
rm -rf "$work" "$prefix"
mkdir -p "$work" "$prefix"
cd "$work"
echo "Fetching the sources of qt6-base, curl and libjpeg-turbo" >&2
apt-get source -qq qt6-base curl libjpeg-turbo >/dev/null 2>&1 \
    || apt-get source qt6-base curl libjpeg-turbo >&2
jobs=$(nproc)

echo "Building libjpeg-turbo for Windows" >&2
cmake -S libjpeg-turbo-*/ -B jpeg-build -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
      -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" "${jpeg_options[@]}" >/dev/null
cmake --build jpeg-build -j "$jobs" >/dev/null
cmake --install jpeg-build >/dev/null

echo "Building libcurl (plain HTTP) for Windows" >&2
cmake -S curl-*/ -B curl-build -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
      -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" \
      "${curl_options[@]}" >/dev/null
cmake --build curl-build -j "$jobs" >/dev/null
cmake --install curl-build >/dev/null

echo "Building Qt (qtbase) for Windows: about 20 minutes on two idle cores" >&2
qtsrc=$(ls -d qt6-base-*/ | head -1)
# dpkg-source has applied Debian's patches already, unless it could not.
if [[ ! -f $qtsrc/.pc/applied-patches && -f $qtsrc/debian/patches/series ]]; then
    (cd "$qtsrc" && while read -r patch; do
        [[ -z $patch || $patch == \#* ]] && continue
        patch -p1 -s < "debian/patches/$patch"
    done < debian/patches/series)
fi
cmake -S "$qtsrc" -B qt-build -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
      -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" \
      -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
      -DQT_QMAKE_TARGET_MKSPEC=win32-g++ -DBUILD_SHARED_LIBS=ON \
      "${qt_options[@]}" >qt-configure.log 2>&1 \
    || { tail -40 qt-configure.log >&2; exit 1; }
cmake --build qt-build -j "$jobs" >qt-build.log 2>&1 \
    || { tail -40 qt-build.log >&2; exit 1; }
cmake --install qt-build >/dev/null 2>qt-install.log || { tail -40 qt-install.log >&2; exit 1; }
touch "$prefix/.complete"
rm -rf "$work"
echo "$prefix"
