#!/usr/bin/env bash
# Installs what building and testing Tavrin needs on Debian 12 and cross-builds
# libpng and libjpeg-turbo for MinGW-w64 from Debian's source packages into a
# cache outside the build tree. Safe to run again: it only does what is missing.
set -euo pipefail

cache="${TAVRIN_CACHE:-$HOME/.cache/tavrin}"
prefix="$cache/mingw-w64"
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"

packages=(cmake ninja-build g++ clang libclang-rt-14-dev googletest libgtest-dev libbenchmark-dev
          g++-mingw-w64-x86-64-posix mingw-w64-x86-64-dev libz-mingw-w64-dev
          wine wine64 xvfb xauth x11-utils xdotool imagemagick dpkg-dev python3)
missing=()
for package in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "ok installed" || missing+=("$package")
done

# Debian's source packages need a deb-src entry; add one for bookworm when none exists.
need_sources=0
[ -f "$prefix/.libs-ready" ] || need_sources=1
if [ "$need_sources" -eq 1 ] && ! grep -rqsE '^(deb-src|Types:.*deb-src)' /etc/apt/sources.list /etc/apt/sources.list.d/; then
    $sudo tee /etc/apt/sources.list.d/tavrin-deb-src.sources >/dev/null <<'SRC'
Types: deb-src
URIs: http://deb.debian.org/debian
Suites: bookworm bookworm-updates
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
SRC
    updated=0
else
    updated=1
fi
if [ "${#missing[@]}" -gt 0 ] || [ "$updated" -eq 0 ]; then
    $sudo apt-get update -qq
    [ "${#missing[@]}" -eq 0 ] || DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}" >/dev/null
fi

if [ ! -f "$prefix/.libs-ready" ]; then
    work="$cache/src"
    rm -rf "$work" && mkdir -p "$work" "$prefix"
    toolchain="$(cd "$(dirname "$0")/.." && pwd)/cmake/mingw-w64.cmake"
    (cd "$work" && apt-get source -qq libpng1.6 libjpeg-turbo >/dev/null 2>&1)
    build_library() {  # source folder, extra CMake options...
        local source="$1"; shift
        cmake -S "$source" -B "$source/build-mingw" -G Ninja -DCMAKE_BUILD_TYPE=Release \
              -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_INSTALL_PREFIX="$prefix" "$@" >/dev/null
        cmake --build "$source/build-mingw" >/dev/null
        cmake --install "$source/build-mingw" >/dev/null
    }
    build_library "$(ls -d "$work"/libpng1.6-*/)" -DPNG_SHARED=OFF -DPNG_TESTS=OFF -DPNG_EXECUTABLES=OFF \
                  -DZLIB_LIBRARY=/usr/x86_64-w64-mingw32/lib/libz.a -DZLIB_INCLUDE_DIR=/usr/x86_64-w64-mingw32/include
    build_library "$(ls -d "$work"/libjpeg-turbo-*/)" -DENABLE_SHARED=OFF -DWITH_SIMD=OFF -DWITH_TURBOJPEG=OFF
    rm -rf "$work"
    touch "$prefix/.libs-ready"
fi
