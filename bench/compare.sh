#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Quorvane developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Times whole processes on the same fresh trees in /dev/shm: `quorvane preview` and
# `quorvane rename` beside perl rename (Debian's file-rename) and mmv, and prints the medians
# and the ratios. Usage: bench/compare.sh [COUNT...]   (default: 10000 100000)
set -euo pipefail
cd "$(dirname "$0")/.."
counts=("$@")
[ ${#counts[@]} -gt 0 ] || counts=(10000 100000)
runs=5

for tool in file-rename mmv; do
  if ! command -v "$tool" >/dev/null; then
    pkg=$([ "$tool" = file-rename ] && echo rename || echo mmv)
    if [ "$(id -u)" -eq 0 ]; then
      apt-get update -qq && DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "$pkg" >/dev/null
    else
      echo "compare.sh needs $pkg: sudo apt-get install $pkg" >&2; exit 1
    fi
  fi
done
make --no-print-directory bench >/dev/null
quorvane=$PWD/build-bench/src/quorvane
chain=$PWD/bench/chain-rules.json
replace=$PWD/bench/replace-rules.json
base=$(mktemp -d /dev/shm/quorvane-compare-XXXXXX)
trap 'rm -rf "$base"' EXIT
export XDG_DATA_HOME=$base/data

# A fresh folder of COUNT files named like the benchmarks' names.
fresh() {
  rm -rf "$base/t" && mkdir "$base/t"
  (cd "$base/t" && seq 0 $(($1 - 1)) | awk '{ w[0]="holiday"; w[1]="draft"; w[2]="Report"; w[3]="scan";
      printf "IMG %d %s %s.txt\n", $1, w[$1 % 4], w[int($1 / 7) % 4] }' | tr '\n' '\0' |
      xargs -0 touch)
}

# The median wall time in seconds of RUNS runs of "$@", each on a fresh tree of $count files.
median() {
  local times=()
  for _ in $(seq $runs); do
    fresh "$count"
    local start end
    start=$(date +%s.%N)
    (cd "$base/t" && "$@") >/dev/null 2>&1 || true
    end=$(date +%s.%N)
    times+=("$(echo "$end - $start" | bc)")
  done
  printf '%s\n' "${times[@]}" | sort -n | sed -n "$(((runs + 1) / 2))p"
}

report() { printf '  %-52s %7.3f s  %5.2fx\n' "$1" "$2" "$(echo "$2 / $3" | bc -l)"; }

for count in "${counts[@]}"; do
  echo "$count files (median of $runs, tmpfs); ratio to quorvane's own figure of that kind:"
  q_preview=$(median "$quorvane" preview --recursive --rules "$chain" --format csv "$base/t")
  q_preview1=$(median "$quorvane" preview --recursive --rules "$replace" --format csv "$base/t")
  p_dry=$(median sh -c "find . -type f -print0 | file-rename -0 -n 's/draft/final/'")
  q_rename=$(median "$quorvane" rename --recursive --rules "$replace" --format json "$base/t")
  p_rename=$(median sh -c "find . -type f -print0 | file-rename -0 's/draft/final/'")
  m_rename=$(median mmv '*draft*' '#1final#2')
  report "quorvane preview, chain of five rules" "$q_preview" "$q_preview"
  report "quorvane preview, one literal replace" "$q_preview1" "$q_preview"
  report "perl rename -n, one substitution" "$p_dry" "$q_preview"
  report "quorvane rename, one literal replace" "$q_rename" "$q_rename"
  report "perl rename, one substitution" "$p_rename" "$q_rename"
  report "mmv, one substitution" "$m_rename" "$q_rename"
done
