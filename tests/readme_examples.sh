#!/bin/sh
# The README's examples as written: its inspect transcript is what the commands
# print, and its C block is draw_code() of reader/examples/draw_glyph.c.
#     tests/readme_examples.sh SOURCE_DIR CLI_DIR
set -eu

source_dir=$1
cli_dir=$2
readme="$source_dir/README.md"
work=$(mktemp -d "${TMPDIR:-/tmp}/runemill_readme.XXXXXX")
trap 'rm -rf "$work"' EXIT
status=0

# The fenced block whose first line is "$ runemill-cli convert", without its fences.
awk '/^```/ { if (inside) exit; getline first; if (first ~ /^\$ runemill-cli convert/) {
         inside = 1; print first } next } inside' "$readme" > "$work/transcript.md"
[ -s "$work/transcript.md" ] || { echo "readme: no inspect transcript found" >&2; exit 1; }
(
    cd "$work"
    PATH="$cli_dir:$PATH"
    grep '^\$ ' transcript.md | cut -c3- | while IFS= read -r command; do
        printf '$ %s\n' "$command"
        sh -c "$command" 2>&1
    done
) > "$work/printed.txt"
if ! diff -u "$work/transcript.md" "$work/printed.txt" >&2; then
    echo "readme: the inspect transcript (-) is not what the commands print (+)" >&2
    status=1
fi

awk '/^```c$/ { inside = 1; next } /^```/ { inside = 0 } inside' "$readme" > "$work/block.c"
awk '/^\/\* Draws the glyph of code/ { inside = 1 } inside { print } inside && /^}$/ { exit }' \
    "$source_dir/reader/examples/draw_glyph.c" > "$work/function.c"
if [ ! -s "$work/function.c" ] || ! diff -u "$work/block.c" "$work/function.c" >&2; then
    echo "readme: the C block (-) is not draw_code() of reader/examples/draw_glyph.c (+)" >&2
    status=1
fi
exit $status
