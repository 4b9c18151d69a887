#!/usr/bin/env bash
# Times plotweave-cli render against gnuplot as whole processes, all at 800 x 600: the curve
# y = sin(x) on [-10, 10] as PNG (painted without OpenGL; gnuplot's pngcairo) and as SVG
# (gnuplot's svg terminal), and the surface z = sin(x) cos(y) at 200 divisions as PNG
# (OpenGL; pngcairo). Runs alternate between the two programs; each figure is the median
# wall time of RUNS runs. Usage: bench/cli_vs_gnuplot.sh [RUNS] (default 9).
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-9}
cli=${PLOTWEAVE_CLI:-build/src/cli/plotweave-cli}
command -v gnuplot > /dev/null || { echo "gnuplot is not installed (gnuplot-nox)" >&2; exit 1; }
[[ -x $cli ]] || { echo "$cli is not built" >&2; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

curve_cli=("$cli" render --keys 'y=sinx' --region -10,10,-1.5,1.5 --size 800x600 -o "$work/curve.png")
svg_cli=("$cli" render --keys 'y=sinx' --region -10,10,-1.5,1.5 --size 800x600 -o "$work/curve.svg")
surface_cli=("$cli" render --keys 'z=sinx\>*cosy' --divisions 200 --draw-mode 2 --size 800x600 -o "$work/surface.png")
cat > "$work/curve.gp" <<GP
set terminal pngcairo size 800,600
set output '$work/curve-gnuplot.png'
set samples 1201
set xrange [-10:10]
plot sin(x)
GP
cat > "$work/svg.gp" <<GP
set terminal svg size 800,600
set output '$work/curve-gnuplot.svg'
set samples 1201
set xrange [-10:10]
plot sin(x)
GP
cat > "$work/surface.gp" <<GP
set terminal pngcairo size 800,600
set output '$work/surface-gnuplot.png'
set isosamples 200,200
set xrange [-10:10]
set yrange [-10:10]
splot sin(x)*cos(y)
GP

# Seconds of wall time of one run of the command.
seconds() {
  local start end
  start=$(date +%s.%N)
  "$@" > /dev/null 2>&1
  end=$(date +%s.%N)
  awk -v a="$start" -v b="$end" 'BEGIN { printf "%.4f\n", b - a }'
}

median() { sort -g | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

# One warm-up run each, so that every measured run finds its files in the page cache.
"${curve_cli[@]}" && "${svg_cli[@]}" && "${surface_cli[@]}"
gnuplot "$work/curve.gp" && gnuplot "$work/svg.gp" && gnuplot "$work/surface.gp"

declare -A times
for ((i = 0; i < runs; i++)); do
  times[curve_cli]+="$(seconds "${curve_cli[@]}") "
  times[curve_gp]+="$(seconds gnuplot "$work/curve.gp") "
  times[svg_cli]+="$(seconds "${svg_cli[@]}") "
  times[svg_gp]+="$(seconds gnuplot "$work/svg.gp") "
  times[surface_cli]+="$(seconds "${surface_cli[@]}") "
  times[surface_gp]+="$(seconds gnuplot "$work/surface.gp") "
done

printf '%-40s %12s %12s %8s\n' "median of $runs runs (s)" plotweave-cli gnuplot ratio
for case in curve svg surface; do
  cli_s=$(tr ' ' '\n' <<< "${times[${case}_cli]}" | grep . | median)
  gp_s=$(tr ' ' '\n' <<< "${times[${case}_gp]}" | grep . | median)
  label="y = sin(x), 1201 samples, PNG"
  [[ $case == svg ]] && label="y = sin(x), 1201 samples, SVG"
  [[ $case == surface ]] && label="z = sin(x) cos(y), 200 x 200, PNG"
  printf '%-40s %12.3f %12.3f %7.2fx\n' "$label" "$cli_s" "$gp_s" "$(awk -v a="$cli_s" -v b="$gp_s" 'BEGIN { print a / b }')"
done
