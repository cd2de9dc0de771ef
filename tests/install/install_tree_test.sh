#!/usr/bin/env bash
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
expected="usr/bin/quartet
usr/share/applications/$id.desktop
usr/share/icons/hicolor/16x16/apps/$id.png
usr/share/icons/hicolor/32x32/apps/$id.png
usr/share/icons/hicolor/64x64/apps/$id.png
usr/share/metainfo/$id.metainfo.xml"
actual=$(cd "$stage" && find . ! -type d | sed 's|^\./||' | LC_ALL=C sort)
if [[ "$actual" != "$expected" ]]; then
    fail "the installed files differ from the expected list:"
    diff <(echo "$expected") <(echo "$actual")
fi

# The program: executable, and not tied to the build tree by a run path.
[[ -x $root/bin/quartet ]] || fail "bin/quartet is not executable"
if readelf -d "$root/bin/quartet" 2>/dev/null | grep -E 'R(UN)?PATH' | grep -qF "$build"; then
    fail "bin/quartet keeps a run path into the build tree"
fi

# The icons: square PNG files of their folder's size.
for size in 16 32 64; do
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
    [[ -x $root/bin/$exec_word ]] || fail "Exec=$(value Exec) is not an installed program"
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
