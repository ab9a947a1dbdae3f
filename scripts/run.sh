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

"$root/scripts/deps.sh"
"$root/scripts/build.sh" >/dev/null
binary="$build/bin/$program"
[ -x "$binary" ] || { echo "No program named '$program' (built: $(cd "$build/bin" && ls -d [A-Z]* | tr '\n' ' '))" >&2; exit 2; }

if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
    exec "$binary" "$@"
fi

# No display: a virtual one, a screenshot, and the path to it.
shot="$build/$program.png"
runtime=$(mktemp -d)
trap 'rm -rf "$runtime"; kill $xvfb 2>/dev/null || true' EXIT
exec 3< <(Xvfb -displayfd 1 -screen 0 1024x768x24 -nolisten tcp 2>/dev/null)
read -r -u 3 number
xvfb=$(pgrep -n -x Xvfb)
export DISPLAY=:$number XDG_RUNTIME_DIR=$runtime QT_QPA_PLATFORM=xcb
"$binary" "$@" &
pid=$!
sleep "${RUN_SECONDS:-3}"
import -window root -crop 760x560+0+0 +repage "$shot" 2>/dev/null || xwd -root -silent | convert xwd:- "$shot"
kill "$pid" 2>/dev/null || true
wait "$pid" 2>/dev/null || true
echo "$shot"
