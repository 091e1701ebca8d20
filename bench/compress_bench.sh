#!/usr/bin/env bash
# Sizes and speed of --compress on the 6,763 hanzi of GB2312 (B0A1..F7FE) with
# --fit, at 16 x 16 and 24 x 24: the plain and compressed sizes and their
# ratio, the conversion's processor time (user + system) without and with
# --compress, and the reader's decoding time per glyph (runemill_decode_bench).
# Processor time rather than wall time: other programs on the machine do not
# count. Prints a table; not a test.
#
#   bench/compress_bench.sh [build-dir]
set -euo pipefail

here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
build="${1:-$here/../build}"
cli="$build/cli/runemill-cli"
decode="$build/reader/runemill_decode_bench"
for tool in "$cli" "$decode"; do
    if [[ ! -x "$tool" ]]; then
        echo "compress_bench: no $tool (build the project first)" >&2
        exit 1
    fi
done
pcf=/usr/share/fonts/X11/misc/wenquanyi_12pt.pcf

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

# Seconds of processor time of one conversion, the options after the name.
convert_seconds() {
    local out=$1
    shift
    local TIMEFORMAT='%3U %3S'
    local times
    times=$({ time "$cli" convert gb2312 --from B0A1 --to F7FE --jobs 1 --quiet -o "$out" "$@" \
        >/dev/null 2>&1; } 2>&1)
    awk '{ printf "%.2f", $1 + $2 }' <<<"$times"
}

row() {  # row LABEL SIZE OPTIONS...
    local label=$1 size=$2
    shift 2
    local options=(--width "$size" --height "$size" "$@")
    local plain_s packed_s plain packed us
    plain_s=$(convert_seconds "$work/plain.bin" "${options[@]}")
    packed_s=$(convert_seconds "$work/packed.bin" "${options[@]}" --compress)
    plain=$(stat -c %s "$work/plain.bin")
    packed=$(stat -c %s "$work/packed.bin")
    us=$("$decode" "$work/packed.bin" | sed 's/.*glyphs, \([0-9.]*\) us per glyph.*/\1/')
    printf '| %s | %d x %d | %d | %d | %.2f | %.1f | %s | %s | %s |\n' "$label" "$size" "$size" \
        "$plain" "$packed" "$(bc -l <<<"$plain / $packed")" "$(bc -l <<<"$packed / 6863")" \
        "$plain_s" "$packed_s" "$us"
}

echo "GB2312 B0A1..F7FE, 6,863 glyphs with the ASCII block; times are processor seconds, --jobs 1"
echo
echo "| glyphs | cell | plain bytes | compressed bytes | ratio | bytes a glyph | convert s | with --compress s | decode us a glyph |"
echo "|---|---|---|---|---|---|---|---|---|"
for size in 16 24; do
    row "1bits smooth (Zen Hei)" "$size" --fit --font "WenQuanYi Zen Hei"
    row "1bits crisp (Zen Hei Sharp)" "$size" --fit --font "WenQuanYi Zen Hei Sharp" --render crisp
    row "4bits smooth (Zen Hei)" "$size" --fit --font "WenQuanYi Zen Hei" --format 4bits
done
if [[ -f "$pcf" ]]; then
    row "1bits Bitmap Song (PCF)" 16 --font-file "$pcf" --render crisp --point-size 12 --y0 -3
fi
