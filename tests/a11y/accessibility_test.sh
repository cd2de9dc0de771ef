#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Starts the program on a virtual display with its own session bus and reads
# its accessible tree over AT-SPI (the bus starts on demand through D-Bus).
# Exits 77 (skipped) where no X server can be started. On failure it prints
# what the program and the X server said.
set -u
program=$1
here=$(dirname "$0")

for tool in xvfb-run dbus-run-session /usr/bin/python3; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# shellcheck disable=SC2016
xvfb-run -a -e "$work/xvfb.log" dbus-run-session -- bash -c '
    program=$1; here=$2; work=$3
    XDG_CONFIG_HOME=$work QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 "$program" >"$work/program.log" 2>&1 &
    app=$!
    /usr/bin/python3 "$here/read_tree.py" Quartet
    status=$?
    kill "$app" 2>/dev/null
    exit $status
' bash "$program" "$here" "$work"
status=$?
if [[ $status -ne 0 ]]; then
    echo "--- the program said:"; cat "$work/program.log"
    echo "--- the X server said:"; cat "$work/xvfb.log"
fi
exit $status
