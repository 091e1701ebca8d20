#!/usr/bin/env bash
# Set-up, build, run and test in one place.
#   ./dev.sh run       install what building and running needs, build the window,
#                      runemill-cli and the reader's example, start the window
#   ./dev.sh check     install what the tests need, build, run the test suite once
#   ./dev.sh test      everything CI runs: the suite, the suite again under
#                      AddressSanitizer and UBSan, a bounded fuzz run of the C
#                      reader and the Debian package with its checks
#   ./dev.sh bench     the benchmarks, one summary line each (figures in build/bench-logs/)
#   ./dev.sh package   build what the package holds, make
#                      dist/runemill_<version>_<arch>.deb and check it
#                      (tools/check_package.sh, lintian)
#   ./dev.sh install   install that package with apt (as root or through sudo)
#   ./dev.sh uninstall remove it again
#   ./dev.sh packages run|test   the Debian packages that command installs
#   ./dev.sh windows   the Windows programs, checked under Wine, zipped under dist/
#                      (a release step, not part of test; see windows/build.sh)
set -euo pipefail
cd "$(dirname "$0")"

# What building and running the two programs needs: the compiler, CMake, Qt 5
# (with its GB2312/BIG5/GBK codecs), a CJK font so that the start-up family
# draws Chinese and Liberation Sans (Arial's widths) so that the form's texts
# fit their fixed places. Recommends are left out: nothing here needs them.
RUN_PACKAGES=(cmake make g++ qtbase5-dev qtbase5-dev-tools fonts-wqy-zenhei fonts-liberation)
# The Debian package: dpkg-dev and file, which CPack uses to find its library
# dependencies, help2man for the manual pages, lintian to check it.
PACKAGE_PACKAGES=(dpkg-dev file help2man lintian)
# The tests add clang with its fuzzer and sanitizer runtimes for the reader's
# fuzz run, the cross tools that test the reader on a Cortex-M3 (QEMU) and on
# big-endian s390x, clang-format, which checks the layout of every source, and
# the fonts the tests draw from files (DejaVu Sans in two weights, the
# WenQuanYi pixel fonts in five sizes of one family).
TEST_PACKAGES=("${RUN_PACKAGES[@]}" clang libclang-rt-dev
               gcc-arm-none-eabi libnewlib-arm-none-eabi qemu-system-arm
               gcc-s390x-linux-gnu libc6-dev-s390x-cross qemu-user
               clang-format fonts-dejavu-core xfonts-wqy fonts-terminus-otb "${PACKAGE_PACKAGES[@]}")
