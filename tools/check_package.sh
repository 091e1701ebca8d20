#!/bin/sh
# Unpacks a runemill .deb into a scratch root (dpkg-deb -x, nothing is
# installed) and checks it: its name, version and dependencies, the installed
# files, that both programs find their libraries, that the unpacked
# runemill-cli prints the version and writes a one-row GB2312 font with drawn
# glyphs that its own inspect accepts, byte for byte the file that REFERENCE_CLI
# (the build tree's runemill-cli) writes.
#
#     tools/check_package.sh dist/runemill_3.10_amd64.deb 3.10 [REFERENCE_CLI]
set -eu

deb=$1
version=$2
reference=${3:-}
root=$(mktemp -d "${TMPDIR:-/tmp}/runemill_package.XXXXXX")
trap 'rm -rf "$root"' EXIT
fail() {
    echo "check_package: $deb: $*" >&2
    exit 1
}

[ "$(dpkg-deb -f "$deb" Package)" = runemill ] || fail "the package is not named runemill"
[ "$(dpkg-deb -f "$deb" Version)" = "$version" ] || fail "its version is not $version"
depends=$(dpkg-deb -f "$deb" Depends)
for package in libqt5core5a libqt5gui5 libqt5widgets5 fonts-wqy-zenhei; do
    case ", $depends," in
        *", $package "* | *", $package,"*) ;;
        *) fail "Depends ($depends) lacks $package" ;;
    esac
done

dpkg-deb -x "$deb" "$root/fs"
for file in bin/runemill bin/runemill-cli share/runemill/reader/runemill_font.h \
    share/runemill/reader/runemill_font.c share/runemill/reader/examples/draw_glyph.c \
    share/runemill/cmake/RunemillFont.cmake \
    share/applications/runemill.desktop share/icons/hicolor/scalable/apps/runemill.svg \
    share/doc/runemill/README.md share/doc/runemill/file-formats.md; do
    [ -f "$root/fs/usr/$file" ] || fail "/usr/$file is missing"
done
for program in runemill runemill-cli; do
    if ldd "$root/fs/usr/bin/$program" | grep -q "not found"; then
        fail "$program misses libraries: $(ldd "$root/fs/usr/bin/$program" | grep "not found")"
    fi
done

cli="$root/fs/usr/bin/runemill-cli"
printed=$("$cli" --version)
[ "$printed" = "runemill-cli $version" ] || fail "runemill-cli --version printed '$printed'"

convert_small() {  # convert_small <cli> <output>
    "$1" convert gb2312 -o "$2" --from B0A1 --to B0A2 --width 16 --height 16 \
        --point-size 12 --y0 -5 --quiet >/dev/null
}
convert_small "$cli" "$root/small.bin" || fail "the unpacked runemill-cli could not convert"
summary=$("$cli" inspect "$root/small.bin") || fail "inspect refused the file: $summary"
case "$summary" in
    *"glyphs: 189 (95 ASCII + 94)"*"right for its header"*) ;;
    *) fail "inspect of the small font printed: $summary" ;;
esac
"$cli" inspect "$root/small.bin" --glyph B0A1 | grep -q '#' || fail "glyph B0A1 has no ink"
if [ -n "$reference" ]; then
    convert_small "$reference" "$root/reference.bin"
    cmp -s "$root/small.bin" "$root/reference.bin" ||
        fail "the unpacked runemill-cli and $reference wrote different bytes"
fi
echo "check_package: $deb unpacks, runs runemill-cli $version and converts"
