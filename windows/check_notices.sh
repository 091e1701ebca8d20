#!/usr/bin/env bash
# The zip's notice file must have a section ("== NAME") for every library
# linked into the Windows programs. What is linked is read from the static Qt
# build and the programs' link lines:
#  - the libraries of Qt's .prl files (lib/ and plugins/) and of the link lines
#    (CMake's link.txt of runemill.exe and runemill-cli.exe), by file name;
#  - the code Qt builds from its own bundled copies, by its features
#    (mkspecs/qmodule.pri, mkspecs/modules/qt_lib_*_private.pri): a feature on
#    whose "system-" twin is off.
# A library this script does not know fails the check: give it a section and
# a line in linked_section below.
#
#     windows/check_notices.sh NOTICES.txt QT_PREFIX [link.txt...]
set -euo pipefail
[ $# -ge 2 ] || { echo "usage: $0 NOTICES.txt QT_PREFIX [link.txt...]" >&2; exit 1; }
notices=$1
qt=$2
shift 2

# Windows' own DLLs (import libraries): part of the system, no notice.
WINDOWS_LIBS=" advapi32 comdlg32 crypt32 d3d9 d3d11 dwmapi dwrite dxgi dxguid gdi32 imm32 kernel32
    mpr netapi32 ole32 oleaut32 setupapi shell32 shlwapi user32 userenv uuid uxtheme version winmm
    winspool ws2_32 wtsapi32 "
WINDOWS_LIBS=" $(echo $WINDOWS_LIBS) "  # one line, one space between names

linked_section() {  # linked_section <library name without lib and .a>
    case $1 in
        qtpcre2*) echo PCRE2 ;;
        qtlibpng* | png*) echo libpng ;;
        qtlibjpeg* | jpeg*) echo libjpeg ;;
        qtharfbuzz* | harfbuzz*) echo HarfBuzz ;;
        qtfreetype* | freetype*) echo FreeType ;;
        z | zlib* | qtzlib*) echo zlib ;;
        stdc++ | gcc | gcc_eh | gcc_s | quadmath | ssp) echo "GCC runtime" ;;
        pthread | winpthread | mingw32 | mingwex | moldname | msvcrt | ucrt* | m) echo "MinGW-w64 runtime and winpthreads" ;;
        Qt5* | q*) echo Qt ;;  # Qt's modules and plugins (qwindows, qoffscreen, qico, ...)
        runemill_*) echo Runemill ;;  # our own static libraries (core, window, reader, ...)
        *) [[ $WINDOWS_LIBS == *" ${1,,} "* ]] || echo "UNKNOWN $1" ;;
    esac
}

# Qt's own code from bundled sources, in every static Qt 5.15 with QtCore and
# QtGui, and what -static links into every MinGW-w64 program.
required=("Runemill" "Qt" "Easing equations" "SHA-3 (Keccak)" "RFC 6234 (SHA-1 and SHA-2)" "MD4 and MD5"
          "Unicode data" "Public Suffix List" "sRGB ICC profile" "GCC runtime"
          "MinGW-w64 runtime and winpthreads")

# Libraries by name: -lNAME and .../libNAME.a in the .prl files and link lines.
prl_files=$(find "$qt/lib" "$qt/plugins" -name '*.prl' 2>/dev/null || true)
[ -n "$prl_files" ] || { echo "check_notices: no .prl files under $qt/lib: not a static Qt" >&2; exit 1; }
# shellcheck disable=SC2086
libraries=$( (sed -n 's/^QMAKE_PRL_LIBS *= *//p' $prl_files; cat "$@" </dev/null) | tr ' ' '\n' |
    sed -n -e 's/^-l\(.*\)/\1/p' -e 's/^\(.*\/\)\{0,1\}lib\([^/]*\)\.a$/\2/p' | sort -u)
while read -r library; do
    [ -n "$library" ] || continue
    section=$(linked_section "$library")
    [ -n "$section" ] && required+=("$section")
done <<<"$libraries"

# Bundled code by feature, "feature:twin:section": the feature on and its
# system twin (a system library instead of Qt's copy) off. FreeType is ours.
features=" $( (cat "$qt"/mkspecs/qconfig.pri "$qt"/mkspecs/qmodule.pri "$qt"/mkspecs/modules/qt_lib_*.pri 2>/dev/null || true) |
    sed -n 's/^QT\.[a-z_]*\.enabled_features *= *//p' | tr '\n' ' ') "
[ "$features" != "  " ] || { echo "check_notices: no features in $qt/mkspecs" >&2; exit 1; }
for entry in doubleconversion:system-doubleconversion:double-conversion regularexpression:system-pcre2:PCRE2 \
    png:system-png:libpng jpeg:system-jpeg:libjpeg harfbuzz:system-harfbuzz:HarfBuzz freetype::FreeType \
    textmarkdownreader:system-textmarkdownreader:md4c cborstreamwriter::TinyCBOR; do
    IFS=: read -r feature twin section <<<"$entry"
    [[ $features == *" $feature "* ]] || continue
    [ -n "$twin" ] && [[ $features == *" $twin "* ]] && continue
    required+=("$section")
done
[[ $features == *" system-zlib "* ]] || required+=(zlib)

missing=0
while read -r section; do
    if [ "${section#UNKNOWN }" != "$section" ]; then
        echo "check_notices: the programs link ${section#UNKNOWN }, which has no known notice" >&2
        missing=$((missing + 1))
    elif ! grep -qxF "== $section" "$notices"; then
        echo "check_notices: $notices has no section \"== $section\"" >&2
        missing=$((missing + 1))
    fi
done < <(printf '%s\n' "${required[@]}" | sort -u)
[ $missing -eq 0 ] || exit 1
echo "check_notices: $notices names all $(printf '%s\n' "${required[@]}" | sort -u | wc -l) libraries linked in"
