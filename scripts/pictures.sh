#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The KDE-QT demo programs' authors
# SPDX-License-Identifier: GPL-2.0-or-later
#
# Usage: scripts/pictures.sh [Program...]
# Makes the README's pictures again from the real programs: each program runs
# on a private virtual X server, gets real input (XTest, through xdotool) that
# brings it into a telling state, and its window is photographed from the X
# server into docs/pictures/<Program>.png; a program whose steps take frames
# also gets an animated GIF of them, docs/pictures/<Program>-<name>.gif.
# Without arguments, every program that has steps below.
#
# PICTURES_SCHEME=BreezeDark (or another installed colour scheme) takes the
# pictures as a Plasma user sees them instead: under KWin, with the KDE
# platform theme, the Breeze style and that scheme, window frame included, in
# the session the system's Plasma starts by default: Plasma 5's X11 session
# (the desktop tests' Plasma profile) as docs/pictures/<Program>-<scheme>.png,
# Plasma 6's Wayland session (their KWin Wayland profile) as
# <Program>-Plasma6-<scheme>.png; no animations then.
#
# PICTURES_LANGUAGE=de (or another language with catalogs in po/) takes them
# in that language, from the build's catalogs, with "-de" after the name:
# docs/pictures/<Program>-de.png. Without it they are in English.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$root/build}
pictures=$root/docs/pictures

# ---- The steps of each program -------------------------------------------
# steps_<Program> runs once the window is shown, with these helpers
# (positions in window coordinates; input helpers do not wait for the
# program, settle does):
#   click X Y               a left click
#   drag X1 Y1 X2 Y2 [N] [frames]  a left-button drag in N moves; with
#                           "frames", one frame once the window has settled
#                           after each move
#   key KEYSYM, typetext TEXT  keyboard input to the window
#   settle                  waits until the window's picture stops changing
#   still                   takes the still picture now rather than after the
#                           steps (for a passing state)
#   frame                   adds the window's picture to the animation
#   frames N MS             N frames, one every MS milliseconds
#   gif NAME DELAY [CROP]   writes the frames taken so far as <Program>-NAME.gif,
#                           DELAY (1/100 s) between frames, each cut to CROP
#                           (WxH+X+Y) if given, and starts a new animation
# Without still, the still picture is taken after the steps, once the window
# has settled. A program with a launch_<Program> function is started through
# it (it gets the program's path and execs it).

steps_Pebblor() { # a fall under way; the stone shows in the holes only
    frames 3 400
    click 270 275 # "Stein Move"
    frames 28 400
    still # the stone passes the second hole
    frames 28 400 # the stone comes to rest in the lowest hole
    gif fall 40 150x495+0+0 # the board and the strip above it
}

steps_Driftel() { # a drag done: the text follows the pointer
    frames 3 300
    drag 100 200 20 420 12 frames # from the start position
    frames 4 300
    gif drag 15
}

steps_Driftel2() { # a drag done: the square followed the pointer
    drag 100 200 480 330 12
}

steps_Wavelry() { # a band chosen: the status bar names it
    click 23 60 # "AM"
}

steps_Glidor() { # a value shown: it stays in the status bar for one second
    drag 48 467 330 467 8 # the horizontal bar's slider, from value 1
    still
}

steps_Quillet() { # an entry made, and the next one being typed
    typetext "Hello, status bar!"
    key Return
    typetext "the next line"
}

steps_Tockwell() { # the clock, after a few ticks
    sleep 2.5
}
launch_Tockwell() { # a fixed time of day, so that a new picture differs only by a change
    local lib
    lib=$(find /usr/lib -name libfaketime.so.1 -print -quit 2>/dev/null)
    [ -n "$lib" ] || exec "$1" # the real time, then
    LD_PRELOAD=$lib FAKETIME="@2026-03-14 09:26:50" FAKETIME_DONT_FAKE_MONOTONIC=1 exec "$1"
}

steps_Notchly() { # the slider dragged: the LCD shows its value
    local y=425
    # Breeze 5 draws the handle above the slider's middle, Breeze 6 on it.
    [ -z "$scheme" ] || [ "${KDE_SESSION_VERSION:-5}" -gt 5 ] || y=409
    drag 28 $y 400 $y 10 # the slider's handle, from 0
}

# ---- The machinery -----------------------------------------------------------
work=$(mktemp -d)
pids=()
cleanup() {
    for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done
    rm -rf "$work"
}
trap cleanup EXIT

