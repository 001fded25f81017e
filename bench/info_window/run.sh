#!/usr/bin/env bash
# The information window stepping through camera photos (on screen under Xvfb, camera
# tab with the Exif details open) next to tollamar-cli info and exif over the same
# photos, each verb one process over all of them. Prints both times per round, the
# best of each, their ratio, and the window's longest single step (the longest time the
# interface thread took no event).
#   bench/info_window/run.sh [COUNT] [ROUNDS] [WIDTH] [HEIGHT]
set -euo pipefail
cd "$(dirname "$0")/../.."
count=${1:-500}
rounds=${2:-3}
width=${3:-4000}
height=${4:-3000}
scripts/install-deps.sh xvfb xauth bc
# TOLLAMAR_BIN: the folder of already built programs (no build then).
if [[ -z "${TOLLAMAR_BIN:-}" ]]; then scripts/build.sh >/dev/null; fi
bin=${TOLLAMAR_BIN:-$PWD/build/bin}
work=${TMPDIR:-/tmp}/tollamar-bench-info-window
rm -rf "$work"
mkdir -p "$work/photos"
export XDG_CONFIG_HOME=$work/config

# Camera-size pictures, each with its own Exif block and comment.
"$bin/bench_make_photos" "$work/photos" "$count" "$width" "$height" 12000 exif >/dev/null
files=("$work/photos"/*.jpg)
echo "${#files[@]} photos of $width x $height, $(du -sk "$work/photos" | cut -f1) KB in all, $rounds rounds"
cat "${files[@]}" >/dev/null  # both sides read from the page cache

gui_run() {  # -> "ms longest_ms"
  local out
  out=$(xvfb-run -a -s '-screen 0 1280x800x24' "$bin/bench_info_window" "${files[@]}" 2>&1) || {
    echo "$out" >&2; exit 1; }
  echo "$(echo "$out" | awk '/^gui_run_ms/ {print $2}') $(echo "$out" | awk '/^longest_step_ms/ {print $2}')"
}
cli_run() {  # -> ms of info and exif
  local t0 t1
  t0=$(date +%s%N)
  "$bin/tollamar-cli" info "${files[@]}" >/dev/null
  "$bin/tollamar-cli" exif "${files[@]}" >/dev/null
  t1=$(date +%s%N)
  echo $(( (t1 - t0) / 1000000 ))
}

best_gui=; best_cli=; worst_step=0
for r in $(seq 1 "$rounds"); do
  if (( r % 2 )); then read -r gui step < <(gui_run); cli=$(cli_run)
  else cli=$(cli_run); read -r gui step < <(gui_run); fi
  printf '  round %d: window %8.1f ms (longest step %6.2f ms)   tollamar-cli info + exif %6d ms   ratio %.3f\n' \
    "$r" "$gui" "$step" "$cli" "$(echo "$gui / $cli" | bc -l)"
  if [[ -z "$best_gui" ]] || (( $(echo "$gui < $best_gui" | bc) )); then best_gui=$gui; fi
  if [[ -z "$best_cli" || $cli -lt $best_cli ]]; then best_cli=$cli; fi
  if (( $(echo "$step > $worst_step" | bc) )); then worst_step=$step; fi
done
printf 'best: window %.1f ms (%.2f ms a photo), tollamar-cli %d ms (%.2f ms a photo)\n' \
  "$best_gui" "$(echo "$best_gui / ${#files[@]}" | bc -l)" "$best_cli" "$(echo "$best_cli / ${#files[@]}" | bc -l)"
printf 'window / cli, best to best: %.3f (target <= 1.20); longest step of all rounds %.2f ms (target <= 50)\n' \
  "$(echo "$best_gui / $best_cli" | bc -l)" "$worst_step"
rm -rf "$work"
