#!/usr/bin/env bash
# Builds FreeType and a static Qt 5 for x86_64 Windows (MinGW-w64, POSIX
# threads) from Debian's own source packages and installs both into one cache
# directory outside the repository. Prints that directory on the last line.
#
# The directory's name holds the Qt version, the FreeType version and a hash of
# everything that decides what is built, so a second run with the same inputs
# finds it (".complete" is written last) and builds nothing.
#
# FreeType is the version the Linux build draws with (Debian's libfreetype6,
# with Debian's patches), built here and used by Qt instead of the older copy
# Qt bundles: a glyph's pixels must not depend on the system that drew them.
# It leaves out the system libraries Debian links for PNG colour bitmaps and
# WOFF2 (Brotli), which outline glyphs never use, and reads gzip-compressed
# fonts with its own copy of zlib.
set -euo pipefail

CACHE=${RUNEMILL_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/runemill-windows}
JOBS=${RUNEMILL_JOBS:-2}
TRIPLE=x86_64-w64-mingw32
HERE=$(cd "$(dirname "$0")" && pwd)

QT_VERSION=$(dpkg-query -W -f='${source:Version}' qtbase5-dev)
FT_VERSION=$(dpkg-query -W -f='${source:Version}' libfreetype6)

QT_OPTIONS=(-opensource -confirm-license -release -static -static-runtime
    -xplatform win32-g++ -device-option CROSS_COMPILE=$TRIPLE-
    -nomake examples -nomake tests -no-icu -no-opengl -no-dbus -no-direct2d
    -qt-zlib -qt-libpng -qt-libjpeg -qt-harfbuzz -qt-pcre -system-freetype
    -no-feature-concurrent -no-feature-network -no-feature-sql -no-feature-xml
    -no-feature-printer -no-feature-tabletevent)
FT_OPTIONS=(-DBUILD_SHARED_LIBS=OFF -DCMAKE_BUILD_TYPE=Release -DFT_DISABLE_ZLIB=ON
    -DFT_DISABLE_BZIP2=ON -DFT_DISABLE_PNG=ON -DFT_DISABLE_HARFBUZZ=ON -DFT_DISABLE_BROTLI=ON)

key=$(printf '%s\n' "$QT_VERSION" "$FT_VERSION" "${QT_OPTIONS[*]}" "${FT_OPTIONS[*]}" |
    sha256sum | cut -c1-12)
PREFIX=$CACHE/qt-${QT_VERSION%%+*}-freetype-${FT_VERSION%%+*}-$key
if [ -f "$PREFIX/.complete" ]; then
    echo "Reusing the static Qt in $PREFIX" >&2
    echo "$PREFIX"
    exit 0
fi

# shellcheck source=windows/mingw-posix.sh
source "$HERE/mingw-posix.sh"
mingw_posix_path "$CACHE"

SRC=$CACHE/src
mkdir -p "$SRC"
fetch_source() {  # fetch_source <source package> <version> <directory>
    [ -d "$SRC/$3" ] && return 0
    (cd "$SRC" && apt-get source -qq --download-only "$1=$2" &&
        dpkg-source -x "$1_${2#*:}.dsc" "$3.partial" >/dev/null && mv "$3.partial" "$3")
}
fetch_source freetype "$FT_VERSION" "freetype-$FT_VERSION"
fetch_source qtbase-opensource-src "$QT_VERSION" "qtbase-$QT_VERSION"

rm -rf "$PREFIX" "$CACHE/build-freetype" "$CACHE/build-qt"

echo "== FreeType $FT_VERSION for Windows" >&2
cmake -S "$SRC/freetype-$FT_VERSION" -B "$CACHE/build-freetype" \
    -DCMAKE_TOOLCHAIN_FILE="$HERE/../cmake/mingw-w64-x86_64.cmake" \
    -DCMAKE_INSTALL_PREFIX="$PREFIX" "${FT_OPTIONS[@]}" >&2
nice -n 19 cmake --build "$CACHE/build-freetype" -j"$JOBS" >&2
cmake --install "$CACHE/build-freetype" >&2

echo "== Qt $QT_VERSION for Windows (static; this takes a while)" >&2
mkdir -p "$CACHE/build-qt"
(cd "$CACHE/build-qt" &&
    nice -n 19 "$SRC/qtbase-$QT_VERSION/configure" -prefix "$PREFIX" "${QT_OPTIONS[@]}" \
        -I "$PREFIX/include" -L "$PREFIX/lib" >&2 &&
    nice -n 19 make -j"$JOBS" >&2 &&
    make install >&2)
rm -rf "$CACHE/build-qt" "$CACHE/build-freetype"
touch "$PREFIX/.complete"
echo "$PREFIX"
