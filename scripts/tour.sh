#!/bin/sh
# SPDX-FileCopyrightText: 2026 The Quorvane developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Walks through the window under a virtual X display and saves a picture of every screen a
# newcomer meets: the empty window, the editor of every rule kind in every mode, phrase
# suggestions, a conflict, a name that cannot be used, the rename confirmation, the progress
# overlay and the result report. The walk works on sample files of its own.
#
#   scripts/tour.sh OUTDIR
#
# BUILD names the build folder (default: build); the program is built first when missing.
# SCREEN sets the virtual screen (default: 1400x900x24); QT_SCALE_FACTOR=2 with
# SCREEN=1920x1080x24 shows the window as on a high-density screen.
set -eu

if [ $# -ne 1 ]; then
    echo "usage: scripts/tour.sh OUTDIR" >&2
    exit 2
fi
out=$1

. "$(dirname "$0")/window-program.sh"

mkdir -p "$out"
out=$(cd "$out" && pwd)
# The walk saves presets and window settings; they go to a throwaway home, not the user's.
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
XDG_CONFIG_HOME=$home/config XDG_DATA_HOME=$home/data QUORVANE_TOUR=$out \
    xvfb-run -a -s "-screen 0 ${SCREEN:-1400x900x24}" "$program"
ls "$out"/*.png | wc -l | xargs printf '%s pictures in '
echo "$out"
