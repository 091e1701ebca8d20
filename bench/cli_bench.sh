#!/usr/bin/env bash
# Whole-program timing of runemill-cli convert over the default GBK and
# Unicode ranges at 32 x 32 1bits, with one and with two jobs. Prints the wall
# seconds of every run and the best of each setting.
#
#   bench/cli_bench.sh [path/to/runemill-cli] [runs]
#
# The default binary is build/cli/runemill-cli; RUNEMILL_CLI overrides it too.
set -euo pipefail

here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
cli="${1:-${RUNEMILL_CLI:-$here/../build/cli/runemill-cli}}"
runs="${2:-3}"
if [[ ! -x "$cli" ]]; then
    echo "cli_bench: no runemill-cli at $cli (give its path as the first argument)" >&2
    exit 1
fi

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

now_ns() { date +%s%N; }

echo "runemill-cli convert, 32x32 1bits, default ranges; best of $runs runs"
printf '%-8s %-5s %s\n' kind jobs "wall seconds"
for kind in gbk unicode; do
    reference=""
    for jobs in 1 2; do
        best=""
        times=()
        for ((run = 1; run <= runs; ++run)); do
            out="$work/$kind-$jobs.bin"
            start=$(now_ns)
            "$cli" convert "$kind" -o "$out" --jobs "$jobs" --quiet >/dev/null
            end=$(now_ns)
            ns=$((end - start))
            times+=("$(printf '%d.%03d' $((ns / 1000000000)) $((ns / 1000000 % 1000)))")
            if [[ -z "$best" || $ns -lt $best ]]; then best=$ns; fi
        done
        # Both job counts must write the same bytes.
        if [[ -z "$reference" ]]; then
            reference="$out.first"
            cp "$out" "$reference"
        elif ! cmp -s "$reference" "$out"; then
            echo "cli_bench: $kind with $jobs jobs wrote other bytes than with 1 job" >&2
            exit 1
        fi
        printf '%-8s %-5s %d.%03d   (runs: %s)\n' "$kind" "$jobs" $((best / 1000000000)) \
            $((best / 1000000 % 1000)) "${times[*]}"
    done
done
