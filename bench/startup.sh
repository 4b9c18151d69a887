#!/usr/bin/env bash
# Start-up of plotweave to its first drawn frame with the example set, whole process, under
# Xvfb: the median of several runs, with the median of the same binary stopping before any
# window (--help: process and Qt start-up only) as the reference of the same run.
set -euo pipefail
cd "$(dirname "$0")/.."
if [[ -z ${PLOTWEAVE_STARTUP_DISPLAY:-} ]]; then
  exec env PLOTWEAVE_STARTUP_DISPLAY=1 xvfb-run -a -s '-screen 0 1400x900x24' "$0" "$@"
fi
runs=${RUNS:-7}
export LP_NUM_THREADS=0
measure() {
  for _ in $(seq "$runs"); do
    start=$(date +%s.%N)
    "$@" >/dev/null 2>&1
    end=$(date +%s.%N)
    echo "$end - $start" | bc
  done | sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'
}
full=$(measure build/src/app/plotweave --quit-after-drawing resources/examples/curves.plw)
bare=$(measure build/src/app/plotweave --help)
echo "plotweave to first frame: $full s (median of $runs)"
echo "plotweave --help (process and Qt start-up only): $bare s"
