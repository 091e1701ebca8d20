#!/bin/sh
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

# expect NAME CODE=SPI-READS...: what the firmware must print for CODE (four
# hex digits) of NAME.bin: inspect's glyph twice and the "spi:" line of the
# lookup. Sets $codes.
expect() {
    name=$1
    shift
    codes=""
    : >"$work/want"
    for entry in "$@"; do
        code=${entry%%=*}
        codes="$codes $code"
        for api in flash read; do
            echo "== $code $api" >>"$work/want"
            "$cli" inspect "$work/$name.bin" --glyph "$code" >>"$work/want"
        done
        echo "spi: ${entry#*=}" >>"$work/want"
    done
}

compare() {  # compare NAME: the firmware's output in $work/got
    if diff -u "$work/want" "$work/got"; then
        echo "ok   $name:$codes"
    else
        echo "FAIL $name: firmware output differs from inspect" >&2
        failures=$((failures + 1))
    fi
}

check() {  # check NAME CODE=SPI-READS...: NAME.bin through run.sh
    expect "$@"
    # shellcheck disable=SC2086
    if ! "$here/run.sh" "$work/$name.bin" $codes >"$work/got"; then
        echo "FAIL $name: the firmware failed" >&2
        failures=$((failures + 1))
    fi
    compare
}

# 16 x 16 1bits: 32 bytes a glyph; an ASCII glyph adds its width byte.
convert gb2312 gb2312 --from B0A1 --to B0A4 --width 16 --height 16 --point-size 12 --y0 -5
check gb2312 B0A1="1 reads, 32 bytes" B0A4="1 reads, 32 bytes" 0041="2 reads, 33 bytes" \
    0020="2 reads, 33 bytes"

# 12 x 14 4bits: rows of 6 bytes, 84 a glyph, each record with its width byte.
convert unicode unicode --from 4E00 --to 4E03 --width 12 --height 14 --format 4bits \
    --point-size 10 --y0 -4
check unicode 4E00="2 reads, 85 bytes" 4E03="2 reads, 85 bytes" 0067="2 reads, 85 bytes"

# 10 x 10 2bits GBK: rows of 3 bytes; 817E and 8180 sit on either side of the
# trail byte 7F that GBK never uses.
convert gbk gbk --from 8140 --to 8180 --width 10 --height 10 --format 2bits --point-size 8 --y0 -3
check gbk 817E="1 reads, 30 bytes" 8180="1 reads, 30 bytes"

# A string font of A, B, 汉, 字 in 16 x 16 1bits: the 8-byte table in one read,
# then the width byte and the glyph.
printf 'AB\346\261\211A\345\255\227' >"$work/text.txt"
convert string string --text "$work/text.txt" --width 16 --height 16 --point-size 12 --y0 -5
check string 0041="3 reads, 41 bytes" 6C49="3 reads, 41 bytes" 5B57="3 reads, 41 bytes"

# The same firmware as a CMake project that makes its fonts with
# runemill_add_font: the array of the generated C source holds the bytes of
# the .bin, and the firmware prints what inspect prints.
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
if cmp "$work/array.bin" "$work/unicode.bin"; then
    echo "ok   runemill_add_font: the C array holds the bytes of the .bin"
else
    failures=$((failures + 1))
fi
expect unicode 4E03="2 reads, 85 bytes" 0067="2 reads, 85 bytes"
name=runemill_add_font
timeout 120 qemu-system-arm -M mps2-an385 -nographic -semihosting \
    -kernel "$work/cmake/firmware.elf" </dev/null >"$work/got" 2>&1 || failures=$((failures + 1))
compare

if [ "$failures" -ne 0 ]; then
    echo "firmware_test: $failures failed" >&2
    exit 1
fi
echo "firmware_test: the firmware prints what inspect prints"