# In KWin's Wayland session a window is no X window: KWin says where it put it
# (box: its frame; origin: its inside), and the pictures and the input go to
# the X screen KWin shows its windows on.
grab() {
    if [ -n "$box" ]; then import -window root -crop "$box" +repage "$1"; else import "${frame[@]}" -window "$window" "$1"; fi
}
pointer() { # pointer X Y: the pointer to that point of the window
    if [ -n "$box" ]; then
        xdotool mousemove --sync $((${origin% *} + $1)) $((${origin#* } + $2))
    else
        xdotool mousemove --sync --window "$window" "$1" "$2"
    fi
}
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
click() {
    pointer "$1" "$2"
    xdotool click 1
}
drag() {
    local x1=$1 y1=$2 x2=$3 y2=$4 n=${5:-10} framed=${6:-} i
    pointer "$x1" "$y1"
    xdotool mousedown 1
    for i in $(seq "$n"); do
        pointer $((x1 + (x2 - x1) * i / n)) $((y1 + (y2 - y1) * i / n))
        if [ -n "$framed" ]; then settle; frame; fi
    done
    xdotool mouseup 1
}
key() { xdotool key "$1"; }
typetext() { xdotool type "$1"; }
still() { grab "$work/still.png"; }
frame() { grab "$(printf '%s/frame-%04d.png' "$work" "$(frame_count)")"; }
frame_count() { find "$work" -name 'frame-*.png' | wc -l; }
now_ms() { echo $(($(date +%s%N) / 1000000)); }
frames() { # paced by the clock, so the GIF's delay matches the time between frames
    local i next wait
    next=$(now_ms)
    for i in $(seq "$1"); do
        frame
        next=$((next + $2))
        wait=$((next - $(now_ms)))
        if [ "$wait" -gt 0 ]; then sleep "$(printf '%d.%03d' $((wait / 1000)) $((wait % 1000)))"; fi
    done
}
gif() {
    local out=$pictures/$program-$1.gif crop=()
    if [ -n "$scheme" ]; then rm -f "$work"/frame-*.png; return 0; fi
    [ -n "${3:-}" ] && crop=(-crop "$3" +repage)
    convert -delay "$2" -loop 0 "$work"/frame-*.png "${crop[@]}" -layers Optimize "$out"
    rm -f "$work"/frame-*.png
    echo "$out"
}

picture() {
    local binary=$build/bin/$program pid
    rm -f "$work"/frame-*.png "$work/still.png"
    if declare -F "launch_$program" >/dev/null; then "launch_$program" "$binary" & else "$binary" & fi
    pid=$!
    pids+=("$pid")
    if [ -n "${WAYLAND_DISPLAY:-}" ]; then
        local placed fx fy fw fh cx cy
        placed=$(/usr/bin/python3 "$root/tests/desktop/desktopsession.py" window "$pid")
        read -r fx fy fw fh cx cy _ <<<"$placed"
        box=${fw}x${fh}+$fx+$fy origin="$cx $cy"
    else
        window=$(xdotool search --sync --onlyvisible --pid "$pid" | tail -n 1)
        xdotool windowfocus --sync "$window" 2>/dev/null || true
    fi
    settle
    "steps_$program"
    [ "$(frame_count)" -eq 0 ] || { echo "steps_$program took frames but wrote no gif" >&2; exit 1; }
    if [ ! -f "$work/still.png" ]; then settle; still; fi
    cp "$work/still.png" "$pictures/$program$suffix.png"
    echo "$pictures/$program$suffix.png"
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
}

programs=("$@")
if [ ${#programs[@]} -eq 0 ]; then
    for f in $(declare -F | awk '{print $3}' | grep '^steps_'); do
        [ -d "$root/${f#steps_}" ] && programs+=("${f#steps_}")
    done
fi
for p in "${programs[@]}"; do
    declare -F "steps_$p" >/dev/null || { echo "No steps for '$p' in $0" >&2; exit 2; }
    [ -d "$root/$p" ] || { echo "No program '$p' in $root" >&2; exit 2; }
done

scheme=${PICTURES_SCHEME:-} box=
if [ -n "$scheme" ] && [ -z "${PICTURES_IN_PROFILE:-}" ]; then
    "$root/scripts/deps.sh" test
    BUILD_TARGETS="${programs[*]}" "$root/scripts/build.sh"
    # Again, inside the profile's session: KWin 6's Wayland session where there
    # is one (deps.sh installs it with Qt 6), Plasma 5's X11 one otherwise.
    profile=plasma
    kwin=$({ kwin_wayland --version 2>/dev/null || true; } | sed -n 's/^kwin \([0-9]*\)\..*/\1/p')
    [ "${kwin:-0}" -lt 6 ] || profile='kwin-wayland'
    PICTURES_IN_PROFILE=1 exec /usr/bin/python3 "$root/tests/desktop/desktopsession.py" "$profile" "$scheme" -- "$0" "${programs[@]}"
fi

mkdir -p "$pictures"
export LANGUAGE=${PICTURES_LANGUAGE:-en}
if [ -n "${PICTURES_LANGUAGE:-}" ]; then
    export XDG_DATA_DIRS="$build/data:${XDG_DATA_DIRS:-/usr/local/share:/usr/share}"
fi
if [ -n "$scheme" ]; then
    # Plasma 5's pictures are <Program>-<scheme>.png, Plasma 6's (the profile
    # names the desktop's version) <Program>-Plasma6-<scheme>.png.
    suffix=-$scheme frame=(-frame)
    [ "${KDE_SESSION_VERSION:-5}" -le 5 ] || suffix=-Plasma$KDE_SESSION_VERSION-$scheme
else
    "$root/scripts/deps.sh" test
    BUILD_TARGETS="${programs[*]}" "$root/scripts/build.sh"
    suffix= frame=()
    . "$root/scripts/xvfb.sh"
    start_xvfb
    pids+=("$XVFB_PID")
    mkdir -m 700 "$work/runtime"
    # The style the tests state: Fusion, Qt's generic theme, no configuration.
    export XDG_RUNTIME_DIR=$work/runtime QT_QPA_PLATFORM=xcb QT_STYLE_OVERRIDE=Fusion QT_QPA_PLATFORMTHEME=generic \
        XDG_CONFIG_HOME=$work/config
    unset WAYLAND_DISPLAY XDG_CURRENT_DESKTOP KDE_FULL_SESSION DESKTOP_SESSION GNOME_DESKTOP_SESSION_ID
fi
[ -z "${PICTURES_LANGUAGE:-}" ] || suffix=$suffix-$PICTURES_LANGUAGE
for program in "${programs[@]}"; do
    picture
done
