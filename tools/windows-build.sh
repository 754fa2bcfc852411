#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Cross-builds Leafrunner for 64-bit Windows on Debian 12: installs mingw-w64 and Wine, builds static Qt and qpdf
# for x86_64-w64-mingw32 from Debian's own sources into a cache (kept between runs, one stamp per library), then
# builds leafrunner.exe, leafrunner-cli.exe and their tests and lays out the portable folder.
#   tools/windows-build.sh [--deps-only | --deps-built]
# --deps-built only tells, by its exit status, whether the cache holds every library already.
# LEAF_WINDOWS_CACHE (default ~/.cache/leafrunner-windows) holds the libraries, LEAF_WINDOWS_BUILD (default
# build-windows) the project's build; LEAF_JOBS (default 2) the parallel jobs.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cache="${LEAF_WINDOWS_CACHE:-$HOME/.cache/leafrunner-windows}"
build="${LEAF_WINDOWS_BUILD:-$root/build-windows}"
jobs="${LEAF_JOBS:-2}"
toolchain="$root/tools/windows-toolchain.cmake"
stamp() { echo "$cache/$1.done"; }
if [ "${1:-}" = --deps-built ]; then
    for library in qt libjpeg qpdf; do [ -e "$(stamp "$library")" ] || exit 1; done
    exit 0
fi
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"

packages=(g++-mingw-w64-x86-64-posix wine64 libz-mingw-w64-dev dpkg-dev cmake ninja-build pkg-config perl
    qt6-base-dev qt6-base-dev-tools xvfb xauth xdotool imagemagick zip)
missing=()
for package in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || missing+=("$package")
done
if ((${#missing[@]})); then
    echo "Installing: ${missing[*]}"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

mkdir -p "$cache/src"
# pkg-config sees the Windows libraries only.
export PKG_CONFIG_LIBDIR="$cache/qpdf/lib/pkgconfig:$cache/libjpeg/lib/pkgconfig:/usr/x86_64-w64-mingw32/lib/pkgconfig"

# Debian's sources of the libraries, through a deb-src entry beside the system's deb entry, removed afterwards.
fetch_sources() {
    local list=/etc/apt/sources.list.d/leafrunner-windows-src.sources
    trap "$sudo rm -f $list; $sudo apt-get update -qq || true" EXIT
    sed -n '/^Types: deb$/,/^$/p' /etc/apt/sources.list.d/debian.sources | sed 's/^Types: deb$/Types: deb-src/' |
        $sudo tee "$list" >/dev/null
    $sudo apt-get update -qq
    (cd "$cache/src" && apt-get source -qq "$@")
    $sudo rm -f "$list"
    $sudo apt-get update -qq
    trap - EXIT
}
needed=()
[ -e "$(stamp qt)" ] || needed+=(qt6-base)
[ -e "$(stamp libjpeg)" ] || needed+=(libjpeg-turbo)
[ -e "$(stamp qpdf)" ] || needed+=(qpdf)
fetched=()
for source in "${needed[@]}"; do
    compgen -G "$cache/src/$source-*/debian" >/dev/null || fetched+=("$source")
done
((${#fetched[@]} == 0)) || fetch_sources "${fetched[@]}"
source_dir() { compgen -G "$cache/src/$1-*/debian" | head -n1 | xargs dirname; }

# cmake_build NAME SOURCE OPTIONS...: configures, builds and installs one library into $cache/NAME; with target and
# component set, only that target and that install component.
cmake_build() {
    local name="$1" source="$2"
    shift 2
    [ -e "$(stamp "$name")" ] && return
    echo "Building $name for Windows (log: $cache/$name.log)"
    # A build cut short goes on where it stopped.
    rm -rf "$cache/$name"
    cmake -S "$source" -B "$cache/build-$name" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
        -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$cache/$name" -DBUILD_SHARED_LIBS=OFF "$@" \
        >"$cache/$name.log" 2>&1 &&
        cmake --build "$cache/build-$name" -j"$jobs" ${target:+--target "$target"} >>"$cache/$name.log" 2>&1 &&
        cmake --install "$cache/build-$name" ${component:+--component "$component"} >>"$cache/$name.log" 2>&1 ||
        { grep -A 12 '^FAILED' "$cache/$name.log" || tail -n 40 "$cache/$name.log"; exit 1; }
    rm -rf "$cache/build-$name"
    touch "$(stamp "$name")"
}

# Debian's Qt source leaves out the Wintab headers that the Windows platform plugin's tablet support includes;
# Wine's, from its development package, serve (with two macros of Wine's headers).
wintab="$(source_dir qt6-base)/src/3rdparty/wintab"
if [ ! -e "$(stamp qt)" ] && [ ! -e "$wintab/wintab.h" ]; then
    mkdir -p "$wintab" "$cache/src/wine"
    (cd "$cache/src/wine" && apt-get download -qq libwine-dev && dpkg-deb -x libwine-dev_*.deb .)
    cp "$cache/src/wine/usr/include/wine/wine/windows/pktdef.h" "$wintab/"
    cp "$cache/src/wine/usr/include/wine/wine/windows/wintab.h" "$wintab/wine-wintab.h"
    printf '#define DECL_WINELIB_TYPE_AW(type) typedef type##W type;\n#define API WINAPI\n#include "wine-wintab.h"\n' \
        >"$wintab/wintab.h"
fi

# Static Qt with only the modules the program uses; Debian's own Qt 6.4.2 provides moc, rcc and uic. OpenGL stays
# on: the Windows platform plugin does not build without it, and Direct2D too, without which it does not link.
# Windows draws the fonts (no FreeType) and the program shows no JPEG or GIF images.
cmake_build qt "$(source_dir qt6-base)" \
    -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
    -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DQT_BUILD_BENCHMARKS=OFF \
    -DFEATURE_sql=OFF -DFEATURE_network=OFF -DFEATURE_dbus=OFF -DFEATURE_printsupport=OFF -DFEATURE_xml=OFF \
    -DFEATURE_vulkan=OFF -DFEATURE_system_zlib=ON -DINPUT_opengl=desktop \
    -DFEATURE_freetype=OFF -DFEATURE_jpeg=OFF -DFEATURE_gif=OFF

cmake_build libjpeg "$(source_dir libjpeg-turbo)" -DENABLE_SHARED=OFF -DWITH_SIMD=OFF -DWITH_TURBOJPEG=OFF

# The library only, not qpdf's programs. Its AES header takes uint32_t from what mingw's headers do not bring along.
target=libqpdf component=dev cmake_build qpdf "$(source_dir qpdf)" -DCMAKE_PREFIX_PATH="$cache/libjpeg" -DCMAKE_CXX_FLAGS="-include cstdint" \
    -DREQUIRE_CRYPTO_NATIVE=ON -DUSE_IMPLICIT_CRYPTO=OFF -DBUILD_STATIC_LIBS=ON \
    -DBUILD_DOC=OFF -DINSTALL_EXAMPLES=OFF -DBUILD_TESTING=OFF

[ "${1:-}" != --deps-only ] || exit 0

# The programs and their tests (run under Wine by tools/windows-test.sh), then the portable folder.
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_PREFIX_PATH="$cache/qt;$cache/qpdf;$cache/libjpeg" \
    -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
    -DCMAKE_CROSSCOMPILING_EMULATOR=/usr/lib/wine/wine64 >/dev/null
cmake --build "$build" -j"$jobs"
rm -rf "$build/portable"
cmake --install "$build" --prefix "$build/portable/Leafrunner" >/dev/null
mkdir -p "$build/portable/Leafrunner/bin/output"
echo "Portable folder: $build/portable/Leafrunner"
