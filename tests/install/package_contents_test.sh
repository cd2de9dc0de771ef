#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the Debian package with CPack into a scratch directory, checks its
# control fields and its file list with dpkg-deb, and runs lintian on it.
#
#   package_contents_test.sh <build dir> <desktop id> <version>
set -uo pipefail
build=$1 id=$2 version=$3

out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

if ! (cd "$build" && cpack -G DEB -B "$out" >"$out/cpack.log" 2>&1); then
    cat "$out/cpack.log"
    echo "FAIL: cpack could not build the package"; exit 1
fi
arch=$(dpkg --print-architecture)
deb=$out/quartet_${version}_${arch}.deb
if [[ ! -f $deb ]]; then
    ls "$out"
    echo "FAIL: no $(basename "$deb")"; exit 1
fi

field() { dpkg-deb -f "$deb" "$1"; }
[[ "$(field Package)" == quartet ]] || fail "Package is '$(field Package)'"
[[ "$(field Version)" == "$version" ]] || fail "Version is '$(field Version)'"
[[ "$(field Architecture)" == "$arch" ]] || fail "Architecture is '$(field Architecture)'"
[[ -n "$(field Maintainer)" ]] || fail "the package names no maintainer"

# Installing it must bring in everything the program needs to start: the
# package of each library it links, as this machine names it (Debian 13's
# carry a t64 in some names), the Song face font, the sans-serif one of
# Debian's Chinese desktop and Qt's Chinese texts.
depends=$(field Depends)
names=" $(sed -E 's/ \([^)]*\)//g; s/,//g' <<<"$depends") "
dpkg-deb -x "$deb" "$out/tree"
multiarch=$(dpkg-architecture -qDEB_HOST_MULTIARCH)
needed=()
for library in $(readelf -d "$out/tree/usr/games/quartet" | sed -n 's/.*(NEEDED).*\[\(.*\)\]/\1/p'); do
    owner=$(dpkg -S "*/$multiarch/$library" 2>/dev/null | head -n1 | cut -d: -f1)
    [[ -n "$owner" ]] || { fail "no installed package holds $library"; continue; }
    [[ " ${needed[*]} " == *" $owner "* ]] || needed+=("$owner")
done
[[ ${#needed[@]} -ge 4 ]] || fail "the program links only ${#needed[@]} packages' libraries: ${needed[*]}"
for package in "${needed[@]}" fonts-arphic-uming fonts-noto-cjk qt6-translations-l10n; do
    [[ "$names" == *" $package "* ]] || fail "Depends lacks $package: $depends"
done
# A system information tool for the About dialog's button, on any desktop.
[[ "$(field Suggests)" == "hardinfo | kinfocenter" ]] || fail "Suggests is '$(field Suggests)'"

expected="./usr/games/quartet
./usr/share/applications/$id.desktop
./usr/share/doc/quartet/changelog.gz
./usr/share/doc/quartet/copyright
./usr/share/icons/hicolor/128x128/apps/$id.png
./usr/share/icons/hicolor/16x16/apps/$id.png
./usr/share/icons/hicolor/22x22/apps/$id.png
./usr/share/icons/hicolor/24x24/apps/$id.png
./usr/share/icons/hicolor/256x256/apps/$id.png
./usr/share/icons/hicolor/32x32/apps/$id.png
./usr/share/icons/hicolor/48x48/apps/$id.png
./usr/share/icons/hicolor/64x64/apps/$id.png
./usr/share/icons/hicolor/scalable/apps/$id.svg
./usr/share/man/man6/quartet.6.gz
./usr/share/metainfo/$id.metainfo.xml"
listing=$(dpkg-deb -c "$deb")
actual=$(grep -v '^d' <<<"$listing" | awk '{print $6}' | LC_ALL=C sort)
if [[ "$actual" != "$expected" ]]; then
    fail "the package's files differ from the expected list:"
    diff <(echo "$expected") <(echo "$actual")
fi
grep -q '^-rwxr-xr-x root/root .* \./usr/games/quartet$' <<<"$listing" \
    || fail "usr/games/quartet is not an executable owned by root"
[[ "$(field Section)" == games ]] || fail "Section is '$(field Section)'"

# Debian's checker: no error and no warning. Its informational tags are
# shown, not counted.
if command -v lintian >/dev/null; then
    report=$(lintian --display-info "$deb" 2>&1 | grep -v 'running with root privileges')
    [[ -n "$report" ]] && echo "$report"
    grep -qE '^[EW]: ' <<<"$report" && fail "lintian reports errors or warnings"
else
    fail "lintian is not installed"
fi

if [[ $failures -ne 0 ]]; then
    echo "$failures failed"
    exit 1
fi
echo "$(basename "$deb"): $depends"
