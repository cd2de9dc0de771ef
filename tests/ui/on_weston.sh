#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs a test program on Wayland: a headless weston of its own, in a
# temporary runtime folder, with Qt's Wayland platform.
#   on_weston.sh PROGRAM [ARGUMENTS...]
# Exit status: the program's; 77 (skipped) where weston does not start.
set -u
runtime=$(mktemp -d)
weston=
cleanup() {
    [[ -z "$weston" ]] || { kill "$weston" 2>/dev/null; wait "$weston" 2>/dev/null; }
    rm -rf "$runtime"
}
trap cleanup EXIT
export XDG_RUNTIME_DIR=$runtime
socket=quartet-test
if command -v weston >/dev/null; then
    weston --backend=headless-backend.so --socket="$socket" --idle-time=0 >"$runtime/weston.log" 2>&1 &
    weston=$!
    # Ready once its socket is there: weston listens as it makes it.
    for _ in $(seq 200); do
        [[ -S "$runtime/$socket" ]] && break
        kill -0 "$weston" 2>/dev/null || break
        sleep 0.05
    done
fi
if [[ ! -S "$runtime/$socket" ]]; then
    [[ ! -e "$runtime/weston.log" ]] || cat "$runtime/weston.log"
    echo "SKIP: weston did not start"
    exit 77
fi
WAYLAND_DISPLAY=$socket QT_QPA_PLATFORM=wayland "$@"