JOBS=$(nproc 2>/dev/null || echo 2)
VERSION=$(sed -n 's/^project(Runemill VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)

as_root() {  # as_root <command...>: as root directly, otherwise through sudo
    if [ "$(id -u)" -eq 0 ]; then
        "$@"
    elif command -v sudo >/dev/null; then
        sudo "$@"
    else
        echo "dev.sh: this step needs root and there is no sudo; as root, run: $*" >&2
        exit 1
    fi
}

# Shows apt-get's summary (how many packages, the download and installed
# sizes) and, on a terminal, one line of download progress. The test for a
# terminal is made here, where standard output is still the caller's.
show_download() {
    local tty=
    [ -t 1 ] && tty=1
    awk -v tty="$tty" '
        / newly installed, / { total = $1 + $3; print; fflush() }
        /^Need to get |^After this operation/ { print; fflush() }
        /^Get:/ && tty { printf "\rDownloaded %d of %d packages", ++done, total; shown = 1; fflush() }
        /^Fetched / { if (shown) printf "\r%40s\r", ""; shown = 0; print; fflush() }
        /^E: / { print > "/dev/stderr" }
        END { if (shown) print "" }'
}

APT_LOG=build/apt.log

apt_logged() {  # apt_logged <apt-get arguments...>: apt-get run quietly, its output added to $APT_LOG
    mkdir -p build
    printf '\n== %s: apt-get %s\n' "$(date '+%F %T')" "$*" >>"$APT_LOG"
    if ! as_root env DEBIAN_FRONTEND=noninteractive apt-get "$@" >>"$APT_LOG" 2>&1; then
        tail -n 20 "$APT_LOG" >&2
        echo "dev.sh: apt-get $1 failed; its whole output is at the end of $APT_LOG" >&2
        exit 1
    fi
}

apt_install() {  # apt_install [apt-get option...] <package or .deb...>: the download shown, dpkg's output logged
    as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y --download-only "$@" | show_download
    echo "Unpacking and setting up (apt's output: $APT_LOG)"
    apt_logged install -y "$@"
}

install_missing() {  # install_missing <package...>
    local missing=() package
    for package in "$@"; do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" ||
            missing+=("$package")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    if [ "$(id -u)" -ne 0 ] && ! command -v sudo >/dev/null; then
        echo "dev.sh: missing ${missing[*]} and there is no sudo; as root, run:" \
             "apt-get update && apt-get install -y --no-install-recommends ${missing[*]}" >&2
        exit 1
    fi
    echo "Installing ${missing[*]}$([ "$(id -u)" -ne 0 ] && echo ' through sudo')"
    as_root apt-get update -qq
    apt_install --no-install-recommends "${missing[@]}"
}

configure() {  # configure <dir> [cmake options...]
    local dir=$1
    shift
    cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@"
}

compile() {  # compile <dir> [target...]; no target: all of them
    local dir=$1
    shift
    if [ $# -gt 0 ]; then
        cmake --build "$dir" -j"$JOBS" --target "$@"
    else
        cmake --build "$dir" -j"$JOBS"
    fi
}

check_format() {  # every C and C++ source as .clang-format lays it out; golden files as written
    find app cli compress convert fontfile generators layout messages output preview render reader \
        targets tests bench tools -path tests/golden -prune -o \
        \( -name '*.cpp' -o -name '*.h' -o -name '*.c' \) -print | xargs clang-format --dry-run -Werror
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

deb_path() { echo "dist/runemill_${VERSION}_$(dpkg --print-architecture).deb"; }

package() {
    (cd build && cpack -G DEB -B "$PWD/../dist")
    rm -rf dist/_CPack_Packages
    [ -f "$(deb_path)" ] || { echo "dev.sh: $(deb_path) was not written" >&2; exit 1; }
    tools/check_package.sh "$(deb_path)" "$VERSION" build/cli/runemill-cli
}

bench() {  # bench <name> <command...>: one line; the whole output in build/bench-logs/
    local name=$1 log=build/bench-logs/$1.log start=$SECONDS status=0
    shift
    mkdir -p build/bench-logs
    QT_QPA_PLATFORM=offscreen "$@" >"$log" 2>&1 || status=$?
    if [ $status -eq 0 ]; then
        echo "$name: done in $((SECONDS - start)) s; figures in $log"
    else
        echo "$name: FAILED (exit $status) after $((SECONDS - start)) s; see $log" >&2
        return 1
    fi
}

case "${1:-}" in
    run)
        no_display=
        if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
            no_display="dev.sh: no display (DISPLAY and WAYLAND_DISPLAY are unset), so the window\
 does not start; build/cli/runemill-cli converts without one."
            echo "$no_display Building anyway."
        fi
        install_missing "${RUN_PACKAGES[@]}"
        configure build
        compile build runemill runemill-cli runemill_reader_example
        if [ -n "$no_display" ]; then
            echo "$no_display"
            exit 0
        fi
        exec build/runemill
        ;;
    check)
        install_missing "${TEST_PACKAGES[@]}"
        check_format
        configure build -DRUNEMILL_WERROR=ON
        compile build
        run_suite build
        ;;
    test)
        install_missing "${TEST_PACKAGES[@]}"
        echo "== The layout of every source (clang-format)"
        check_format
        configure build -DRUNEMILL_WERROR=ON
        compile build
        run_suite build
        echo "== The suite under AddressSanitizer and UndefinedBehaviorSanitizer"
        configure build-sanitize -DCMAKE_BUILD_TYPE=Debug -DRUNEMILL_SANITIZE=ON \
            -DRUNEMILL_WERROR=ON -DRUNEMILL_BUILD_BENCH=OFF -DRUNEMILL_CROSS_TESTS=OFF
        compile build-sanitize
        ASAN_OPTIONS=halt_on_error=1:abort_on_error=1 UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
            LSAN_OPTIONS=suppressions="$PWD/tests/lsan.supp":print_suppressions=0 run_suite build-sanitize
        echo "== Fuzzing the C reader for 60 seconds"
        reader/fuzz/run_fuzz.sh 60 build-fuzz
        echo "== The Debian package"
        package
        ;;
    bench)
        install_missing "${RUN_PACKAGES[@]}"
        configure build
        compile build runemill-cli runemill_bench runemill_window_bench runemill_reader_bench
        bench runemill_bench build/bench/runemill_bench
        bench runemill_window_bench build/bench/runemill_window_bench
        bench runemill_reader_bench build/reader/runemill_reader_bench
        bench cli_bench bench/cli_bench.sh build/cli/runemill-cli
        bench targets_bench bench/targets_bench.sh build/cli/runemill-cli
        ;;
    package)
        install_missing "${RUN_PACKAGES[@]}" "${PACKAGE_PACKAGES[@]}"
        configure build
        compile build runemill_package_files
        package
        ;;
    install)
        [ -f "$(deb_path)" ] || { echo "dev.sh: no $(deb_path); run ./dev.sh package first" >&2; exit 1; }
        # apt reads a local package as the user _apt: a copy in a folder it
        # may enter spares the "unsandboxed download" warning.
        scratch=$(mktemp -d "${TMPDIR:-/tmp}/runemill-deb.XXXXXX")
        trap 'rm -rf "$scratch"' EXIT
        chmod 755 "$scratch"
        install -m 644 "$(deb_path)" "$scratch/"
        echo "Installing $(deb_path)$([ "$(id -u)" -ne 0 ] && echo ' through sudo')"
        apt_install "$scratch/$(basename "$(deb_path)")"
        echo "Installed: $(command -v runemill) and $(command -v runemill-cli)"
        ;;
    uninstall)
        echo "Removing runemill$([ "$(id -u)" -ne 0 ] && echo ' through sudo') (apt's output: $APT_LOG)"
        apt_logged remove -y runemill
        ;;
    packages)
        case "${2:-}" in
            run) printf '%s\n' "${RUN_PACKAGES[@]}" ;;
            test) printf '%s\n' "${TEST_PACKAGES[@]}" ;;
            *) echo "usage: $0 packages run|test" >&2; exit 1 ;;
        esac
        ;;
    windows)
        exec windows/build.sh
        ;;
    *)
        echo "usage: $0 run|check|test|bench|package|install|uninstall|packages|windows" >&2
        exit 1
        ;;
esac
