#!/usr/bin/env bash
# windows/check_notices.sh on a fake static Qt: windows/NOTICES.txt covers
# what it links; a section taken out, or a library nobody named, fails.
#     tests/windows_notices.sh SOURCE_DIR
set -u
check="$1/windows/check_notices.sh"
work=$(mktemp -d "${TMPDIR:-/tmp}/runemill_notices.XXXXXX")
trap 'rm -rf "$work"' EXIT
qt=$work/qt
mkdir -p "$qt/lib" "$qt/plugins/platforms" "$qt/mkspecs/modules"
echo 'QMAKE_PRL_LIBS = $$[QT_INSTALL_LIBS]/libqtpcre2.a -lnetapi32 -luserenv' > "$qt/lib/Qt5Core.prl"
echo 'QMAKE_PRL_LIBS = $$[QT_INSTALL_LIBS]/libqtlibpng.a -lqtharfbuzz -lfreetype -lole32' > "$qt/lib/Qt5Gui.prl"
echo 'QMAKE_PRL_LIBS = -lQt5Gui -ldwmapi -lwtsapi32' > "$qt/plugins/platforms/qwindows.prl"
echo 'QT.global_private.disabled_features = system-zlib' > "$qt/mkspecs/qmodule.pri"
echo 'QT.core.enabled_features = cborstreamwriter regularexpression doubleconversion' > "$qt/mkspecs/modules/qt_lib_core.pri"
echo 'QT.gui_private.enabled_features = harfbuzz png jpeg freetype system-freetype textmarkdownreader' \
    > "$qt/mkspecs/modules/qt_lib_gui_private.pri"
echo "g++ -static main.obj -o runemill.exe librunemill_window.a ../render/librunemill_render.a \
    $qt/lib/libQt5Widgets.a -lkernel32 -lstdc++" > "$work/link.txt"
echo "g++ -static main.obj -o runemill-cli.exe libbrotlidec.a" > "$work/link-unknown.txt"
grep -vx '== md4c' "$1/windows/NOTICES.txt" > "$work/no-md4c.txt"

status=0
expect() {  # expect <pass|fail> <what stderr must say> <check arguments...>
    local want=$1 says=$2 got=pass
    shift 2
    "$check" "$@" >"$work/out" 2>&1 || got=fail
    if [ "$got" != "$want" ] || ! grep -qF "$says" "$work/out"; then
        echo "windows_notices: check_notices $* should $want saying '$says'; it printed:" >&2
        cat "$work/out" >&2
        status=1
    fi
}
expect pass "names all 20 libraries" "$1/windows/NOTICES.txt" "$qt" "$work/link.txt"
expect fail 'no section "== md4c"' "$work/no-md4c.txt" "$qt" "$work/link.txt"
expect fail "link brotlidec, which has no known notice" "$1/windows/NOTICES.txt" "$qt" "$work/link-unknown.txt"
exit $status
