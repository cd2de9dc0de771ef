#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Cross-builds the program and its tests for 64-bit Windows with the static
# Qt in QT_DIR/qt (scripts/build-windows.sh) and runs the tests under Wine,
# in a throwaway prefix that is removed afterwards. Usage:
#   scripts/test-windows.sh BUILD_DIR QT_DIR JOBS [CMAKE_ARGS...]
set -euo pipefail
build_dir=$1
qt_dir=$2
jobs=$3
shift 3
source_dir=$(cd "$(dirname "$0")/.." && pwd)

# Nothing may open a window or wait for one: no display, no offer to
# install Mono or Gecko, no Wine debug chatter; and nothing is written
# outside the prefix: no menu entries or file types for the desktop.
unset DISPLAY WAYLAND_DISPLAY
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d" WINEARCH=win64
WINEPREFIX=$(mktemp -d "${TMPDIR:-/tmp}/quartet-wine.XXXXXX")
export WINEPREFIX
boot_log=$WINEPREFIX.log

boot=
cleanup() {
    if [[ -n "$boot" ]]; then
        kill "$boot" 2>/dev/null || true
    fi
    wineserver -k 2>/dev/null || true
    rm -rf "$WINEPREFIX" "$boot_log"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

# The prefix is set up while the build runs. The Wine server stays up until
# the end, and with it the prefix's background services: started by the
# first test instead, they would hold on to ctest's output pipe, and ctest
# would wait for them until its timeout.
(wineserver -p && timeout 300 wineboot --init) >"$boot_log" 2>&1 &
boot=$!

"$source_dir/scripts/build-windows.sh" "$build_dir" "$qt_dir" "$jobs" all "$@"

if ! wait "$boot"; then
    boot=
    echo "Wine could not set up its prefix $WINEPREFIX:" >&2
    cat "$boot_log" >&2
    exit 1
fi
boot=

echo "Running the tests under $(wine --version) in $WINEPREFIX"
cd "$build_dir"
timeout 1200 ctest --output-on-failure -j "$jobs" --timeout 300
