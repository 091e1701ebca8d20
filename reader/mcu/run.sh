#!/bin/sh
# SPDX-License-Identifier: MIT
# Builds the Cortex-M3 firmware of reader/mcu/ with FONT.bin linked into its
# flash (twice: read in place, and behind a simulated SPI flash) and runs it
# under QEMU's mps2-an385 machine. For each code (hex, e.g. B0A1 or 41) it
# prints the glyph through both reader APIs, as runemill-cli inspect --glyph
# prints it. Needs gcc-arm-none-eabi, libnewlib-arm-none-eabi and
# qemu-system-arm.
#
#     reader/mcu/run.sh font.bin B0A1 41
set -eu

if [ $# -lt 2 ]; then
    echo "usage: $0 FONT.bin CODE..." >&2
    exit 1
fi
font=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
shift
here=$(cd "$(dirname "$0")" && pwd)
reader=$(dirname "$here")
work=$(mktemp -d "${TMPDIR:-/tmp}/runemill_mcu.XXXXXX")
trap 'rm -rf "$work"' EXIT

codes=""
for code in "$@"; do
    case $code in
        0x* | 0X*) code=${code#0?} ;;
    esac
    codes="$codes${codes:+,}0x$code"
done

# The font twice, each with its length: font_bin in the flash the CPU
# addresses, spi_image in the section that stands for the SPI flash.
cat >"$work/font.S" <<ASM
    .section .rodata.font_bin, "a"
    .balign 4
    .global font_bin
font_bin:
    .incbin "$font"
font_bin_end:
    .balign 4
    .global font_bin_size
font_bin_size:
    .word font_bin_end - font_bin

    .section .spi_flash, "a"
    .balign 4
    .global spi_image
spi_image:
    .incbin "$font"
spi_image_end:
    .balign 4
    .global spi_image_size
spi_image_size:
    .word spi_image_end - spi_image
ASM

arm-none-eabi-gcc -mcpu=cortex-m3 -mthumb -std=c99 -Os -Wall -Wextra -ffunction-sections \
    -fdata-sections -nostartfiles --specs=nano.specs -Wl,--gc-sections -T "$here/mps2-an385.ld" \
    -I"$reader" -I"$here" "-DFIRMWARE_CODES=$codes" "$here/startup.c" "$here/firmware.c" \
    "$reader/runemill_font.c" "$work/font.S" -o "$work/firmware.elf"

# QEMU writes the semihosting output to its stderr; it goes to stdout here.
timeout 120 qemu-system-arm -M mps2-an385 -nographic -semihosting -kernel "$work/firmware.elf" \
    </dev/null 2>&1
