#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The Windows installer, installed and uninstalled silently under Wine in a
# prefix of its own: the program and its Start-menu entry come and go, while
# the player's settings in the registry and a file of the user's in the
# installation folder stay. Usage: installer_test.sh INSTALLER
set -euo pipefail
installer=$(realpath "$1")
[[ -f "$installer" ]] || { echo "FAIL: no installer at $1 (make package-windows builds it)"; exit 1; }

unset DISPLAY WAYLAND_DISPLAY
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d" WINEARCH=win64
WINEPREFIX=$(mktemp -d "${TMPDIR:-/tmp}/quartet-installer.XXXXXX")
export WINEPREFIX
trap 'wineserver -k 2>/dev/null || true; rm -rf "$WINEPREFIX"' EXIT
wineboot --init >/dev/null 2>&1

folder="$WINEPREFIX/drive_c/Program Files/Quartet"
menu_entry="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Quartet/Quartet.lnk"
store='HKCU\Software\Quartet\General'
passed=0
ok() { passed=$((passed + 1)); echo "ok $passed: $*"; }
fail() { echo "FAIL: $*"; exit 1; }
stored_value() { wine reg query "$store" /v MaxVal 2>/dev/null | tr -d '\r' | awk '$1 == "MaxVal" { print $3 }'; }

# /S installs without a question; Wine's user is an administrator, so for
# every user, under Program Files.
wine "$installer" /S
wineserver -w
[[ -f "$folder/quartet.exe" ]] || fail "no quartet.exe in $folder"
[[ -f "$menu_entry" ]] || fail "no Start-menu entry at $menu_entry"
ok "installed silently: quartet.exe in Program Files\\Quartet, a Start-menu entry"

wine reg add "$store" /v MaxVal /d 37 /f >/dev/null 2>&1
echo "the user's own notes" >"$folder/notes.txt"
# The uninstaller copies itself away and runs from there; wineserver -w
# waits for that copy to end.
wine "$folder/Uninstall.exe" /S
wineserver -w
[[ ! -e "$folder/quartet.exe" && ! -e "$folder/Uninstall.exe" ]] || fail "the uninstaller left the program behind"
[[ ! -e "$menu_entry" ]] || fail "the uninstaller left the Start-menu entry behind"
[[ "$(cat "$folder/notes.txt" 2>/dev/null)" == "the user's own notes" ]] || fail "the uninstaller removed a file of the user's"
[[ "$(stored_value)" == 37 ]] || fail "the uninstaller removed the player's setting (MaxVal: '$(stored_value)')"
ok "uninstalled silently: program and Start-menu entry gone; the setting MaxVal=37 and the user's file kept"
echo "$passed passed, 0 failed"
