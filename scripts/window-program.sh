# SPDX-FileCopyrightText: 2026 The Quorvane developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Sourced by the scripts that run the window under a virtual display: sets `root` and
# `program` (building it when missing; BUILD names the build folder) and checks for xvfb-run.
root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD:-build}
case $build in
    /*) ;;
    *) build=$root/$build ;;
esac
program=$build/src/quorvane
if [ ! -x "$program" ]; then
    cmake -S "$root" -B "$build" >/dev/null
    cmake --build "$build" --target quorvane -j2
fi
if ! command -v xvfb-run >/dev/null 2>&1; then
    echo "${0##*/}: xvfb-run is missing; install it with: apt-get install xvfb xauth" >&2
    exit 1
fi
