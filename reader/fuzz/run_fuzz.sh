#!/bin/sh
# SPDX-License-Identifier: MIT
# Builds the reader's libFuzzer target with clang and runs it for SECONDS on
# a copy of reader/fuzz/corpus/ (the repository is not modified).
# Exits non-zero when the fuzzer finds a crash, a leak or undefined behaviour.
# With KEEP_DIR, the fuzzer binary is kept there and rebuilt only when its
# sources or compile command change, and the fuzzer's output goes to
# KEEP_DIR/fuzz.log: one summary line is printed instead.
#
#     reader/fuzz/run_fuzz.sh 60 [KEEP_DIR]
set -eu

seconds=${1:-60}
here=$(cd "$(dirname "$0")" && pwd)
reader=$(dirname "$here")
work=$(mktemp -d "${TMPDIR:-/tmp}/runemill_fuzz.XXXXXX")
binary="$work/fuzz_reader"
log=
if [ -n "${2:-}" ]; then
    mkdir -p "$2"
    binary="$(cd "$2" && pwd)/fuzz_reader"
    log="${2%/}/fuzz.log"
fi

set -- clang -std=c99 -g -O1 -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined \
    -I"$reader" "$here/fuzz_reader.c" "$reader/runemill_font.c" -o "$binary"
stamp=$( (echo "$@"; clang --version; cat "$here"/*.c "$reader"/*.[ch]) | sha256sum)
if [ ! -x "$binary" ] || [ "$(cat "$binary.stamp" 2>/dev/null)" != "$stamp" ]; then
    rm -f "$binary.stamp"
    "$@"
    echo "$stamp" > "$binary.stamp"
fi

mkdir -p "$work/corpus" "$work/artifacts"
cp "$here"/corpus/* "$work/corpus/" 2>/dev/null || true

status=0
if [ -n "$log" ]; then
    "$binary" -max_total_time="$seconds" -artifact_prefix="$work/artifacts/" \
        "$work/corpus" >"$log" 2>&1 || status=$?
else
    "$binary" -max_total_time="$seconds" -artifact_prefix="$work/artifacts/" \
        "$work/corpus" || status=$?
fi

if [ "$status" -ne 0 ] || [ -n "$(ls -A "$work/artifacts")" ]; then
    echo "run_fuzz: the fuzzer failed (exit $status); inputs that crashed:" >&2
    for f in "$work"/artifacts/*; do
        [ -e "$f" ] || continue
        echo "  $f: $(od -An -tx1 -N64 "$f" | tr -s ' \n' ' ')" >&2
    done
    echo "run_fuzz: kept $work for a look${log:+; the output of the fuzzer is in $log}" >&2
    exit 1
fi
rm -rf "$work"
if [ -n "$log" ]; then
    # libFuzzer ends with "Done N runs in S second(s)" and a "#N DONE cov: ..." line.
    runs=$(sed -n 's/^Done \([0-9]*\) runs.*/\1/p' "$log" | tail -n 1)
    coverage=$(sed -n 's/^#[0-9]*[[:space:]]*DONE[[:space:]]*cov: \([0-9]*\).*corp: \([0-9]*\).*/coverage \1, \2 inputs in the corpus/p' "$log" |
        tail -n 1)
    echo "run_fuzz: no crash in ${seconds}s (${runs:-?} runs, ${coverage:-coverage unknown}); full output in $log"
else
    echo "run_fuzz: no crash in ${seconds}s"
fi
