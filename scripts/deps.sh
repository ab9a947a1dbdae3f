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
#
# The toolkit: Qt 6 with KDE Frameworks 6 on Debian 13 and later, Qt 5.15
# with KDE Frameworks 5 on Debian 12, which has no KF6. QT_MAJOR_VERSION=5
# or 6 in the environment chooses (scripts/build.sh passes it on to CMake).
set -euo pipefail

release=$(. /etc/os-release && echo "${VERSION_ID:-}")
qt=${QT_MAJOR_VERSION:-}
if [ -z "$qt" ]; then
    # Debian testing and unstable name no version: they are past 13 too.
    if [ -n "$release" ] && [ "${release%%.*}" -lt 13 ]; then qt=5; else qt=6; fi
fi

# gettext compiles the translations (msgfmt) and makes the tests' pseudo-translation.
common_build=(build-essential cmake ninja-build extra-cmake-modules gettext fonts-urw-base35 fonts-dejavu-core)
headless=(xvfb xauth imagemagick)
common_tests=(
    xvfb xauth x11-utils xdotool libx11-dev libxtst-dev imagemagick
    faketime valgrind clang libclang-rt-dev clang-format reuse
    desktop-file-utils appstream weston
    dbus at-spi2-core python3 python3-pyatspi
    kwin-x11 plasma-integration dbus-x11
    # A German and an English locale for the tests in other languages: gettext
    # ignores LANGUAGE under the C locale (glibc 2.41, Debian 13: also C.UTF-8).
    locales-all
)
case "$qt" in
5)
    build=(qtbase5-dev libkf5xmlgui-dev libkf5coreaddons-dev libkf5i18n-dev)
    tests=(qtwayland5 breeze)
    ;;
6)
    # Qt 6 needs libxcb-cursor0 to run on X11 at all, and does not pull it in.
    build=(qt6-base-dev libkf6xmlgui-dev libkf6coreaddons-dev libkf6i18n-dev libxcb-cursor0)
    # KWin 6's Wayland session (kwin-common holds its plugins and is only
    # recommended), and kscreen-doctor (libkscreen-bin) to set its output's
    # scale; Debian 12 has KWin 5 alone, so Qt 5 goes without. The desktop portal with
    # its KDE back end, which a Plasma 6 session runs for its programs.
    tests=(qt6-wayland kde-style-breeze kwin-wayland kwin-common xwayland libkscreen-bin
        xdg-desktop-portal xdg-desktop-portal-kde)
    ;;
*) echo "QT_MAJOR_VERSION must be 5 or 6, not '$qt'" >&2; exit 2 ;;
esac

packages=("${common_build[@]}" "${build[@]}")
case "${1:-run}" in
run) [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ] || packages+=("${headless[@]}") ;;
test) packages+=("${common_tests[@]}" "${tests[@]}") ;;
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
