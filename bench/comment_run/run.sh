#!/usr/bin/env bash
# The comment command's set-all run from the window (progress dialog on screen, under
# Xvfb) next to tollamar-cli set-comment over the same photos, round after round.
# Prints both times per round, the best of each and their ratio: what the dialog, its
# event processing and the refresh of the list entries add to the writes.
#   bench/comment_run/run.sh [COUNT] [ROUNDS]
set -euo pipefail
cd "$(dirname "$0")/../.."
count=${1:-1000}
rounds=${2:-3}
scripts/install-deps.sh xvfb xauth xdotool bc
# TOLLAMAR_BIN: the folder of already built programs (no build then).
if [[ -z "${TOLLAMAR_BIN:-}" ]]; then scripts/build.sh >/dev/null; fi
bin=${TOLLAMAR_BIN:-$PWD/build/bin}
work=${TMPDIR:-/tmp}/tollamar-bench-comment-run
photos=$work/photos
rm -rf "$work"
mkdir -p "$photos" "$work/one"
export XDG_CONFIG_HOME=$work/config

# One photo of about 3 MB with Exif, copied.
"$bin/bench_make_photos" "$work/one" 1 2000 1500 12000 exif
for i in $(seq -w 1 "$count"); do cp "$work/one/IMG_00000.jpg" "$photos/IMG_$i.jpg"; done
files=("$photos"/*.jpg)
echo "${#files[@]} photos of $(stat -c %s "${files[0]}") bytes, $rounds rounds"

gui_run() {  # text -> ms of the run inside its dialog
  local out
  out=$(xvfb-run -a -s '-screen 0 1280x800x24' "$bin/bench_comment_run" "$photos" "$1" 2>&1) || {
    echo "$out" >&2; exit 1; }
  echo "$out" | awk '/^gui_run_ms/ {print $2}'
}
cli_run() {  # text -> ms
  local t0 t1
  t0=$(date +%s%N)
  "$bin/tollamar-cli" set-comment "$1" "${files[@]}"
  t1=$(date +%s%N)
  echo $(( (t1 - t0) / 1000000 ))
}

# The machine's other work and the disk's writeback make single runs vary by 10-20 %;
# the order alternates so that neither side always follows the other's writeback.
best_gui=; best_cli=; ratios=()
for r in $(seq 1 "$rounds"); do
  sync
  if (( r % 2 )); then
    gui=$(gui_run "round $r 窓から"); sync; cli=$(cli_run "round $r 端末から")
  else
    cli=$(cli_run "round $r 端末から"); sync; gui=$(gui_run "round $r 窓から")
  fi
  ratio=$(echo "$gui / $cli" | bc -l)
  ratios+=("$ratio")
  printf '  round %d: window %6d ms   tollamar-cli %6d ms   ratio %.3f\n' "$r" "$gui" "$cli" "$ratio"
  [[ -z "$best_gui" || $gui -lt $best_gui ]] && best_gui=$gui
  [[ -z "$best_cli" || $cli -lt $best_cli ]] && best_cli=$cli
done
median=$(printf '%s\n' "${ratios[@]}" | sort -g | awk '{a[NR] = $1} END {print (NR % 2) ? a[(NR + 1) / 2] : (a[NR / 2] + a[NR / 2 + 1]) / 2}')
printf 'best: window %d ms (%.2f ms a photo), tollamar-cli %d ms (%.2f ms a photo)\n' \
  "$best_gui" "$(echo "$best_gui / ${#files[@]}" | bc -l)" "$best_cli" "$(echo "$best_cli / ${#files[@]}" | bc -l)"
printf 'window / cli: best to best %.3f, median of the rounds %.3f (target <= 1.10)\n' \
  "$(echo "$best_gui / $best_cli" | bc -l)" "$median"
rm -rf "$work"
