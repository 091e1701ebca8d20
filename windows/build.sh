#!/usr/bin/env bash
# ./dev.sh windows: runemill.exe and runemill-cli.exe for 64-bit Windows, each
# one self-contained program (static Qt, FreeType at the Linux build's
# version), checked under Wine against the Linux build, zipped under dist/.
#
#   RUNEMILL_CACHE   where the static Qt, the sources and the Wine prefix are
#                    kept (default ~/.cache/runemill-windows); a second run
#                    reuses the Qt built there
#   RUNEMILL_JOBS    parallel compile jobs (default 2)
#   RUNEMILL_QT_PREFIX  a static Qt of your own to build with instead of the
#                    one windows/build-qt.sh builds
set -euo pipefail
cd "$(dirname "$0")/.."
ROOT=$PWD
export RUNEMILL_CACHE=${RUNEMILL_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/runemill-windows}
JOBS=${RUNEMILL_JOBS:-2}

# The POSIX-thread MinGW-w64 compilers (std::thread), the source packages'
# tools, Wine and a virtual display for the checks, and the Linux build's own
# packages for the side it is compared with.
PACKAGES=(g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix dpkg-dev cmake make
          wine wine64 xvfb x11-utils imagemagick zip
          g++ qtbase5-dev qtbase5-dev-tools libfreetype6 fonts-wqy-zenhei fonts-liberation)

sudo_if_needed() { if [ "$(id -u)" -ne 0 ]; then sudo "$@"; else "$@"; fi; }

install_missing() {
    local missing=() package
    for package in "${PACKAGES[@]}"; do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" ||
            missing+=("$package")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing: ${missing[*]}"
    sudo_if_needed apt-get update -qq
    sudo_if_needed env DEBIAN_FRONTEND=noninteractive \
        apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

# apt-get source needs deb-src lines: the system's own Debian/Ubuntu sources,
# as deb-src.
enable_source_packages() {
    apt-cache showsrc qtbase-opensource-src 2>/dev/null | grep -q '^Package:' && return 0
    local list=/etc/apt/sources.list.d/runemill-deb-src files
    files=$(grep -lE '^URIs:.*(debian|ubuntu)' /etc/apt/sources.list.d/*.sources 2>/dev/null |
        grep -v runemill-deb-src || true)
    if [ -n "$files" ]; then
        # shellcheck disable=SC2086
        sed 's/^Types: deb$/Types: deb-src/' $files | sudo_if_needed tee "$list.sources" >/dev/null
    else
        grep -hE '^deb .*(debian|ubuntu)' /etc/apt/sources.list | sed 's/^deb /deb-src /' |
            sudo_if_needed tee "$list.list" >/dev/null
    fi
    sudo_if_needed apt-get update -qq
}

install_missing
enable_source_packages

QT_PREFIX=${RUNEMILL_QT_PREFIX:-$(windows/build-qt.sh | tail -n 1)}
QT_VERSION=$(dpkg-query -W -f='${source:Version}' qtbase5-dev)
FT_VERSION=$(dpkg-query -W -f='${source:Version}' libfreetype6)

echo "== runemill for Windows"
# shellcheck source=windows/mingw-posix.sh
source windows/mingw-posix.sh
mingw_posix_path "$RUNEMILL_CACHE"
cmake -S . -B build-windows -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-w64-x86_64.cmake" \
    -DCMAKE_PREFIX_PATH="$QT_PREFIX" -DCMAKE_BUILD_TYPE=Release \
    -DRUNEMILL_BUILD_TESTS=OFF -DRUNEMILL_BUILD_BENCH=OFF -DRUNEMILL_BUILD_READER=OFF \
    -DRUNEMILL_CROSS_TESTS=OFF
nice -n 10 cmake --build build-windows -j"$JOBS" --target runemill runemill-cli
x86_64-w64-mingw32-strip build-windows/runemill.exe build-windows/cli/runemill-cli.exe

echo "== runemill-cli for Linux, to compare with"
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo
nice -n 10 cmake --build build -j"$JOBS" --target runemill-cli

echo "== Checks under Wine"
rm -rf build-windows/checks
windows/check.sh build/cli/runemill-cli build-windows/cli/runemill-cli.exe build-windows/runemill.exe \
    build-windows/checks "$QT_PREFIX"

VERSION=$(sed -n 's/^project(Runemill VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
NAME=runemill-$VERSION-windows-x64
rm -rf "build-windows/$NAME" "dist/$NAME.zip"
mkdir -p "build-windows/$NAME" dist
cp build-windows/runemill.exe build-windows/cli/runemill-cli.exe "build-windows/$NAME/"
# The licence, the notices of what is linked in and the full licence texts
# (Debian's copyright files of the very sources built), all with CR LF.
SRC=$RUNEMILL_CACHE/src
mkdir "build-windows/$NAME/LICENSES"
crlf() { sed 's/\r*$/\r/' "$1" > "build-windows/$NAME/$2"; }
crlf windows/README.txt README.txt
crlf LICENSE LICENSE.txt
sed -e "s/@QT_VERSION@/$QT_VERSION/g" -e "s/@FREETYPE_VERSION@/$FT_VERSION/g" windows/NOTICES.txt |
    sed 's/\r*$/\r/' > "build-windows/$NAME/NOTICES.txt"
crlf "$SRC/qtbase-$QT_VERSION/debian/copyright" LICENSES/qtbase-copyright.txt
crlf "$SRC/freetype-$FT_VERSION/debian/copyright" LICENSES/freetype-copyright.txt
crlf /usr/share/doc/mingw-w64-x86-64-dev/copyright LICENSES/mingw-w64-copyright.txt
crlf /usr/share/common-licenses/LGPL-3 LICENSES/LGPL-3.txt
crlf /usr/share/common-licenses/GPL-3 LICENSES/GPL-3.txt
(cd build-windows && zip -q -X -r "$ROOT/dist/$NAME.zip" "$NAME")
echo "Written: dist/$NAME.zip"
