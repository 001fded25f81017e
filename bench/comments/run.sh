#!/usr/bin/env bash
# Reading and writing comments, and reading the Exif values and summaries, timed side by
# side with a bare baseline and the tools a user would pick instead. Prints per-file
# times and ratios measured in the same run.
#   bench/comments/run.sh [READ_COUNT] [WRITE_COUNT] [ROUNDS]
set -euo pipefail
cd "$(dirname "$0")/../.."
read_count=${1:-5000}
write_count=${2:-300}
rounds=${3:-5}
scripts/install-deps.sh jhead libimage-exiftool-perl bc
scripts/build.sh >/dev/null
bin=$PWD/build/bin
work=${TMPDIR:-/tmp}/tollamar-bench-comments
rm -rf "$work"
mkdir -p "$work/read" "$work/write"

# Small photos with comments and Exif data, in 10 folders.
for d in $(seq 0 9); do
  mkdir -p "$work/read/$d"
  "$bin/bench_make_photos" "$work/read/$d" $((read_count / 10)) 320 240 8000 exif
done
mapfile -t read_files < <(find "$work/read" -name '*.jpg' | sort)
# One 3 MB photo, copied.
"$bin/bench_make_photos" "$work/write" 1 1600 1200 12000
for i in $(seq 1 "$write_count"); do cp "$work/write/IMG_00000.jpg" "$work/write/copy_$i.jpg"; done
rm "$work/write/IMG_00000.jpg"
mapfile -t write_files < <(find "$work/write" -name '*.jpg' | sort)
echo "read: ${#read_files[@]} photos of $(stat -c %s "${read_files[0]}") bytes;" \
     "write: ${#write_files[@]} photos of $(stat -c %s "${write_files[0]}") bytes; best of $rounds rounds"

source bench/timing.sh

one=("${read_files[0]}")
for r in $(seq 1 "$rounds"); do
  timeit bare_read "$bin/bench_bare_read" "${read_files[@]}"
  timeit cli_comment "$bin/tollamar-cli" comment "${read_files[@]}"
  timeit cli_values "$bin/tollamar-cli" values "${read_files[@]}"
  timeit cli_summary "$bin/tollamar-cli" summary "${read_files[@]}"
  timeit jhead_read jhead "${read_files[@]}"
  # One file: the start-up cost, taken off to give the cost of each further file.
  timeit bare_read_1 "$bin/bench_bare_read" "${one[@]}"
  timeit cli_comment_1 "$bin/tollamar-cli" comment "${one[@]}"
  timeit cli_values_1 "$bin/tollamar-cli" values "${one[@]}"
  timeit cli_summary_1 "$bin/tollamar-cli" summary "${one[@]}"
  timeit jhead_read_1 jhead "${one[@]}"
  [[ $r -le 2 ]] && timeit exiftool_read exiftool -q -Comment "${read_files[@]}"
  timeit bare_rewrite "$bin/bench_bare_rewrite" "${write_files[@]}"
  timeit cli_set_comment "$bin/tollamar-cli" set-comment "round $r comment" "${write_files[@]}"
  timeit jhead_cl jhead -cl "round $r comment" "${write_files[@]}"
  [[ $r -le 1 ]] && timeit exiftool_write exiftool -q -overwrite_original -Comment="round $r" "${write_files[@]}"
done

echo "Reading comments, Exif values and summaries (${#read_files[@]} files), whole runs:"
for n in bare_read cli_comment cli_values cli_summary jhead_read exiftool_read; do
  report $n ${#read_files[@]} bare_read
done
echo "The same per further file (the one-file run taken off; jhead prints its own summary):"
for n in bare_read cli_comment cli_values cli_summary jhead_read; do
  best[${n}_each]=$(( best[$n] - best[${n}_1] ))
done
for n in bare_read cli_comment cli_values cli_summary jhead_read; do
  report ${n}_each $(( ${#read_files[@]} - 1 )) bare_read_each
done
echo "Writing comments (${#write_files[@]} files):"
for n in bare_rewrite cli_set_comment jhead_cl exiftool_write; do report $n ${#write_files[@]} bare_rewrite; done
printf '  exiftool / tollamar-cli: read %.0fx, write %.1fx\n' \
  "$(echo "${best[exiftool_read]} / ${best[cli_comment]}" | bc -l)" \
  "$(echo "${best[exiftool_write]} / ${best[cli_set_comment]}" | bc -l)"
rm -rf "$work"
