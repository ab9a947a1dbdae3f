#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The KDE-QT demo programs' authors
# SPDX-License-Identifier: GPL-2.0-or-later
#
# Installs the Debian packages the programs and their tests need.
# Installs nothing when all of them are there already.
set -euo pipefail

packages=(
    build-essential cmake ninja-build extra-cmake-modules
    qtbase5-dev libkf5xmlgui-dev libkf5coreaddons-dev libkf5i18n-dev
    xvfb xauth x11-utils xdotool libx11-dev libxtst-dev
    fonts-urw-base35 fonts-dejavu-core
    imagemagick faketime
    desktop-file-utils appstream
    weston qtwayland5
    dbus at-spi2-core python3 python3-pyatspi
    clang libclang-rt-14-dev
)

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
