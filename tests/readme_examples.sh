#!/bin/sh
# The README's examples as written: each transcript (a fenced block whose first
# line is "$ runemill-cli ...") is what its commands print in a fresh folder,
# the C block of draw_code() is that function of reader/examples/draw_glyph.c,
# and the packages it names for ./dev.sh run and test are dev.sh's, run's among test's.
#     tests/readme_examples.sh SOURCE_DIR CLI_DIR
set -eu

source_dir=$1
cli_dir=$2
readme="$source_dir/README.md"
work=$(mktemp -d "${TMPDIR:-/tmp}/runemill_readme.XXXXXX")
trap 'rm -rf "$work"' EXIT
status=0

# Transcript N goes to transcript.N, without its fences.
awk -v out="$work/transcript" '
    /^```/ { if (fenced) { fenced = 0; if (file) close(file); file = "" }
             else { fenced = 1; first = 1 }
             next }
    first { first = 0; if ($0 ~ /^\$ runemill-cli /) file = out "." ++n }
    file { print > file }' "$readme"
set -- "$work"/transcript.*
[ -e "$1" ] || { echo "readme: no transcript found" >&2; exit 1; }
for transcript in "$@"; do
    folder="$transcript.run"
    mkdir "$folder"
    (
        cd "$folder"
        PATH="$cli_dir:$PATH"
        grep '^\$ ' "$transcript" | cut -c3- | while IFS= read -r command; do
            printf '$ %s\n' "$command"
            sh -c "$command" 2>&1
        done
    ) > "$transcript.printed"
    if ! diff -u "$transcript" "$transcript.printed" >&2; then
        echo "readme: a transcript (-) is not what its commands print (+)" >&2
        status=1
    fi
done

awk '/^```/ { if (fenced) { fenced = 0; inside = 0 } else { fenced = 1; first = ($0 == "```c") }
             next }
     first { first = 0; inside = /^\/\* Draws the glyph of code/ }
     inside' "$readme" > "$work/block.c"
awk '/^\/\* Draws the glyph of code/ { inside = 1 } inside { print } inside && /^}$/ { exit }' \
    "$source_dir/reader/examples/draw_glyph.c" > "$work/function.c"
if [ ! -s "$work/function.c" ] || ! diff -u "$work/block.c" "$work/function.c" >&2; then
    echo "readme: the C block (-) is not draw_code() of reader/examples/draw_glyph.c (+)" >&2
    status=1
fi
# The README's two lines of packages against the lists dev.sh installs.
listed() { sed -n "s#^- Packages $1: \`\([^\`]*\)\`\$#\1#p" "$readme" | tr ' ' '\n' | sort; }
listed 'of `./dev.sh run`' > "$work/run.readme"
listed '`./dev.sh test` adds' | cat "$work/run.readme" - | sort > "$work/test.readme"
bash "$source_dir/dev.sh" packages run | sort > "$work/run.dev"
bash "$source_dir/dev.sh" packages test | sort > "$work/test.dev"
if [ ! -s "$work/run.readme" ] || ! diff -u "$work/run.readme" "$work/run.dev" >&2 ||
    ! diff -u "$work/test.readme" "$work/test.dev" >&2 || [ -n "$(comm -23 "$work/run.dev" "$work/test.dev")" ]; then
    echo "readme: the packages it names (-) are not those of dev.sh (+), or run's are not among test's" >&2
    status=1
fi
exit $status
