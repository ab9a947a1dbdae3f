#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The KDE-QT demo programs' authors
# SPDX-License-Identifier: GPL-2.0-or-later
#
# Installs what is missing, builds, and runs every benchmark under the
# system's toolkit (Qt 5 on Debian 12, Qt 6 on Debian 13: run it in a fresh
# Debian 13 system with "sudo scripts/fresh-system.sh scripts/bench.sh").
# Each prints one line per figure: "figure: value unit (baseline value
# unit, ratio r)"; the drawing benchmarks one per pixel density, 1, 1.25,
# 1.5 and 2. startup_bench measures every program on Xvfb against a plain
# Qt window (start-up, memory, processor time; a few minutes).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$root/build}

"$root/scripts/deps.sh" test
"$root/scripts/build.sh"
status=0
for b in "$build"/bin/*_bench; do
    [ -x "$b" ] || continue
    QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen} "$b" -silent | grep -E '^[^ ]+.*: (.*\(baseline|skipped)|^FAILED' || status=1
done
exit $status
