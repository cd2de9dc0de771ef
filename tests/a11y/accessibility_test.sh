#!/usr/bin/env bash
# Starts the program on a virtual display with its own session bus and reads
# its accessible tree over AT-SPI (the bus starts on demand through D-Bus). Exits 77 (skipped) where no X server or
# AT-SPI bus can be started.
set -u
program=$1
here=$(dirname "$0")

for tool in xvfb-run dbus-run-session /usr/bin/python3; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done

config=$(mktemp -d)
trap 'rm -rf "$config"' EXIT

# shellcheck disable=SC2016
exec xvfb-run -a dbus-run-session -- bash -c '
    program=$1; here=$2; config=$3
    XDG_CONFIG_HOME=$config QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 "$program" >/dev/null 2>&1 &
    app=$!
    /usr/bin/python3 "$here/read_tree.py" Quartet
    status=$?
    kill "$app" 2>/dev/null
    exit $status
' bash "$program" "$here" "$config"
