#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the built project into a staging directory (DESTDIR) and checks
# what lands there: the file list, and that the desktop entry, the icons,
# the AppStream file and the program agree with each other.
#
#   install_tree_test.sh <build dir> <desktop id> <version>
set -uo pipefail
build=$1 id=$2 version=$3

stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

if ! DESTDIR="$stage" cmake --install "$build" --prefix /usr >"$stage.log" 2>&1; then
    cat "$stage.log"; rm -f "$stage.log"
    echo "FAIL: cmake --install failed"; exit 1
fi
rm -f "$stage.log"
root=$stage/usr

# Everything under the prefix, nothing else.
expected="usr/games/quartet
usr/share/applications/$id.desktop
usr/share/doc/quartet/changelog.gz
usr/share/doc/quartet/copyright
usr/share/icons/hicolor/128x128/apps/$id.png
usr/share/icons/hicolor/16x16/apps/$id.png
usr/share/icons/hicolor/22x22/apps/$id.png
usr/share/icons/hicolor/24x24/apps/$id.png
usr/share/icons/hicolor/256x256/apps/$id.png
usr/share/icons/hicolor/32x32/apps/$id.png
usr/share/icons/hicolor/48x48/apps/$id.png
usr/share/icons/hicolor/64x64/apps/$id.png
usr/share/icons/hicolor/scalable/apps/$id.svg
usr/share/man/man6/quartet.6.gz
usr/share/metainfo/$id.metainfo.xml"
actual=$(cd "$stage" && find . ! -type d | sed 's|^\./||' | LC_ALL=C sort)
if [[ "$actual" != "$expected" ]]; then
    fail "the installed files differ from the expected list:"
    diff <(echo "$expected") <(echo "$actual")
fi

# The program: a game in games/, executable, and not tied to the build tree
# by a run path.
program=$root/games/quartet
[[ -x $program ]] || fail "games/quartet is not executable"
if readelf -d "$program" 2>/dev/null | grep -E 'R(UN)?PATH' | grep -qF "$build"; then
    fail "games/quartet keeps a run path into the build tree"
fi

# The manual page renders without a warning and names every option that
# --help names; it and the changelog are compressed without name or time.
manual=$root/share/man/man6/quartet.6.gz
if [[ -f $manual && -x $program ]]; then
    warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l -Tutf8 -Z "$manual" 2>&1 >/dev/null)
    [[ -z "$warnings" ]] || fail "the manual page has warnings: $warnings"
    page=$(MANWIDTH=80 man -l "$manual" 2>/dev/null | col -b)
    for option in $("$program" --help | grep -oE -- '--[a-z]+' | sort -u); do
        grep -qF -- "$option" <<<"$page" || fail "the manual page does not name $option"
    done
fi
for gz in "$manual" "$root/share/doc/quartet/changelog.gz"; do
    [[ -f $gz ]] || continue
    gzip -t "$gz" || fail "$gz is not gzip data"
    # Bytes 4 to 7 hold the time and the flags byte 3 a stored name: both zero.
    [[ "$(od -An -tx1 -j3 -N5 "$gz" | tr -d ' ')" == 0000000000 ]] || fail "$gz stores a name or a time"
done
changelog=$root/share/doc/quartet/changelog.gz
if [[ -f $changelog ]]; then
    [[ "$(zcat "$changelog" | head -n1)" == "quartet ($version) "* ]] \
        || fail "the changelog's latest entry is not version $version: $(zcat "$changelog" | head -n1)"
fi
grep -q '^License: GPL-3.0-or-later$' "$root/share/doc/quartet/copyright" 2>/dev/null \
    || fail "the copyright file does not state GPL-3.0-or-later"

# The icons: square PNG files of their folder's size, and a scalable picture.
svg=$root/share/icons/hicolor/scalable/apps/$id.svg
if [[ -f $svg ]] && ! grep -q '^<svg ' "$svg"; then
    fail "$svg is not an SVG picture"
fi
for size in 16 22 24 32 48 64 128 256; do
    icon=$root/share/icons/hicolor/${size}x${size}/apps/$id.png
    [[ -f $icon ]] || continue
    got=$(identify -format '%m %wx%h' "$icon" 2>&1)
    [[ "$got" == "PNG ${size}x${size}" ]] || fail "$icon is '$got', not a ${size}x${size} PNG"
done

# The desktop entry starts the installed program and names the installed icon.
desktop=$root/share/applications/$id.desktop
if [[ -f $desktop ]]; then
    value() { sed -n "s/^$1=//p" "$desktop"; }
    exec_word=$(value Exec | cut -d' ' -f1)
    [[ -x $root/games/$exec_word ]] || fail "Exec=$(value Exec) is not the installed game"
    [[ "$(value TryExec)" == "$exec_word" ]] || fail "TryExec=$(value TryExec) differs from Exec"
    [[ "$(value Icon)" == "$id" ]] || fail "Icon=$(value Icon) is not the installed icon $id"
    desktop-file-validate "$desktop" | grep . && fail "desktop-file-validate finds fault with $desktop"
fi

# The AppStream file describes this desktop entry and this version; the tree
# as a whole passes appstreamcli's own checks.
metainfo=$root/share/metainfo/$id.metainfo.xml
if [[ -f $metainfo ]]; then
    grep -q "<id>$id</id>" "$metainfo" || fail "the AppStream id is not $id"
    grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$metainfo" \
        || fail "the AppStream file does not launch $id.desktop"
    grep -q "<release version=\"$version\"" "$metainfo" \
        || fail "the AppStream file has no release $version"
    appstreamcli validate-tree --no-net --strict "$root" >"$stage/validate.log" 2>&1 \
        || { cat "$stage/validate.log"; fail "appstreamcli validate-tree rejects the installed tree"; }
fi

if [[ $failures -ne 0 ]]; then
    echo "$failures failed"
    exit 1
fi
echo "the staged install tree is complete and consistent"
