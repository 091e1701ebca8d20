#!/bin/sh
# SPDX-License-Identifier: MIT
# The reader's tests on a big-endian CPU: builds reader_test.c with the s390x
# cross compiler and runs it under qemu-user. Needs gcc-s390x-linux-gnu,
# libc6-dev-s390x-cross and qemu-user.
#
#     reader/tests/run_s390x.sh
set -eu

here=$(cd "$(dirname "$0")" && pwd)
reader=$(dirname "$here")
work=$(mktemp -d "${TMPDIR:-/tmp}/runemill_s390x.XXXXXX")
trap 'rm -rf "$work"' EXIT

s390x-linux-gnu-gcc -std=c99 -O2 -Wall -Wextra -pedantic -Werror -static -I"$reader" \
    "$here/reader_test.c" "$reader/runemill_font.c" -o "$work/reader_test"
status=0
qemu-s390x "$work/reader_test" >"$work/output" || status=$?
cat "$work/output"
[ "$status" -eq 0 ] || exit "$status"
grep -q "big-endian" "$work/output" || {
    echo "run_s390x: the tests did not run on a big-endian CPU" >&2
    exit 1
}
