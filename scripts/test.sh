#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The KDE-QT demo programs' authors
# SPDX-License-Identifier: GPL-2.0-or-later
#
# Usage: scripts/test.sh [ctest options]
# Installs what is missing, builds, and runs the whole test suite.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$root/build}

"$root/scripts/deps.sh" test
"$root/scripts/build.sh"
cd "$build"
ctest --output-on-failure --parallel "$(nproc)" "$@"
