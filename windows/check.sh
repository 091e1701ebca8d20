#!/usr/bin/env bash
# Under Wine, on a virtual display of its own and in a Wine prefix of its own
# (under RUNEMILL_CACHE, never ~/.wine):
#  1. runemill-cli.exe convert against the Linux runemill-cli over a matrix of
#     kinds, pixel formats, cells, fonts and --jobs 1/2: the files must be the
#     same bytes, the printed lines the same text (CRLF read as LF);
#  2. runemill.exe started: it must show its window (screenshot: window.png);
#  3. with the static Qt's folder: windows/NOTICES.txt names every library
#     linked into the two programs (windows/check_notices.sh).
# check.sh <linux runemill-cli> <runemill-cli.exe> <runemill.exe> <work dir> [Qt folder]
set -euo pipefail
[ $# -eq 4 ] || [ $# -eq 5 ] ||
    { echo "usage: $0 <linux cli> <windows cli> <windows window> <work dir> [Qt folder]" >&2; exit 1; }
QT_FOLDER=${5:-}
LINUX_CLI=$(realpath "$1")
WIN_CLI=$(realpath "$2")
WIN_GUI=$(realpath "$3")
WORK=$4
CACHE=${RUNEMILL_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/runemill-windows}

mkdir -p "$WORK"/{fonts,linux,windows}
WORK=$(realpath "$WORK")
export WINEPREFIX=$CACHE/wine WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
unset DISPLAY

XVFB_PID=
GUI_PID=
cleanup() {
    [ -n "$GUI_PID" ] && kill "$GUI_PID" 2>/dev/null
    [ -n "${DISPLAY:-}" ] && wineserver -k 2>/dev/null
    [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null
    return 0
}
trap cleanup EXIT

# A display number of its own: Xvfb picks a free one and names it.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$WORK/display" 2>/dev/null &
XVFB_PID=$!
for _ in $(seq 50); do [ -s "$WORK/display" ] && break; sleep 0.1; done
export DISPLAY=:$(cat "$WORK/display")
[ -d "$WINEPREFIX" ] || echo "Creating the Wine prefix $WINEPREFIX"
wineboot -i >/dev/null 2>&1

# Font files whose faces are the installed ones of their family: the Linux
# build draws a --font-file by its family name, so an installed face of the
# same family in another style would be drawn there instead.
cp /usr/share/fonts/truetype/wqy/wqy-zenhei.ttc /usr/share/fonts/truetype/liberation/LiberationSans-Regular.ttf \
    /usr/share/fonts/truetype/liberation/LiberationSerif-Regular.ttf "$WORK/fonts/"
printf 'Hello, 世界! 温度 25°C\n设置 菜单 返回 確定\n' > "$WORK/fonts/ui.txt"

ZEN=(--font-file ../fonts/wqy-zenhei.ttc)
SANS=(--font-file ../fonts/LiberationSans-Regular.ttf)
SERIF=(--font-file ../fonts/LiberationSerif-Regular.ttf)
CASES=()
add() { CASES+=("$*"); }  # add <name> <convert arguments...>

# Every kind in every pixel format, cells, fonts and jobs taking turns.
cells=("16 16" "24 24" "32 32" "12 20" "20 12")
i=0
for kind in gb2312 big5 gbk unicode ascii string chip ttf; do
    for format in 1bits 2bits 4bits 8bits aRGB4444; do
        read -r w h <<<"${cells[i % 5]}"
        jobs=$((i % 2 + 1))
        font=("${ZEN[@]}")
        [ "$kind" = ascii ] && [ $((i % 2)) -eq 0 ] && font=("${SANS[@]}")
        [ "$kind" = unicode ] && [ $((i % 3)) -eq 0 ] && font=("${SERIF[@]}")
        range=()
        case $kind in
            gb2312|chip|ttf) range=(--from B0A1 --to B3FE) ;;
            big5) range=(--from A440 --to A7FE) ;;
            gbk) range=(--from 8140 --to 86FE) ;;
            unicode) range=(--from 4E00 --to 4FFF) ;;
            string) range=(--text ../fonts/ui.txt) ;;
        esac
        add "$kind-$format-${w}x$h-j$jobs" "$kind" --format "$format" --width "$w" --height "$h" \
            --point-size $((h * 3 / 4)) --jobs "$jobs" "${font[@]}" "${range[@]}"
        i=$((i + 1))
    done
