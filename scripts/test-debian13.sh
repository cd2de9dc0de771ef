#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Quartet on a fresh Debian 13 machine: a root made from the archive in
# WORK_DIR (scripts/debian13-root.sh), where
#  1. in a copy of the fresh root, the package built here is installed with
#     apt as a user would, and run: --version and --solve 3 3 8 8 print what
#     this build prints, and its window maps on Xvfb (captured to
#     WORK_DIR/out/quartet-window.png);
#  2. in the fresh root itself, a user with sudo runs `make test` on the
#     source tree (git's tracked files) as the README says, its install-deps
#     installing what it needs, and then `make test-orca`;
#  3. Debian 13's lintian checks the package built here.
# Usage: scripts/test-debian13.sh WORK_DIR BUILD_DIR [MAKE_ARGS...]
# BUILD_DIR holds this machine's build and package; MAKE_ARGS go to `make test`
# and `make test-orca`.
set -euo pipefail
work_dir=$(realpath -m "$1")
build_dir=$(realpath "$2")
shift 2
source_dir=$(cd "$(dirname "$0")/.." && pwd)
root_tool=$source_dir/scripts/debian13-root.sh
user=user

if [[ $(id -u) -ne 0 ]]; then
    exec sudo -- "$0" "$work_dir" "$build_dir" "$@"
fi

package=$(ls -t "$build_dir"/quartet_*_"$(dpkg --print-architecture)".deb 2>/dev/null | head -n1)
[[ -n "$package" ]] || { echo "test-debian13: no package in $build_dir (make package)" >&2; exit 1; }
program=$build_dir/app/quartet

# Each mount lives in the namespace of one command of debian13-root.sh and
# ends with it, whether the command passes or fails; checked all the same.
trap 'if findmnt -rn -o TARGET | grep -F "$work_dir/"; then
    echo "test-debian13: the mounts above outlived their command" >&2; exit 1; fi' EXIT

step_start=$SECONDS
step() {
    echo "== Debian 13: $* (at $((SECONDS - step_start)) s)"
}

step "a fresh root"
fresh=$work_dir/root
"$root_tool" remove "$work_dir/package-root"
"$root_tool" remove "$fresh"
rm -rf "$work_dir/out"
mkdir -p "$work_dir/out"
"$root_tool" create "$fresh"
cp -a "$fresh" "$work_dir/package-root"

step "the package $(basename "$package") installed and run"
root=$work_dir/package-root
cp "$package" "$root/tmp/quartet.deb"
"$root_tool" run "$root" -- '
    set -e
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq
    apt-get install -y -qq /tmp/quartet.deb >/dev/null
    /usr/games/quartet --version >/tmp/version.txt
    /usr/games/quartet --solve 3 3 8 8 >/tmp/solve.txt
    apt-get install -y -qq --no-install-recommends xvfb xauth x11-utils xdotool imagemagick >/dev/null'
"$program" --version | diff -u - "$root/tmp/version.txt"
"$program" --solve 3 3 8 8 | diff -u - "$root/tmp/solve.txt"
echo "--version and --solve 3 3 8 8 print what this build prints: $(cat "$root/tmp/version.txt")"
# The window: mapped and viewable, then drawn (more than a few colours).
cat >"$root/tmp/window.sh" <<'EOF'
set -eu
/usr/games/quartet &
program=$!
windows=$(timeout 60 xdotool search --sync --onlyvisible --pid "$program") || {
    echo "no window of quartet became visible" >&2
    exit 1
}
window=$(echo "$windows" | head -n1)
xwininfo -id "$window" | grep -q "Map State: IsViewable"
for _ in $(seq 50); do
    colours=$(import -window "$window" -format %k info:)
    [ "$colours" -ge 16 ] && break
    sleep 0.2
done
import -window root /tmp/quartet-window.png
echo "the window maps and is drawn in $colours colours"
kill "$program"
[ "$colours" -ge 16 ]
EOF
"$root_tool" run --offline "$root" -- 'xvfb-run -a -s "-screen 0 1280x1024x24" sh /tmp/window.sh'
cp "$root/tmp/quartet-window.png" "$work_dir/out/"
"$root_tool" remove "$root"

step "make test by a new user"
root=$fresh
"$root_tool" run "$root" -- 'DEBIAN_FRONTEND=noninteractive apt-get update -qq &&
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq git make >/dev/null'
"$root_tool" run --user "$user" "$root" -- true
tree=$root/home/$user/quartet
mkdir "$tree"
git -C "$source_dir" -c safe.directory="$source_dir" ls-files -z |
    (cd "$source_dir" && tar --null -T - -cf - --ignore-failed-read) | tar -xf - -C "$tree"
chroot "$root" chown -R "$user:$user" "/home/$user/quartet"
# Installing what the tests need reaches the archive; the tests themselves
# run without a network, so that their X servers and buses stay apart from
# the host's.
"$root_tool" run --user "$user" "$root" -- 'cd quartet && make deps && scripts/install-deps.sh scripts/packages-orca.txt'
"$root_tool" run --offline --user "$user" "$root" -- "cd quartet && make test $(printf '%q ' "$@") && make test-orca $(printf '%q ' "$@")"

step "Debian 13's lintian on $(basename "$package")"
cp "$package" "$root/tmp/quartet.deb"
"$root_tool" run --offline --user "$user" "$root" -- 'lintian --display-info --fail-on error,warning /tmp/quartet.deb &&
    echo "lintian: no error and no warning"'
step "done"
