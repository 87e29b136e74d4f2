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

. "$(dirname "$0")/window-program.sh"

# The picture's path is taken relative to where the script was called, like the items.
case $out in
    /*) ;;
    *) out=$(pwd)/$out ;;
esac

QUORVANE_SCREENSHOT=$out xvfb-run -a -s "-screen 0 1400x900x24" "$program" "$@"
echo "$out"
