#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The KDE-QT demo programs' authors
# SPDX-License-Identifier: GPL-2.0-or-later
#
# Installs what is missing, builds, and runs every benchmark. Each prints
# one line per figure: "figure: value unit (baseline value unit, ratio r)".
# startup_bench measures every program on Xvfb against a plain Qt window
# (start-up, memory, processor time; a few minutes).
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
