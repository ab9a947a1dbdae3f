#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The KDE-QT demo programs' authors
# SPDX-License-Identifier: GPL-2.0-or-later
#
# Usage: scripts/pictures.sh [Program...]
# Makes the README's pictures again from the real programs: each program runs
# on a private virtual X server, gets real input (XTest, through xdotool) that
# brings it into a telling state, and its window is photographed from the X
# server into docs/pictures/<Program>.png, or .gif when its steps take frames.
# Without arguments, every built program that has steps below.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$root/build}
pictures=$root/docs/pictures

# ---- The steps of each program -------------------------------------------
# steps_<Program> runs once the window is shown, with these helpers
# (positions in window coordinates):
#   click X Y               a left click
#   drag X1 Y1 X2 Y2 [N] [frames]  a left-button drag in N moves; with "frames",
#                           one frame after each move
#   key KEYSYM, typetext TEXT  keyboard input to the window
#   settle                  waits until the window's picture stops changing
#   frame                   adds the window's picture to the animation
#   frames N MS             N frames, one every MS milliseconds
# The last picture is taken after the steps; a program that took frames gets
# an animated GIF of them instead (DELAY_<Program>, in 1/100 s, between frames).

steps_Wavelry() { # a band chosen: the status bar names it
    click 23 60 # "AM"
}

# ---- The machinery -----------------------------------------------------------
work=$(mktemp -d)
pids=()
cleanup() {
    for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done
    rm -rf "$work"
}
trap cleanup EXIT

grab() { import -window "$window" "$1"; }
settle() {
    local i
    grab "$work/settle-a.png"
    for i in $(seq 30); do
        sleep 0.1
        grab "$work/settle-b.png"
        if compare -metric AE "$work/settle-a.png" "$work/settle-b.png" null: 2>/dev/null; then return 0; fi
        mv "$work/settle-b.png" "$work/settle-a.png"
    done
}
click() { xdotool mousemove --sync --window "$window" "$1" "$2" click 1; settle; }
drag() {
    local x1=$1 y1=$2 x2=$3 y2=$4 n=${5:-10} framed=${6:-} i
    xdotool mousemove --sync --window "$window" "$x1" "$y1" mousedown 1
    for i in $(seq "$n"); do
        xdotool mousemove --sync --window "$window" $((x1 + (x2 - x1) * i / n)) $((y1 + (y2 - y1) * i / n))
        if [ -n "$framed" ]; then settle; frame; fi
    done
    xdotool mouseup 1
    settle
}
key() { xdotool key "$1"; settle; }
typetext() { xdotool type "$1"; settle; }
frame() { grab "$(printf '%s/frame-%04d.png' "$work" "$(frame_count)")"; }
frame_count() { find "$work" -name 'frame-*.png' | wc -l; }
frames() {
    local i
    for i in $(seq "$1"); do
        frame
        sleep "$(printf '0.%03d' "$2")"
    done
}

picture() {
    local program=$1 binary=$build/bin/$1 pid
    rm -f "$work"/frame-*.png
    "$binary" &
    pid=$!
    pids+=("$pid")
    window=$(xdotool search --sync --onlyvisible --pid "$pid" | tail -n 1)
    xdotool windowfocus --sync "$window" 2>/dev/null || true
    settle
    "steps_$program"
    rm -f "$pictures/$program.png" "$pictures/$program.gif"
    if [ "$(frame_count)" -gt 0 ]; then
        local delay=DELAY_$program
        convert -delay "${!delay:-10}" -loop 0 "$work"/frame-*.png -layers Optimize "$pictures/$program.gif"
        echo "$pictures/$program.gif"
    else
        grab "$pictures/$program.png"
        echo "$pictures/$program.png"
    fi
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
}

"$root/scripts/deps.sh"
"$root/scripts/build.sh" >/dev/null
programs=("$@")
if [ ${#programs[@]} -eq 0 ]; then
    for f in $(declare -F | awk '{print $3}' | grep '^steps_'); do
        [ -x "$build/bin/${f#steps_}" ] && programs+=("${f#steps_}")
    done
fi
for p in "${programs[@]}"; do
    declare -F "steps_$p" >/dev/null || { echo "No steps for '$p' in $0" >&2; exit 2; }
    [ -x "$build/bin/$p" ] || { echo "'$p' is not built" >&2; exit 2; }
done

mkdir -p "$pictures"
exec 3< <(Xvfb -displayfd 1 -screen 0 1024x768x24 -nolisten tcp 2>/dev/null)
read -r -u 3 number
pids+=("$!") # the server itself: bash runs a lone command in place
mkdir -m 700 "$work/runtime"
export DISPLAY=:$number XDG_RUNTIME_DIR=$work/runtime QT_QPA_PLATFORM=xcb
unset WAYLAND_DISPLAY
for p in "${programs[@]}"; do
    picture "$p"
done
