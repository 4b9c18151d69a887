#!/usr/bin/env bash
# Times plotweave-cli movie against gnuplot's animated GIF terminal as whole processes:
# y = sin(x + k) on [-10, 10] x [-2, 2], k rising over 0..6.28 in 60 steps and falling back
# (120 frames), 640 x 480. Runs alternate between the programs; each figure is the median
# wall time of RUNS runs. Also the frame rate of .mov level 1 and .mp4: whole processes, and
# the frames beyond a 6-frame movie divided by the extra time (start-up excluded).
# Usage: bench/movie_vs_gnuplot.sh [RUNS] (default 7).
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-7}
cli=${PLOTWEAVE_CLI:-build/src/cli/plotweave-cli}
command -v gnuplot > /dev/null || { echo "gnuplot is not installed (gnuplot-nox)" >&2; exit 1; }
[[ -x $cli ]] || { echo "$cli is not built" >&2; exit 1; }
export LP_NUM_THREADS=0
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

movie() { "$cli" movie --eq 'y = sin(x + k)' --region -10,10,-2,2 --k-range 0,6.28 --size 640x480 --quiet "$@"; }
cat > "$work/sweep.gp" <<GP
set terminal gif animate delay 3 size 640,480
set output '$work/gnuplot.gif'
set samples 1201
set xrange [-10:10]
set yrange [-2:2]
do for [i=0:119] { k = (i < 60) ? i*6.28/60 : 6.28 - (i-60)*6.28/60; plot sin(x+k) }
GP

# Seconds of wall time of one run of the command.
seconds() {
  local start end
  start=$(date +%s.%N)
  "$@" > /dev/null 2>&1
  end=$(date +%s.%N)
  awk -v a="$start" -v b="$end" 'BEGIN { printf "%.4f\n", b - a }'
}

median() { tr ' ' '\n' | grep . | sort -g | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

# One warm-up run each, so that every measured run finds its files in the page cache.
movie --steps 60 -o "$work/w.gif" && gnuplot "$work/sweep.gp" 2> /dev/null

declare -A times
for ((i = 0; i < runs; i++)); do
  times[gif]+="$(seconds movie --steps 60 -o "$work/p.gif") "
  times[gnuplot]+="$(seconds gnuplot "$work/sweep.gp") "
  times[mov]+="$(seconds movie --steps 60 --quality 1 -o "$work/p.mov") "
  times[mov6]+="$(seconds movie --steps 3 --quality 1 -o "$work/s.mov") "
  times[mp4]+="$(seconds movie --steps 60 -o "$work/p.mp4") "
  times[mp46]+="$(seconds movie --steps 3 -o "$work/s.mp4") "
done
for key in gif gnuplot mov mov6 mp4 mp46; do
  declare "m_$key=$(median <<< "${times[$key]}")"
done

printf 'median of %d runs, 120 frames of 640 x 480\n' "$runs"
printf '%-34s %8.3f s\n' "plotweave-cli movie .gif" "$m_gif"
printf '%-34s %8.3f s\n' "gnuplot gif animate" "$m_gnuplot"
printf '%-34s %8.2fx\n' "ratio" "$(awk -v a="$m_gif" -v b="$m_gnuplot" 'BEGIN { print a / b }')"
rate() { awk -v whole="$1" -v short="$2" 'BEGIN { printf "%8.1f frames/s whole process, %6.1f frames/s after start-up\n", 120 / whole, 114 / (whole - short) }'; }
printf '%-34s %s\n' ".mov level 1 (rpza)" "$(rate "$m_mov" "$m_mov6")"
printf '%-34s %s\n' ".mp4 level 1 (H.264)" "$(rate "$m_mp4" "$m_mp46")"
printf 'sizes: .gif %s bytes, gnuplot .gif %s bytes, .mov %s bytes, .mp4 %s bytes\n' \
  "$(stat -c %s "$work/p.gif")" "$(stat -c %s "$work/gnuplot.gif")" "$(stat -c %s "$work/p.mov")" "$(stat -c %s "$work/p.mp4")"
