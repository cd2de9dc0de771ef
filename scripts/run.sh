#!/usr/bin/env bash
# Starts the built program, or says plainly why it cannot.
set -u
program=$1
if [[ ! -x "$program" ]]; then
    echo "The program has not been built: $program is missing." >&2
    exit 1
fi
# Without a display Qt would abort with a page of platform-plugin errors;
# say it in one line instead, with the way to run on a virtual display.
# A platform chosen by hand (QT_QPA_PLATFORM, e.g. offscreen) needs none.
if [[ -z "${QT_QPA_PLATFORM:-}" ]]; then
    if [[ -z "${DISPLAY:-}" && -z "${WAYLAND_DISPLAY:-}" ]]; then
        echo "No display to show Quartet on (neither DISPLAY nor WAYLAND_DISPLAY is set); to run it on a virtual display: xvfb-run -a $program" >&2
        exit 1
    fi
    if [[ -z "${WAYLAND_DISPLAY:-}" ]] && command -v xdpyinfo >/dev/null \
        && ! xdpyinfo >/dev/null 2>&1; then
        echo "Cannot open the display $DISPLAY to show Quartet on; to run it on a virtual display: xvfb-run -a $program" >&2
        exit 1
    fi
fi
exec "$program"
