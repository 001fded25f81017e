#!/usr/bin/env bash
# Opening big folders in the window, under Xvfb: a folder of 10,000 small photos with
# embedded thumbnails and one of 200 12-megapixel photos without. For each: the time
# from DoSelFolder to the first painted screen of rows, the time until every entry is
# filled, the longest idle step and the peak resident memory, next to the time
# tollamar-cli takes for the same reading (comment, summary, thumbnail) of the same files.
#   bench/folder/run.sh [SMALL_COUNT] [LARGE_COUNT] [THUMBNAIL_SAMPLE]
# THUMBNAIL_SAMPLE: the thumbnail verb takes one photo per process, so it runs on that
# many photos and is scaled up to the whole folder (0: every photo).
set -euo pipefail
cd "$(dirname "$0")/../.."
small_count=${1:-10000}
large_count=${2:-200}
sample=${3:-1000}
scripts/install-deps.sh xvfb xauth bc
# TOLLAMAR_BIN: the folder of already built programs (no build then).
if [[ -z "${TOLLAMAR_BIN:-}" ]]; then scripts/build.sh >/dev/null; fi
bin=${TOLLAMAR_BIN:-$PWD/build/bin}
work=${TMPDIR:-/tmp}/tollamar-bench-folder
mkdir -p "$work"
small=$work/small-$small_count
large=$work/large-$large_count
[[ -d "$small" ]] || "$bin/bench_make_folder" "$small" "$small_count" 640 480 --thumbnail
[[ -d "$large" ]] || "$bin/bench_make_folder" "$large" "$large_count" 4000 3000
export XDG_CONFIG_HOME=$work/config

ms() { echo "($2 - $1) / 1000000" | bc; }

cli_time() {  # folder thumbnail-args...  -> prints ms for comment + summary + thumbnails
  local folder=$1; shift
  local files=("$folder"/*.jpg) n t0 t1 t2 t3 t4 each
  n=${#files[@]}
  t0=$(date +%s%N)
  printf '%s\0' "${files[@]}" | xargs -0 "$bin/tollamar-cli" comment >/dev/null 2>&1 || true
  t1=$(date +%s%N)
  printf '%s\0' "${files[@]}" | xargs -0 "$bin/tollamar-cli" summary >/dev/null 2>&1 || true
  t2=$(date +%s%N)
  local take=$n
  [[ $sample -gt 0 && $sample -lt $n ]] && take=$sample
  for ((i = 0; i < take; i++)); do
    "$bin/tollamar-cli" thumbnail "$@" "${files[$i]}" "$work/out.$$" >/dev/null 2>&1 || true
  done
  t3=$(date +%s%N)
  # Start-up: the same verb on a file that does not exist ends right after it.
  for ((i = 0; i < 50; i++)); do "$bin/tollamar-cli" thumbnail "$@" "$work/none.jpg" "$work/out.$$" >/dev/null 2>&1 || true; done
  t4=$(date +%s%N)
  each=$(echo "($t4 - $t3) / 50" | bc)
  local thumbs start
  thumbs=$(echo "($t3 - $t2) * $n / $take / 1000000" | bc)
  start=$(echo "$each * $n / 1000000" | bc)
  echo "  tollamar-cli comment        $(ms "$t0" "$t1") ms"
  echo "  tollamar-cli summary        $(ms "$t1" "$t2") ms"
  echo "  tollamar-cli thumbnail      $thumbs ms (one process per photo; $take timed, scaled to $n)"
  echo "  of which start-up and exit  $start ms ($((each / 1000)) us a process)"
  cli_sum=$(( $(ms "$t0" "$t1") + $(ms "$t1" "$t2") + thumbs ))
  cli_work=$(( cli_sum - start ))
  echo "  sum                         $cli_sum ms; without the thumbnail verb's start-ups $cli_work ms"
}

run_window() {  # folder
  xvfb-run -a -s '-screen 0 1280x800x24' "$bin/bench_folder" "$1" 2>/dev/null | sed 's/^/  /'
}

for case in "$small|--embedded" "$large|--size 64x48"; do
  folder=${case%%|*}
  opts=${case#*|}
  echo "== $(basename "$folder"): $(ls "$folder" | wc -l) photos, $(du -sm "$folder" | cut -f1) MB"
  echo "window (targets: first paint <= 300 ms, idle step <= 400 ms, fill <= 1.5x cli, memory < 150 MB):"
  out=$(run_window "$folder")
  echo "$out"
  echo "tollamar-cli for the same reading:"
  # shellcheck disable=SC2086
  cli_time "$folder" $opts
  filled=$(echo "$out" | awk '/all_filled_ms/ {print $2}')
  printf '  fill / cli sum: %.2f; fill / cli work without start-ups: %.2f\n' \
    "$(echo "$filled / $cli_sum" | bc -l)" "$(echo "$filled / $cli_work" | bc -l)"
done
rm -f "$work/out.$$"
