#!/bin/sh
# SPDX-FileCopyrightText: 2026 The Quorvane developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Saves a picture of the window as a user sees it: runs the built program under a virtual X
# display with the given items in its list, and writes OUT.png once the window has settled.
#
#   scripts/screenshot.sh OUT.png [PATH...]
#
# BUILD names the build folder (default: build); the program is built first when missing.
set -eu

if [ $# -lt 1 ]; then
    echo "usage: scripts/screenshot.sh OUT.png [PATH...]" >&2
    exit 2
fi
out=$1
shift

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
    echo "screenshot.sh: xvfb-run is missing; install it with: apt-get install xvfb xauth" >&2
    exit 1
fi

# The picture's path is taken relative to where the script was called, like the items.
case $out in
    /*) ;;
    *) out=$(pwd)/$out ;;
esac

QUORVANE_SCREENSHOT=$out xvfb-run -a -s "-screen 0 1400x900x24" "$program" "$@"
echo "$out"