done
# Whole libraries (every code of the tables), both job counts.
add gb2312-whole-j2 gb2312 --width 16 --height 16 --point-size 12 --y0 -3 --jobs 2 "${ZEN[@]}"
add big5-whole-j1 big5 --width 16 --height 16 --point-size 12 --y0 -3 --jobs 1 "${ZEN[@]}"
add gbk-whole-j2 gbk --width 16 --height 16 --point-size 12 --y0 -3 --jobs 2 "${ZEN[@]}"
add unicode-whole-j2 unicode --width 16 --height 16 --point-size 12 --jobs 2 --format 4bits "${ZEN[@]}"
# The start-up settings, and the drawing options.
add start-up gb2312 --from B0A1 --to B0FE "${ZEN[@]}"
add bold-italic-underline gbk --from B0A1 --to B1FE --bold --italic --underline --format 2bits "${ZEN[@]}"
add rotated-mirrored big5 --from A440 --to A4FE --rotate r90 --reverse-x --format 8bits "${ZEN[@]}"
add left-rotated ascii --rotate l90 --reverse-y --space 2 --limit 100 "${SANS[@]}"
add offsets gb2312 --from B0A1 --to B0FE --x0 3 --y0 2 --format 4bits --jobs 2 "${ZEN[@]}"
add crisp-fitted-second-face gbk --render crisp --fit --face 2 --jobs 2 "${ZEN[@]}"

run_side() {  # run_side <dir> <command...>; prints the exit status
    local dir=$1 status=0
    shift
    rm -f "$dir/out.bin" "$dir/stdout"
    (cd "$dir" && "$@" >stdout 2>stderr) || status=$?
    echo "$status"
}

failed=0
printf '%-36s %s\n' case result
for entry in "${CASES[@]}"; do
    read -r -a words <<<"$entry"
    name=${words[0]}
    args=(convert "${words[@]:1}" -o out.bin --quiet)
    linux_status=$(run_side "$WORK/linux" "$LINUX_CLI" "${args[@]}")
    windows_status=$(run_side "$WORK/windows" wine "$WIN_CLI" "${args[@]}")
    result=same
    if [ "$linux_status" != 0 ] || [ ! -s "$WORK/linux/out.bin" ]; then
        result="Linux failed ($linux_status): $(head -c 200 "$WORK/linux/stderr")"
    elif [ "$windows_status" != 0 ] || [ ! -f "$WORK/windows/out.bin" ]; then
        result="Windows failed ($windows_status): $(tr -d '\r' <"$WORK/windows/stderr" | head -c 200)"
    elif ! cmp -s "$WORK/linux/out.bin" "$WORK/windows/out.bin"; then
        differing=$( (cmp -l "$WORK/linux/out.bin" "$WORK/windows/out.bin" 2>/dev/null || true) | wc -l)
        result="DIFFERENT: $differing of $(stat -c %s "$WORK/linux/out.bin") bytes"
        result+=" (sizes $(stat -c %s "$WORK/linux/out.bin")/$(stat -c %s "$WORK/windows/out.bin"))"
    elif ! cmp -s "$WORK/linux/stdout" <(tr -d '\r' <"$WORK/windows/stdout"); then
        result="printed lines differ"
    fi
    [ "$result" = same ] && result="same ($(stat -c %s "$WORK/linux/out.bin") bytes)" || failed=$((failed + 1))
    printf '%-36s %s\n' "$name" "$result"
done

echo "== runemill.exe"
wine "$WIN_GUI" >"$WORK/window.log" 2>&1 &
GUI_PID=$!
shown=no
for _ in $(seq 60); do
    if xwininfo -root -tree 2>/dev/null | grep -q '"Runemill V'; then shown=yes; break; fi
    sleep 1
done
if [ $shown = yes ]; then
    sleep 3  # let it paint
    import -window root "$WORK/window.png"
    echo "The window is shown: $WORK/window.png"
else
    echo "runemill.exe showed no window within 60 s"
    failed=$((failed + 1))
fi

if [ -n "$QT_FOLDER" ]; then
    echo "== The notices"
    # The link lines CMake wrote for the two programs (MinGW's take the
    # libraries from a response file), next to their folders.
    HERE=$(cd "$(dirname "$0")" && pwd)
    shopt -s nullglob
    links=("$(dirname "$WIN_GUI")"/CMakeFiles/runemill.dir/{link.txt,*.rsp}
           "$(dirname "$WIN_CLI")"/CMakeFiles/runemill-cli.dir/{link.txt,*.rsp})
    shopt -u nullglob
    "$HERE/check_notices.sh" "$HERE/NOTICES.txt" "$QT_FOLDER" "${links[@]}" || failed=$((failed + 1))
fi

[ $failed -eq 0 ] && echo "All ${#CASES[@]} conversions gave the same bytes on Windows and Linux."
[ $failed -eq 0 ]
