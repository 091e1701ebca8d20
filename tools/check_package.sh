#!/bin/sh
# Unpacks a runemill .deb into a scratch root (dpkg-deb -x, nothing is
# installed) and checks it: lintian (an error, or a tag about the manual pages,
# fails), its name, version and dependencies, the installed files, the
# copyright file, changelog and manual pages, that every relative link of the
# installed documentation finds its file, that both programs find their
# libraries, that the unpacked
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

command -v lintian >/dev/null || fail "lintian is not installed (apt-get install lintian)"
# Tags one per line; lintian exits non-zero on an error. It warns when run as root.
status=0
tags=$(lintian "$deb" 2>&1) || status=$?
tags=$(printf '%s\n' "$tags" | grep -v '^running with root privileges' || true)
[ -z "$tags" ] || printf '%s\n' "$tags"
[ $status -eq 0 ] || fail "lintian reports errors (exit $status)"
case "$tags" in
    *manual-page* | *manpage*) fail "lintian reports a manual page problem" ;;
esac

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
    share/doc/runemill/README.md share/doc/runemill/copyright share/doc/runemill/changelog.gz \
    share/man/man1/runemill.1.gz share/man/man1/runemill-cli.1.gz; do
    [ -f "$root/fs/usr/$file" ] || fail "/usr/$file is missing"
done
doc="$root/fs/usr/share/doc/runemill"
head -n 1 "$doc/copyright" | grep -q '^Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/' ||
    fail "the copyright file is not in Debian's machine-readable format"
grep -q '^License: MIT$' "$doc/copyright" || fail "the copyright file names no MIT licence"
gzip -dc "$doc/changelog.gz" | head -n 1 | grep -q "^runemill ($version) " ||
    fail "the changelog does not start with version $version"
for program in runemill runemill-cli; do
    gzip -dc "$root/fs/usr/share/man/man1/$program.1.gz" | grep -q "^\.TH .*\"$program $version\"" ||
        fail "the manual page of $program is not that of version $version"
done
# Every relative link and picture of the installed Markdown, from its own folder.
find "$doc" -name '*.md' | while read -r page; do
    grep -oE '\]\([^)#]+' "$page" | cut -c3- | grep -vE '^[a-z]+:' | while read -r target; do
        [ -e "$(dirname "$page")/$target" ] || fail "${page#"$root/fs"} links $target, which is not installed"
    done
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
echo "check_package: $deb passes lintian, unpacks, runs runemill-cli $version and converts"
