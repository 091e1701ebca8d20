#!/bin/sh
# Builds the reader's libFuzzer target with clang and runs it for SECONDS on
# a copy of reader/fuzz/corpus/ (the repository is not modified).
# Exits non-zero when the fuzzer finds a crash, a leak or undefined behaviour.
#
#     reader/fuzz/run_fuzz.sh 60
set -eu

seconds=${1:-60}
here=$(cd "$(dirname "$0")" && pwd)
reader=$(dirname "$here")
work=$(mktemp -d "${TMPDIR:-/tmp}/runemill_fuzz.XXXXXX")

clang -std=c99 -g -O1 -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined \
    -I"$reader" "$here/fuzz_reader.c" "$reader/runemill_font.c" -o "$work/fuzz_reader"

mkdir -p "$work/corpus" "$work/artifacts"
cp "$here"/corpus/* "$work/corpus/" 2>/dev/null || true

status=0
"$work/fuzz_reader" -max_total_time="$seconds" -artifact_prefix="$work/artifacts/" \
    "$work/corpus" || status=$?

if [ "$status" -ne 0 ] || [ -n "$(ls -A "$work/artifacts")" ]; then
    echo "run_fuzz: the fuzzer failed (exit $status); inputs that crashed:" >&2
    for f in "$work"/artifacts/*; do
        [ -e "$f" ] || continue
        echo "  $f: $(od -An -tx1 -N64 "$f" | tr -s ' \n' ' ')" >&2
    done
    echo "run_fuzz: kept $work for a look" >&2
    exit 1
fi
rm -rf "$work"
echo "run_fuzz: no crash in ${seconds}s"
