#!/bin/sh
# SPDX-License-Identifier: MIT
# The reader on a Cortex-M3 against runemill-cli inspect: converts a few small
# fonts, runs the firmware of run.sh on them under QEMU and compares its output
# with what inspect --glyph prints for the same codes, through both APIs, and
# the SPI reads each lookup made with the reads the reader documents. Then
# builds the firmware as a CMake project whose fonts runemill_add_font makes
# as C source, and checks those bytes and its output the same way.
#
#     reader/mcu/firmware_test.sh build/cli/runemill-cli
set -eu

cli=$1
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d "${TMPDIR:-/tmp}/runemill_fw_test.XXXXXX")
trap 'rm -rf "$work"' EXIT
failures=0

convert() {  # convert NAME KIND [OPTIONS...]
    name=$1
    shift
    "$cli" convert "$@" -o "$work/$name.bin" --quiet --jobs 1 >/dev/null
}

# check NAME CODE=SPI-READS...: the firmware's output ($work/got) must be
# inspect's glyph of each CODE of NAME.bin twice, then the lookup's "spi:" line.
check() {
    name=$1
    shift
    for entry in "$@"; do
        for api in flash read; do
            echo "== ${entry%%=*} $api"
            "$cli" inspect "$work/$name.bin" --glyph "${entry%%=*}"
        done
        echo "spi: ${entry#*=}"
    done >"$work/want"
    if diff -u "$work/want" "$work/got"; then
        echo "ok   $name $*"
    else
        failures=$((failures + 1))
    fi
}

run_bin() {  # run_bin NAME CODE=SPI-READS...: NAME.bin through run.sh
    # shellcheck disable=SC2046
    "$here/run.sh" "$work/$1.bin" $(shift && for e in "$@"; do echo "${e%%=*}"; done) \
        >"$work/got" || true
    check "$@"
}

# 16 x 16 1bits: 32 bytes a glyph; an ASCII glyph adds its width byte.
convert gb2312 gb2312 --from B0A1 --to B0A4 --width 16 --height 16 --point-size 12 --y0 -5
run_bin gb2312 B0A1="1 reads, 32 bytes" B0A4="1 reads, 32 bytes" 0041="2 reads, 33 bytes"

# 12 x 14 4bits: rows of 6 bytes, 84 a glyph, each record with its width byte.
convert unicode unicode --from 4E00 --to 4E03 --width 12 --height 14 --format 4bits \
    --point-size 10 --y0 -4
run_bin unicode 4E00="2 reads, 85 bytes" 4E03="2 reads, 85 bytes" 0067="2 reads, 85 bytes"

# A, B, 汉, 字 in 16 x 16 1bits: the 8-byte table in one read, then the record.
printf 'AB\346\261\211A\345\255\227' >"$work/text.txt"
convert string string --text "$work/text.txt" --width 16 --height 16 --point-size 12 --y0 -5
run_bin string 0041="3 reads, 41 bytes" 5B57="3 reads, 41 bytes"

# Compressed, GB2312 B0A1..B0A4 in 16 x 16 1bits: the model of 64 << (gx + gy)
# contexts (grid byte 4) from 14, the 95 ASCII widths after it, then index
# entries of 13 bytes (length form 0: offset, base, 16 nibbles), glyph g in
# entry g / 16. A lookup reads the entry, the code 38 bytes at a time and, for
# an ASCII glyph, its width byte.
byte_at() { od -An -tu1 -j"$1" -N1 "$work/$name.bin" | tr -d ' '; }
spi_line() {  # spi_line GLYPH: the reads of glyph number GLYPH
    local grid entry nibbles length ascii=$(($1 < 95))
    if [ "$(byte_at 3)" != 0 ]; then
        echo "length form $(byte_at 3), not 0"
        return
    fi
    grid=$(byte_at 4)
    entry=$((14 + (64 << ((grid >> 4) + (grid & 15))) / 2 + 95 + $1 / 16 * 13))
    nibbles=$(byte_at $((entry + 5 + $1 % 16 / 2)))
    length=$(($(byte_at $((entry + 4))) + (nibbles >> ($1 % 2 ? 0 : 4) & 15)))
    echo "$((1 + (length + 37) / 38 + ascii)) reads, $((13 + length + ascii)) bytes"
}
name=gb2312_rz
convert $name gb2312 --from B0A1 --to B0A4 --width 16 --height 16 --point-size 12 --y0 -5 --compress
run_bin $name B0A1="$(spi_line 95)" B0A4="$(spi_line 98)" 0041="$(spi_line 33)"

# The CMake project of the firmware, its fonts made by runemill_add_font: the
# generated C array holds the bytes of the .bin and the firmware prints the same.
options="--from;4E00;--to;4E03;--width;12;--height;14;--format;4bits;--point-size;10;--y0;-4"
cmake -S "$here" -B "$work/cmake" -DCMAKE_TOOLCHAIN_FILE="$here/arm-none-eabi.cmake" \
    -DRUNEMILL_CLI="$cli" -DFONT_KIND=unicode "-DFONT_OPTIONS=$options" \
    -DFIRMWARE_CODES=0x4E03,0x0067 >"$work/cmake.log" 2>&1 &&
    cmake --build "$work/cmake" >>"$work/cmake.log" 2>&1 || {
    cat "$work/cmake.log" >&2
    exit 1
}
arm-none-eabi-objcopy -O binary -j .rodata.font_bin \
    "$work/cmake/CMakeFiles/firmware.elf.dir/runemill_fonts/font_bin.c.obj" "$work/array.bin"
cmp "$work/array.bin" "$work/unicode.bin" || failures=$((failures + 1))
timeout 120 qemu-system-arm -M mps2-an385 -nographic -semihosting \
    -kernel "$work/cmake/firmware.elf" </dev/null >"$work/got" 2>&1 || true
check unicode 4E03="2 reads, 85 bytes" 0067="2 reads, 85 bytes"

if [ "$failures" -ne 0 ]; then
    echo "firmware_test: $failures failed" >&2
    exit 1
fi
echo "firmware_test: the firmware prints what inspect prints"
