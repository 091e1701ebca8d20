#!/usr/bin/env bash
# Set-up, build, run and test in one place.
#   ./dev.sh run    install what is missing, build, start the window
#   ./dev.sh test   install what is missing, build, run every test: the suite,
#                   the suite again under AddressSanitizer and UBSan, and a
#                   bounded fuzz run of the C reader
#   ./dev.sh windows  the Windows programs, checked under Wine, zipped under dist/
#                   (a release step, not part of test; see windows/build.sh)
set -euo pipefail
cd "$(dirname "$0")"

# Debian/Ubuntu packages: the compiler and Qt 5 (with its GB2312/BIG5/GBK
# codecs), a CJK font so that the start-up family draws Chinese, Liberation Sans
# (Arial's widths) so that the form's texts fit their fixed places, clang with
# its fuzzer and sanitizer runtimes for the reader's fuzz run, and the cross
# tools that test the reader on a Cortex-M3 (QEMU) and on big-endian s390x.
PACKAGES=(cmake make g++ qtbase5-dev qtbase5-dev-tools fonts-wqy-zenhei fonts-liberation
          clang libclang-rt-dev
          gcc-arm-none-eabi libnewlib-arm-none-eabi qemu-system-arm
          gcc-s390x-linux-gnu libc6-dev-s390x-cross qemu-user)
JOBS=$(nproc 2>/dev/null || echo 2)

install_missing() {
    local missing=()
    for package in "${PACKAGES[@]}"; do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" ||
            missing+=("$package")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    local sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    echo "Installing: ${missing[*]}"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}"
}

build() {  # build <dir> [cmake options...]
    local dir=$1
    shift
    cmake -S . -B "$dir" "$@"
    cmake --build "$dir" -j"$JOBS"
}

run_suite() {  # run_suite <dir>
    (cd "$1" && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j"$JOBS")
}

case "${1:-}" in
    run)
        install_missing
        build build -DCMAKE_BUILD_TYPE=RelWithDebInfo
        exec build/runemill
        ;;
    test)
        install_missing
        build build -DCMAKE_BUILD_TYPE=RelWithDebInfo
        run_suite build
        echo "== The suite under AddressSanitizer and UndefinedBehaviorSanitizer"
        build build-sanitize -DCMAKE_BUILD_TYPE=Debug -DRUNEMILL_SANITIZE=ON -DRUNEMILL_BUILD_BENCH=OFF \
            -DRUNEMILL_CROSS_TESTS=OFF
        ASAN_OPTIONS=halt_on_error=1:abort_on_error=1 UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
            LSAN_OPTIONS=suppressions="$PWD/tests/lsan.supp":print_suppressions=0 run_suite build-sanitize
        echo "== Fuzzing the C reader for 60 seconds"
        reader/fuzz/run_fuzz.sh 60
        ;;
    windows)
        exec windows/build.sh
        ;;
    *)
        echo "usage: $0 run|test|windows" >&2
        exit 1
        ;;
esac
