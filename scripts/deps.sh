#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The KDE-QT demo programs' authors
# SPDX-License-Identifier: GPL-2.0-or-later
#
# Usage: scripts/deps.sh [run|test]
# Installs the Debian packages that are missing: "run" (the default) those
# that building and running the programs needs, with a virtual X server and
# a screenshot tool when there is no display; "test" also those of the whole
# test suite, the benchmarks and the pictures. Installs nothing when all of
# them are there already.
set -euo pipefail

build=(
    build-essential cmake ninja-build extra-cmake-modules
    qtbase5-dev libkf5xmlgui-dev libkf5coreaddons-dev libkf5i18n-dev
    fonts-urw-base35 fonts-dejavu-core
)
headless=(xvfb xauth imagemagick)
tests=(
    xvfb xauth x11-utils xdotool libx11-dev libxtst-dev imagemagick
    faketime valgrind clang libclang-rt-14-dev clang-format reuse
    desktop-file-utils appstream
    weston qtwayland5
    dbus at-spi2-core python3 python3-pyatspi
    kwin-x11 plasma-integration breeze dbus-x11
)

packages=("${build[@]}")
case "${1:-run}" in
run) [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ] || packages+=("${headless[@]}") ;;
test) packages+=("${tests[@]}") ;;
*) echo "usage: $0 [run|test]" >&2; exit 2 ;;
esac

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=
[ "$(id -u)" -eq 0 ] || sudo=sudo
echo "Installing: ${missing[*]}" >&2
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >&2
