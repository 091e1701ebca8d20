#!/bin/sh
# The window started where it cannot show itself: with no display at all, and
# with an X11 or a Wayland display that does not answer. Each time one line
# that says so and points to runemill-cli, and exit status 1 (not Qt's abort,
# status 134).
#     tests/window_without_display.sh RUNEMILL
set -u
status=0
check() {  # check <expected line> <env arguments...>
    expected=$1
    shift
    printed=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$@" "$program" 2>&1 >/dev/null)
    exit_status=$?
    if [ $exit_status -ne 1 ] || [ "$(printf '%s\n' "$printed" | tail -n 1)" != "$expected" ]; then
        printf 'window_without_display: with %s: exit %s, printed:\n%s\n' "$*" "$exit_status" "$printed" >&2
        status=1
    fi
}
program=$1
check "runemill: the window needs a display (DISPLAY and WAYLAND_DISPLAY are unset); runemill-cli converts without one" \
    XDG_RUNTIME_DIR=/tmp
check "runemill: the window could not open its display; runemill-cli converts without one" \
    DISPLAY=:2147483 XDG_RUNTIME_DIR=/tmp
check "runemill: the window could not open its display; runemill-cli converts without one" \
    WAYLAND_DISPLAY=wayland-2147483 XDG_RUNTIME_DIR=/tmp
exit $status
