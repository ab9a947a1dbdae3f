#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The KDE-QT demo programs' authors
# SPDX-License-Identifier: GPL-2.0-or-later
#
# Configures and builds everything into build/ (or $BUILD_DIR); with
# BUILD_TARGETS set, only those targets (e.g. "Pebblor Wavelry").
# SANITIZERS=ON builds with AddressSanitizer and UndefinedBehaviorSanitizer
# (ECM's ECM_ENABLE_SANITIZERS; best in a build directory of its own, e.g.
# BUILD_DIR=build-asan), SANITIZERS=OFF without them again. QT_MAJOR_VERSION=6
# or 5 chooses the toolkit (by default Qt 6 with KDE Frameworks 6 where KF6
# is installed, Qt 5 with KF5 otherwise); a build directory holds one
# toolkit, so the other one goes into a directory of its own (BUILD_DIR).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$root/build}
options=()
command -v ninja >/dev/null && [ ! -f "$build/CMakeCache.txt" ] && options=(-G Ninja)
case "${SANITIZERS:-}" in
"") ;;
ON | on | 1) options+=("-DECM_ENABLE_SANITIZERS=address;undefined") ;;
*) options+=("-DECM_ENABLE_SANITIZERS=") ;;
esac
[ -z "${QT_MAJOR_VERSION:-}" ] || options+=("-DQT_MAJOR_VERSION=$QT_MAJOR_VERSION")
cmake -S "$root" -B "$build" "${options[@]}" -DCMAKE_BUILD_TYPE=${BUILD_TYPE:-RelWithDebInfo} "$@"
targets=()
for t in ${BUILD_TARGETS:-}; do targets+=(--target "$t"); done
cmake --build "$build" --parallel "$(nproc)" "${targets[@]}"
