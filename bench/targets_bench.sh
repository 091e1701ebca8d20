#!/usr/bin/env bash
# runemill-cli convert --for each display library's format against the .bin:
# GB2312 B0A1..F7FE (the 6,763 hanzi, with the 95 ASCII glyphs) in 16 x 16
# cells, WenQuanYi Zen Hei at 12 pt, one job; then rows B0..BF (1,504 hanzi),
# which an Adafruit GFX font can hold. Prints the best wall seconds of each
# target, its time over the .bin's, and its file size beside the plain and
# the compressed .bin. Times are processor seconds (user and system), which a
# shared machine disturbs less than wall time. A target whose writer refuses
# the run prints why.
#
#   bench/targets_bench.sh [path/to/runemill-cli] [runs]
set -euo pipefail

here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
cli="${1:-${RUNEMILL_CLI:-$here/../build/cli/runemill-cli}}"
runs="${2:-3}"
if [[ ! -x "$cli" ]]; then
    echo "targets_bench: no runemill-cli at $cli (give its path as the first argument)" >&2
    exit 1
fi
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
common=()
glyphs=0
# best <output> <options...>: the fewest processor milliseconds of `runs` runs, or "refused: ...".
best() {
    local out=$1 ms best=""
    shift
    for ((run = 1; run <= runs; ++run)); do
        if ! /usr/bin/time -o "$work/time" -f "%U %S" "$cli" convert "${common[@]}" -o "$out" "$@" \
            2>"$work/err" >/dev/null; then
            echo "refused: $(sed 's/^runemill-cli: //' "$work/err")"
            return
        fi
        ms=$(awk '{ printf "%d", ($1 + $2) * 1000 }' "$work/time")
        if [[ -z "$best" || $ms -lt $best ]]; then best=$ms; fi
    done
    echo "$best"
}

# flash <what> <bytes>: a second line under the target's.
flash() {
    printf '%-17s %s\n' "" "flash: $1 = $2 bytes ($(echo "$2 / $glyphs" | bc -l | cut -c1-5) a glyph)"
}

seconds() { printf '%d.%02d' $(($1 / 1000)) $(($1 / 10 % 100)); }

for last in F7FE BFFE; do
rows=$(((0x$last >> 8) - 0xB0 + 1))
glyphs=$((rows * 94 + 95))  # the slots of the rows and the ASCII block
common=(gb2312 --from B0A1 --to "$last" --width 16 --height 16 --point-size 12 --y0 -5
        --font "WenQuanYi Zen Hei" --jobs 1 --quiet)
echo "GB2312 B0A1..$last ($glyphs glyphs) at 16 px (16 x 16, Zen Hei 12 pt), one job; best of $runs runs"
printf '%-10s %-6s %8s %7s %10s %8s\n' target format "cpu s" "x .bin" bytes "a glyph"
for format in 1bits 4bits; do
    reference=$(best "$work/plain.bin" --format "$format")
    plain=$(stat -c %s "$work/plain.bin")
    printf '%-10s %-6s %8s %7s %10d %8.1f\n' .bin "$format" "$(seconds "$reference")" 1.00 \
        "$plain" "$(echo "$plain / $glyphs" | bc -l)"
    "$cli" convert "${common[@]}" -o "$work/z.bin" --format "$format" --compress >/dev/null
    compressed=$(stat -c %s "$work/z.bin")
    printf '%-10s %-6s %8s %7s %10d %8.1f\n' .bin-rz "$format" - - "$compressed" \
        "$(echo "$compressed / $glyphs" | bc -l)"
    for target in lvgl:.c lvgl-bin:.bin u8g2:.c gfx:.h bdf:.bdf; do
        name=${target%%:*}
        if [[ $format != 1bits && $name != lvgl* ]]; then continue; fi
        out="$work/font${target#*:}"
        result=$(best "$out" --format "$format" --for "$name")
        if [[ $result == refused:* ]]; then
            printf '%-10s %-6s %s\n' "$name" "$format" "$result"
            continue
        fi
        size=$(stat -c %s "$out")
        printf '%-10s %-6s %8s %7.2f %10d %8.1f\n' "$name" "$format" "$(seconds "$result")" \
            "$(echo "$result / $reference" | bc -l)" "$size" "$(echo "$size / $glyphs" | bc -l)"
        # What a C font puts in flash, as far as the text shows it.
        case $name in
            gfx)
                bitmap=$(sed -n '/Bitmaps\[\]/,/^};/p' "$out" | grep -o '0x' | wc -l)
                entries=$(sed -n '/Glyphs\[\]/,/^};/p' "$out" | grep -c '^    {')
                flash "bitmap $bitmap + $entries GFXglyph x 8" $((bitmap + 8 * entries)) ;;
            lvgl)
                bitmap=$(sed -n '/_bitmap\[\] = {/,/^};/p' "$out" | grep -o '0x' | wc -l)
                entries=$(sed -n '/_glyphs\[\] = {/,/^};/p' "$out" | grep -c '{')
                flash "bitmap $bitmap + $((entries - 1)) glyph descriptions x 8" \
                    $((bitmap + 8 * (entries - 1))) ;;
            u8g2)
                array=$(grep -o 'const uint8_t [A-Za-z0-9_]*\[[0-9]*\]' "$out" | grep -o '[0-9]*\]$' | tr -d ']')
                flash "the font array" "$array" ;;
        esac
    done
done
done

# The u8g2 font of the bitmap strikes of WenQuanYi Bitmap Song 12 pt, against
# the 40.9 bytes a glyph of the 16-pixel GB2312 font u8g2 ships.
song=/usr/share/fonts/X11/misc/wenquanyi_12pt.pcf
if [[ -f $song ]]; then
    glyphs=6863
    common=(gb2312 --from B0A1 --to F7FE --width 16 --height 16 --render crisp --point-size 12
            --y0 -3 --font-file "$song" --jobs 1 --quiet)
    echo "GB2312 B0A1..F7FE ($glyphs glyphs), WenQuanYi Bitmap Song 12 pt (PCF), crisp, 16 x 16"
    for target in bin:.bin u8g2:.c; do
        out="$work/song${target#*:}"
        result=$(best "$out" --for "${target%%:*}")
        size=$(stat -c %s "$out")
        printf '%-10s %8s %10d bytes\n' "${target%%:*}" "$(seconds "$result")" "$size"
    done
    array=$(grep -o 'const uint8_t [A-Za-z0-9_]*\[[0-9]*\]' "$work/song.c" | grep -o '[0-9]*\]$' | tr -d ']')
    flash "the u8g2 font array" "$array"
fi
