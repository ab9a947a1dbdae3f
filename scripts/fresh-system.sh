#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The KDE-QT demo programs' authors
# SPDX-License-Identifier: GPL-2.0-or-later
#
# Usage: scripts/fresh-system.sh [command ...]
# Makes a fresh Debian system in a folder (mmdebstrap, as root), puts a
# clean clone of this repository's committed HEAD in it, and runs there, as
# a new user of that system would, each command given (each one a line of
# shell, run from the clone's top folder), by default the README's two:
# scripts/run.sh and scripts/test.sh. Ends at the first that fails, with its
# status. Whatever happens, it then ends every process still running in the
# folder, unmounts what it mounted and removes the folder.
#
# FRESH_SUITE sets the Debian release: trixie (Debian 13, the default) or
# testing (forky, the newest KDE stack). FRESH_DIR sets the folder (a new one
# under /var/tmp), FRESH_MIRROR the mirror (the first Debian one this
# machine's apt sources name). CI in the environment is passed on.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
[ $# -gt 0 ] || set -- scripts/run.sh scripts/test.sh

if [ "$(id -u)" -ne 0 ]; then
    echo "$0: making a system needs root (sudo $0)" >&2
    exit 2
fi
command -v mmdebstrap >/dev/null || {
    apt-get update -qq
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends mmdebstrap >&2
}

suite=${FRESH_SUITE:-trixie}
apt_options=()
case "$suite" in
testing | forky)
    # The archive serves testing as a snapshot whose Release file is past its
    # Valid-Until date; apt refuses it unless told otherwise. mmdebstrap also
    # writes the option into the new system, for scripts/deps.sh there.
    apt_options=(--aptopt='Acquire::Check-Valid-Until "false"')
    ;;
esac
mirror=${FRESH_MIRROR:-$(sed -n 's/^URIs: *\(http[^ ]*\/debian\)\/*$/\1/p' /etc/apt/sources.list.d/*.sources 2>/dev/null | head -n1)}
mirror=${mirror:-http://deb.debian.org/debian}
dir=${FRESH_DIR:-$(mktemp -d /var/tmp/fresh-system.XXXXXX)}
mounted=()

cleanup() {
    local status=$? pid link
    # Every process whose root is the folder, the programs' servers included.
    for _ in 1 2 3; do
        for link in /proc/[0-9]*/root; do
            [ "$(readlink "$link" 2>/dev/null)" = "$dir" ] || continue
            pid=${link#/proc/}
            kill -KILL "${pid%/root}" 2>/dev/null || true
        done
        sleep 1
    done
    local i
    for ((i = ${#mounted[@]} - 1; i >= 0; i--)); do
        umount "${mounted[i]}" 2>/dev/null || umount -l "${mounted[i]}" || true
    done
    rm -rf --one-file-system "$dir"
    exit "$status"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

mount_in() { # mount_in <folder in the system> <mount arguments...>
    mkdir -p "$dir$1"
    mount "${@:2}" "$dir$1"
    mounted+=("$dir$1")
}

echo "== A fresh Debian ($suite) in $dir, from $mirror" >&2
start=$SECONDS
mmdebstrap --variant=apt --mode=root "${apt_options[@]}" --include=ca-certificates,git "$suite" "$dir" "$mirror"
mount_in /proc -t proc proc
mount_in /sys -t sysfs sysfs
mount_in /dev/pts -t devpts -o newinstance,ptmxmode=0666 devpts
mount_in /dev/shm -t tmpfs tmpfs
echo "== Made in $((SECONDS - start)) s" >&2

user_home=/root
git clone --quiet "$root" "$dir$user_home/kde-qt-demos"

for command in "$@"; do
    echo "== In the fresh system: $command" >&2
    start=$SECONDS
    chroot "$dir" /usr/bin/env -i HOME=$user_home TERM="${TERM:-dumb}" LANG=C.UTF-8 ${CI:+CI=$CI} \
        PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
        /bin/bash -c "cd $user_home/kde-qt-demos && $command"
    echo "== Done in $((SECONDS - start)) s: $command" >&2
done
