#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# A Debian 13 (trixie) root in a folder, to build, test and run Quartet as on
# a fresh Debian 13 machine. Needs root (it re-runs itself with sudo).
#
#   debian13-root.sh create ROOT
#       makes ROOT (which must not exist) with `mmdebstrap --variant=apt`
#   debian13-root.sh run [--user NAME] [--offline] ROOT [--] COMMAND...
#       runs COMMAND with bash -c inside ROOT, as root or as NAME (a user with
#       passwordless sudo, made on first use); --offline gives it no network,
#       only a loopback of its own
#   debian13-root.sh remove ROOT
#
# `run` gives the command mount and process namespaces of its own: /proc,
# /dev (with /dev/pts and a fresh /dev/shm) and /sys are mounted inside the
# root only for it, and vanish with it however it ends, together with any
# process it leaves behind. With --offline it also has its own network
# namespace, so that X servers and session buses started in the root never
# meet the host's, whose abstract sockets would otherwise be shared.
set -euo pipefail

suite=trixie
hostname=debian13
usage() {
    sed -n '4,12s/^# \{0,1\}//p' "$0" >&2
    exit 2
}
[[ $# -ge 2 ]] || usage
if [[ $(id -u) -ne 0 ]]; then
    exec sudo -- "$0" "$@"
fi

# No mount may be left under ROOT: removing it would reach into the host.
check_unmounted() {
    local root=$1
    if findmnt -rn -o TARGET | awk -v root="$root" '$0 == root || index($0, root "/") == 1 { found = 1 } END { exit !found }'; then
        echo "debian13-root: something is still mounted under $root" >&2
        exit 1
    fi
}

create() {
    local root=$1
    [[ ! -e "$root" ]] || { echo "debian13-root: $root exists already" >&2; exit 1; }
    mkdir -p "$(dirname "$root")"
    mmdebstrap --quiet --variant=apt "$suite" "$root"
    # The host name that `run` gives the root, known to its resolver as on an
    # installed machine (sudo looks it up).
    echo "$hostname" >"$root/etc/hostname"
    printf '127.0.0.1\tlocalhost\n127.0.1.1\t%s\n' "$hostname" >"$root/etc/hosts"
}

# Runs the command line COMMAND... (from env on) inside ROOT, in the
# namespaces described above; OFFLINE non-empty for a network of its own.
enter() {
    local root=$1 offline=$2
    shift 2
    local namespaces=(--mount --uts --pid --fork --kill-child --propagation private)
    [[ -z "$offline" ]] || namespaces+=(--net)
    # As a background job, the command keeps this standard input only so.
    exec 3<&0
    # shellcheck disable=SC2016
    unshare "${namespaces[@]}" -- /bin/bash -c '
        set -e
        root=$1 hostname=$2 offline=$3
        shift 3
        echo "$hostname" >/proc/sys/kernel/hostname
        mount -t proc proc "$root/proc"
        mount --rbind /sys "$root/sys"
        mount --rbind /dev "$root/dev"
        mount -t tmpfs -o mode=1777,nosuid,nodev shm "$root/dev/shm"
        [[ -z "$offline" ]] || ip link set lo up
        cd /
        # A background job ignores SIGINT and SIGQUIT; the command does not.
        # It is not the first process of its namespace either, whose parent
        # looks like init to it: Xvfb would not tell xvfb-run that it is ready.
        status=0
        env --default-signal=INT,QUIT chroot "$root" "$@" || status=$?
        exit $status' \
        bash "$root" "$hostname" "$offline" "$@" <&3 3<&- &
    # unshare ignores the signals that end this script; killed, it takes the
    # namespace's first process with it, and with that every process inside.
    local namespace=$!
    trap 'kill -KILL $namespace 2>/dev/null' INT TERM HUP
    wait $namespace
}

# The user: made with useradd from the root's passwd package, in the sudo
# group, and allowed to use sudo without a password (no one is there to type it).
add_user() {
    local root=$1 user=$2
    chroot "$root" id "$user" >/dev/null 2>&1 && return
    enter "$root" "" /bin/bash -c "
        set -e
        export DEBIAN_FRONTEND=noninteractive
        apt-get update -qq
        apt-get install -y -qq --no-install-recommends sudo passwd >/dev/null
        useradd --create-home --shell /bin/bash --groups sudo '$user'
        echo '$user ALL=(ALL:ALL) NOPASSWD: ALL' >/etc/sudoers.d/'$user'
        chmod 0440 /etc/sudoers.d/'$user'"
}

run() {
    local user= offline=
    while [[ $# -gt 0 ]]; do
        case $1 in
        --user) user=$2; shift 2 ;;
        --offline) offline=1; shift ;;
        *) break ;;
        esac
    done
    [[ $# -ge 2 ]] || usage
    local root
    root=$(realpath "$1")
    shift
    [[ $1 == -- ]] && shift
    [[ -x "$root/bin/bash" ]] || { echo "debian13-root: $root is no root" >&2; exit 1; }
    [[ -z "$user" ]] || add_user "$root" "$user"

    # A login's environment: a user's PATH has the games folders, root's not.
    local name=root home=/root path=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin switch=()
    if [[ -n "$user" ]]; then
        name=$user home=/home/$user path=/usr/local/bin:/usr/bin:/bin:/usr/local/games:/usr/games
        switch=(setpriv --reuid="$user" --regid="$user" --init-groups)
    fi
    enter "$root" "$offline" "${switch[@]}" env -i HOME="$home" USER="$name" LOGNAME="$name" LANG=C.UTF-8 \
        PATH="$path" ${TERM:+TERM="$TERM"} /bin/bash -c "cd ~ && $*"
}

remove() {
    local root
    root=$(realpath -m "$1")
    [[ -e "$root" ]] || return 0
    check_unmounted "$root"
    rm -rf --one-file-system "$root"
}

command=$1
shift
case $command in
create) create "$@" ;;
run) run "$@" ;;
remove) remove "$@" ;;
*) usage ;;
esac
