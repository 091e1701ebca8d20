#!/bin/sh
# SPDX-License-Identifier: MIT
# Writes the seeds of the fuzzer's corpus that come from our own writer: tiny
# files of every kind made by runemill-cli convert, 8 x 8 cells, a few codes,
# several pixel formats (each under about 4 KB). They sit beside the seeds
# written by hand once (libraries of 1 x 1 cells, 5 x 3 string fonts in every
# format, the two headers), under names that start with "cli_"; the old cli_
# files are replaced.
#
#     reader/fuzz/make_corpus.sh build/cli/runemill-cli [reader/fuzz/corpus]
#
# The same runemill-cli with the same installed fonts writes the same bytes:
# every option is given, and the start-up family resolves to a fixed face.
set -eu

if [ $# -lt 1 ]; then
    echo "usage: $0 RUNEMILL-CLI [CORPUS-DIR]" >&2
    exit 1
fi
cli=$1
here=$(cd "$(dirname "$0")" && pwd)
corpus=${2:-$here/corpus}
work=$(mktemp -d "${TMPDIR:-/tmp}/runemill_corpus.XXXXXX")
trap 'rm -rf "$work"' EXIT

mkdir -p "$corpus"
rm -f "$corpus"/cli_*.bin

# seed NAME KIND FORMAT [OPTIONS...]: one file of 8 x 8 cells.
seed() {
    name=$1
    kind=$2
    format=$3
    shift 3
    "$cli" convert "$kind" -o "$work/$name.bin" --width 8 --height 8 --format "$format" \
        --point-size 8 --y0 0 --x0 0 --limit 50 --space 3 --jobs 1 --quiet "$@" >/dev/null
    cp "$work/$name.bin" "$corpus/cli_$name.bin"
}

# Libraries store whole rows (GB2312 94 cells, BIG5 160, GBK 190); Unicode
# stores the codes of its range.
seed gb2312_1bits gb2312 1bits --from B0A1 --to B0A4
seed gb2312_2bits gb2312 2bits --from B0A1 --to B0A4 --bold
seed big5_1bits big5 1bits --from A440 --to A443
seed big5_2bits big5 2bits --from A440 --to A443 --italic
seed gbk_1bits gbk 1bits --from 8140 --to 8143
seed unicode_1bits unicode 1bits --from 4E00 --to 4E03
seed unicode_4bits unicode 4bits --from 0041 --to 0044 --rotate r90
seed ascii_1bits ascii 1bits
seed ascii_2bits ascii 2bits --reverse-x
seed ascii_4bits ascii 4bits --space 2

# A string font keeps its table in first-occurrence order: A, B, 汉, 字.
printf 'AB\346\261\211A\345\255\227' >"$work/text.txt"
seed string_1bits string 1bits --text "$work/text.txt"
seed string_8bits string 8bits --text "$work/text.txt"
seed string_argb4444 string aRGB4444 --text "$work/text.txt"

# The 108-byte headers are appended to their file; one file holds two.
seed chip_4bits chip 4bits --from B0A1 --to B0FE --bold --underline
seed ttf_1bits ttf 1bits --italic
seed chip_ttf chip 2bits
"$cli" convert ttf -o "$work/chip_ttf.bin" --width 8 --height 8 --format 8bits --quiet >/dev/null
cp "$work/chip_ttf.bin" "$corpus/cli_chip_ttf.bin"

# Compressed forms of every kind, in several formats.
seed gb2312_1bits_rz gb2312 1bits --from B0A1 --to B0A4 --compress
seed big5_4bits_rz big5 4bits --from A440 --to A443 --compress
seed gbk_2bits_rz gbk 2bits --from 8140 --to 8143 --compress
seed unicode_8bits_rz unicode 8bits --from 4E00 --to 4E03 --compress
seed ascii_argb4444_rz ascii aRGB4444 --compress
seed string_1bits_rz string 1bits --text "$work/text.txt" --compress

ls -l "$corpus"/cli_*.bin | awk '{ total += $5 } END { print "make_corpus: " NR " files, " total " bytes" }'
