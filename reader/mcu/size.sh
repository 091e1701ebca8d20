#!/bin/sh
# Code size and stack of the reader on a Cortex-M3, as a firmware build would
# compile it (arm-none-eabi-gcc -Os -mthumb). Prints the code bytes, each
# function's stack frame (-fstack-usage) and, for each function of the API,
# the deepest chain of the reader's own frames below it (-fcallgraph-info);
# the read callback and the C library's memset/memcpy/memchr come on top.
#
#     reader/mcu/size.sh
set -eu

here=$(cd "$(dirname "$0")" && pwd)
reader=$(dirname "$here")
work=$(mktemp -d "${TMPDIR:-/tmp}/runemill_size.XXXXXX")
trap 'rm -rf "$work"' EXIT

cd "$work"
arm-none-eabi-gcc -mcpu=cortex-m3 -mthumb -std=c99 -Os -fstack-usage -fcallgraph-info=su \
    -c "$reader/runemill_font.c" -o runemill_font.o
arm-none-eabi-size runemill_font.o | awk 'NR == 2 { print "code: " $1 " bytes (text), data " $2 ", bss " $3 }'
arm-none-eabi-gcc -mcpu=cortex-m3 -mthumb -std=c99 -Os -DRMF_NO_COMPRESSED \
    -c "$reader/runemill_font.c" -o plain_only.o
arm-none-eabi-size plain_only.o | awk 'NR == 2 { print "code with -DRMF_NO_COMPRESSED: " $1 " bytes" }'
echo "stack frames (bytes):"
sed 's/.*:\([A-Za-z_0-9]*\)\t\([0-9]*\)\t.*/\2 \1/' runemill_font.su | sort -rn | awk '{ printf "  %4d %s\n", $1, $2 }'
# Nodes carry "NAME\n...\nN bytes"; edges link caller to callee.
awk '
    /^node:/ {
        match($0, /label: "[A-Za-z_0-9]+/); name = substr($0, RSTART + 8, RLENGTH - 8)
        match($0, /title: "[^"]*"/); title[substr($0, RSTART + 8, RLENGTH - 9)] = name
        bytes[name] = match($0, /[0-9]+ bytes/) ? substr($0, RSTART, RLENGTH) + 0 : 0
    }
    /^edge:/ {
        match($0, /sourcename: "[^"]*"/); from = substr($0, RSTART + 13, RLENGTH - 14)
        match($0, /targetname: "[^"]*"/); to = substr($0, RSTART + 13, RLENGTH - 14)
        edges[++count] = from SUBSEP to
    }
    function depth(name,    i, parts, best, d) {
        best = 0
        for (i = 1; i <= count; ++i) {
            split(edges[i], parts, SUBSEP)
            if (title[parts[1]] != name) continue
            d = depth(title[parts[2]])
            if (d > best) best = d
        }
        return bytes[name] + best
    }
    END {
        print "deepest stack of each call (bytes):"
        for (t in title) if (title[t] ~ /^rmf_/) printf "  %4d %s\n", depth(title[t]), title[t] | "sort -rn"
    }' runemill_font.ci
