#!/usr/bin/env bash
# Writes the golden files of this folder anew with the given runemill-cli:
#   tests/golden/regenerate.sh build/cli/runemill-cli
# Only for a change of bytes that is intended; commit the files with it.
set -euo pipefail
cli=$(realpath "${1:?usage: $0 path/to/runemill-cli}")
dir=$(cd "$(dirname "$0")" && pwd)
font=$(awk '$1 == "font" { print $2 }' "$dir/manifest.txt")
sum=$(awk '$1 == "font" { print $3 }' "$dir/manifest.txt")
echo "$sum  $font" | sha256sum --check --quiet
grep -v -e '^#' -e '^font ' "$dir/manifest.txt" | while read -r file arguments; do
    arguments=${arguments//@font/$font}
    rm -f "$dir/$file"  # the two headers append
    # shellcheck disable=SC2086  # the arguments are words
    "$cli" convert ${arguments//@dir/$dir} -o "$dir/$file" --quiet > /dev/null
    echo "$file: $(stat -c %s "$dir/$file") bytes"
done
