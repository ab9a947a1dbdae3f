#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The KDE-QT demo programs' authors
# SPDX-License-Identifier: GPL-2.0-or-later
#
# Usage: scripts/run.sh [Program] [program options]
# Installs what is missing, builds, and runs one program (Wavelry unless
# named). Without a display it runs the program on a virtual X server for a
# few seconds, saves a screenshot and prints the picture's path.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$root/build}
program=Wavelry
if [ $# -gt 0 ] && [[ "$1" != -* ]]; then program=$1; shift; fi

[ -f "$root/$program/CMakeLists.txt" ] || { echo "No program named '$program' (there are: $(cd "$root" && ls -d */CMakeLists.txt | grep '^[A-Z]' | cut -d/ -f1 | tr '\n' ' '))" >&2; exit 2; }

"$root/scripts/deps.sh" run
# Running a program needs none of the test tools, which CI (CI in the
# environment) would otherwise ask the configure to insist on.
env -u CI BUILD_TARGETS=$program "$root/scripts/build.sh"
binary="$build/bin/$program"
# The program's translations, which the build puts into build/data/locale:
# KDE looks for <data folder>/locale/<language>/LC_MESSAGES/<program>.mo in
# the data folders, so build/data goes first among them for this run
# (LANGUAGE=de scripts/run.sh shows the program in German).
export XDG_DATA_DIRS="$build/data:${XDG_DATA_DIRS:-/usr/local/share:/usr/share}"

if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
    exec "$binary" "$@"
fi

# No display: a virtual one, a screenshot, and the path to it.
shot="$build/$program.png"
runtime=$(mktemp -d)
. "$root/scripts/xvfb.sh"
XVFB_PID=
trap 'rm -rf "$runtime"; [ -z "$XVFB_PID" ] || kill "$XVFB_PID" 2>/dev/null || true' EXIT
start_xvfb
export XDG_RUNTIME_DIR=$runtime QT_QPA_PLATFORM=xcb
"$binary" "$@" &
pid=$!
sleep "${RUN_SECONDS:-3}"
import -window root -crop 760x560+0+0 +repage "$shot"
kill "$pid" 2>/dev/null || true
wait "$pid" 2>/dev/null || true
echo "$shot"
