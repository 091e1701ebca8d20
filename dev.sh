#!/usr/bin/env bash
# Set-up, build, run and test in one place.
#   ./dev.sh run      install what is missing, build, start the window
#   ./dev.sh check    install what is missing, build, run the test suite once
#   ./dev.sh test     everything CI runs: the suite, the suite again under
#                     AddressSanitizer and UBSan, a bounded fuzz run of the C
#                     reader and the Debian package with its check
#   ./dev.sh package  build dist/runemill_<version>_amd64.deb, unpack it into a
#                     scratch root and run the unpacked runemill-cli there
#   ./dev.sh windows  the Windows programs, checked under Wine, zipped under dist/
#                     (a release step, not part of test; see windows/build.sh)
set -euo pipefail
cd "$(dirname "$0")"

# Debian/Ubuntu packages: the compiler and Qt 5 (with its GB2312/BIG5/GBK
# codecs), a CJK font so that the start-up family draws Chinese, Liberation Sans
# (Arial's widths) so that the form's texts fit their fixed places, clang with
# its fuzzer and sanitizer runtimes for the reader's fuzz run, the cross tools
# that test the reader on a Cortex-M3 (QEMU) and on big-endian s390x, and
# dpkg-dev and file, which CPack uses to find the package's library
# dependencies, and clang-format, which checks the layout of every source.
# Recommends are left out: nothing here needs them.
PACKAGES=(cmake make g++ qtbase5-dev qtbase5-dev-tools fonts-wqy-zenhei fonts-liberation
          clang libclang-rt-dev
          gcc-arm-none-eabi libnewlib-arm-none-eabi qemu-system-arm
          gcc-s390x-linux-gnu libc6-dev-s390x-cross qemu-user
          dpkg-dev file clang-format)
JOBS=$(nproc 2>/dev/null || echo 2)

install_missing() {
    local missing=()
    for package in "${PACKAGES[@]}"; do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" ||
            missing+=("$package")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    local install=(apt-get install -y -qq --no-install-recommends "${missing[@]}")
    if [ "$(id -u)" -eq 0 ]; then
        echo "Installing: ${missing[*]}"
        apt-get update -qq
        DEBIAN_FRONTEND=noninteractive "${install[@]}"
    elif command -v sudo >/dev/null; then
        echo "Installing through sudo: ${missing[*]}"
        sudo DEBIAN_FRONTEND=noninteractive apt-get update -qq
        sudo DEBIAN_FRONTEND=noninteractive "${install[@]}"
    else
        echo "dev.sh: missing ${missing[*]} and there is no sudo; as root, run:" \
             "apt-get update && apt-get install -y --no-install-recommends ${missing[*]}" >&2
        exit 1
    fi
}

build() {  # build <dir> [cmake options...]
    local dir=$1
    shift
    cmake -S . -B "$dir" "$@"
    cmake --build "$dir" -j"$JOBS"
}

check_format() {  # every C and C++ source as .clang-format lays it out
    find app cli compress convert generators layout output preview render reader tests bench tools \
        -name '*.cpp' -o -name '*.h' -o -name '*.c' | xargs clang-format --dry-run -Werror
}

run_suite() {  # run_suite <dir>
    local stamp changed place
    stamp=$(mktemp)
    (cd "$1" && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j"$JOBS")
    # Each test has its own home (tests/CMakeLists.txt): where a Qt program keeps
    # settings, the file dialog's history, data and the font cache, nothing in
    # the user's may have changed. The checkout, which may lie there, is left out.
    local places=("${XDG_CONFIG_HOME:-$HOME/.config}" "${XDG_DATA_HOME:-$HOME/.local/share}"
                  "${XDG_CACHE_HOME:-$HOME/.cache}/fontconfig")
    changed=$(for place in "${places[@]}"; do
        [ ! -d "$place" ] || find "$place" -path "$PWD" -prune -o -newer "$stamp" -print
    done)
    rm -f "$stamp"
    if [ -n "$changed" ]; then
        printf 'dev.sh: the suite changed files in your home:\n%s\n' "$changed" >&2
        exit 1
    fi
}

package() {
    (cd build && cpack -G DEB -B "$PWD/../dist")
    rm -rf dist/_CPack_Packages
    local version deb
    version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' build/CMakeCache.txt)
    deb="dist/runemill_${version}_$(dpkg --print-architecture).deb"
    [ -f "$deb" ] || { echo "dev.sh: $deb was not written" >&2; exit 1; }
    tools/check_package.sh "$deb" "$version" build/cli/runemill-cli
}

case "${1:-}" in
    run)
        install_missing
        build build -DCMAKE_BUILD_TYPE=RelWithDebInfo
        exec build/runemill
        ;;
    check)
        install_missing
        check_format
        build build -DCMAKE_BUILD_TYPE=RelWithDebInfo
        run_suite build
        ;;
    test)
        install_missing
        echo "== The layout of every source (clang-format)"
        check_format
        build build -DCMAKE_BUILD_TYPE=RelWithDebInfo
        run_suite build
        echo "== The suite under AddressSanitizer and UndefinedBehaviorSanitizer"
        build build-sanitize -DCMAKE_BUILD_TYPE=Debug -DRUNEMILL_SANITIZE=ON -DRUNEMILL_BUILD_BENCH=OFF \
            -DRUNEMILL_CROSS_TESTS=OFF
        ASAN_OPTIONS=halt_on_error=1:abort_on_error=1 UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
            LSAN_OPTIONS=suppressions="$PWD/tests/lsan.supp":print_suppressions=0 run_suite build-sanitize
        echo "== Fuzzing the C reader for 60 seconds"
        reader/fuzz/run_fuzz.sh 60 build-fuzz
        echo "== The Debian package"
        package
        ;;
    package)
        install_missing
        build build -DCMAKE_BUILD_TYPE=RelWithDebInfo
        package
        ;;
    windows)
        exec windows/build.sh
        ;;
    *)
        echo "usage: $0 run|check|test|package|windows" >&2
        exit 1
        ;;
esac
