#!/usr/bin/env bash
# The information window stepping through camera photos (on screen under Xvfb, on the
# given tab, the camera tab unless told, with the Exif details open) next to tollamar-cli info and exif over the same
# photos, each verb one process over all of them. Prints both times per round, the
# best of each, their ratio, and the window's longest single step (the longest time the
# interface thread took no event). Two more columns show where the time goes: the
# window's rebuilds without their painting, and tollamar-cli held to one core (it
# spreads the files over threads; the window has one interface thread).
# The window paints at most once a screen frame; its time leaves out the idle wait for
# the frame that paints the last photo, and includes that painting.
#   bench/info_window/run.sh [COUNT] [ROUNDS] [WIDTH] [HEIGHT] [file|camera|comment]
set -euo pipefail
cd "$(dirname "$0")/../.."
count=${1:-500}
rounds=${2:-3}
width=${3:-4000}
height=${4:-3000}
tab=${5:-camera}
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
echo "${#files[@]} photos of $width x $height, $(du -sk "$work/photos" | cut -f1) KB in all, $rounds rounds, $tab tab"
cat "${files[@]}" >/dev/null  # both sides read from the page cache

gui_run() {  # -> "ms longest_ms rebuild_ms"
  local out
  out=$(xvfb-run -a -s '-screen 0 1280x800x24' "$bin/bench_info_window" --tab="$tab" "${files[@]}" 2>&1) || {
    echo "$out" >&2; exit 1; }
  echo "$out" | awk '/^gui_run_ms/ {a = $2} /^longest_step_ms/ {b = $2} /^rebuild_ms/ {c = $2} END {print a, b, c}'
}
cli_run() {  # [taskset -c 0] -> ms of info and exif
  local t0 t1
  t0=$(date +%s%N)
  "$@" "$bin/tollamar-cli" info "${files[@]}" >/dev/null
  "$@" "$bin/tollamar-cli" exif "${files[@]}" >/dev/null
  t1=$(date +%s%N)
  echo $(( (t1 - t0) / 1000000 ))
}

best_gui=; best_rebuild=; best_cli=; best_one=; worst_step=0
smaller() { [[ -z "$1" ]] || (( $(echo "$2 < $1" | bc) )); }
for r in $(seq 1 "$rounds"); do
  if (( r % 2 )); then read -r gui step rebuild < <(gui_run); cli=$(cli_run); one=$(cli_run taskset -c 0)
  else one=$(cli_run taskset -c 0); cli=$(cli_run); read -r gui step rebuild < <(gui_run); fi
  printf '  round %d: window %7.1f ms (rebuilds %6.1f, longest step %5.2f)   tollamar-cli %5d ms (one core %5d)   ratio %.2f\n' \
    "$r" "$gui" "$rebuild" "$step" "$cli" "$one" "$(echo "$gui / $cli" | bc -l)"
  if smaller "$best_gui" "$gui"; then best_gui=$gui; fi
  if smaller "$best_rebuild" "$rebuild"; then best_rebuild=$rebuild; fi
  if smaller "$best_cli" "$cli"; then best_cli=$cli; fi
  if smaller "$best_one" "$one"; then best_one=$one; fi
  if (( $(echo "$step > $worst_step" | bc) )); then worst_step=$step; fi
done
per() { echo "$1 / ${#files[@]}" | bc -l; }
printf 'best: window %.1f ms (%.2f ms a photo; rebuilds alone %.2f), tollamar-cli %d ms (%.2f ms a photo; one core %.2f)\n' \
  "$best_gui" "$(per "$best_gui")" "$(per "$best_rebuild")" "$best_cli" "$(per "$best_cli")" "$(per "$best_one")"
printf 'window / cli, best to best: %.2f (target <= 1.20); rebuilds alone / cli on one core: %.2f\n' \
  "$(echo "$best_gui / $best_cli" | bc -l)" "$(echo "$best_rebuild / $best_one" | bc -l)"
printf 'longest step of all rounds: %.2f ms (target <= 50)\n' "$worst_step"
rm -rf "$work"
