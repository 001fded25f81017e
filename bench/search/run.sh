#!/usr/bin/env bash
# Comment search over a tree of small photos, timed side by side with a bare baseline
# (open, read 64 KiB, close each photo, given the list) and the tools a user would pick
# instead. Prints per-photo times and ratios measured in the same run.
#   bench/search/run.sh [PHOTOS] [ROUNDS]
# BENCH_BIN=folder uses programs already built there instead of building build/.
set -euo pipefail
cd "$(dirname "$0")/../.."
photos=${1:-10000}
rounds=${2:-7}
folders=100
scripts/install-deps.sh libimage-exiftool-perl bc
if [[ -z "${BENCH_BIN:-}" ]]; then scripts/build.sh >/dev/null; fi
bin=${BENCH_BIN:-$PWD/build/bin}
work=${TMPDIR:-/tmp}/tollamar-bench-search
rm -rf "$work"
mkdir -p "$work"

# Photos with comments "photo N at the sea with a boat" (N = 0..per folder - 1, in
# Shift-JIS and UTF-16 in turn) and real Exif data in an 8 KB APP1 block.
for d in $(seq -w 0 $((folders - 1))); do
  mkdir -p "$work/tree/$d"
  "$bin/bench_make_photos" "$work/tree/$d" $((photos / folders)) 320 240 8000 exif
done
mapfile -t files < <(find "$work/tree" -name '*.jpg' | sort)
echo "${#files[@]} photos of $(stat -c %s "${files[0]}") bytes in $folders folders; best of $rounds rounds"

keyword=(search --subdir "$work/tree" -- "photo 7")
exif=(search --subdir --maker canon --date-from 2004-03-01 --date-to 2004-09-30
      --time-from 20:00 --time-to 06:00 --flash on "$work/tree" -- sea)
echo "keyword search finds $("$bin/tollamar-cli" "${keyword[@]}" | wc -l);" \
     "with Exif conditions $("$bin/tollamar-cli" "${exif[@]}" | wc -l)"

source bench/timing.sh

for r in $(seq 1 "$rounds"); do
  timeit bare_read "$bin/bench_bare_read" "${files[@]}"
  timeit cli_keyword "$bin/tollamar-cli" "${keyword[@]}"
  timeit cli_exif "$bin/tollamar-cli" "${exif[@]}"
  timeit grep_rl grep -rl "photo 7" "$work/tree"
  [[ $r -le 1 ]] && timeit exiftool_if exiftool -q -r -if '$Comment =~ /photo 7/' \
    -p '$Directory/$FileName' "$work/tree"
done

report() {  # name
  printf '  %-12s %9.1f us/photo  %7.2fx bare_read\n' "$1" \
    "$(echo "${best[$1]} / ${#files[@]}" | bc -l)" "$(echo "${best[$1]} / ${best[bare_read]}" | bc -l)"
}
echo "Searching ${#files[@]} photos:"
for n in bare_read cli_keyword cli_exif grep_rl exiftool_if; do report $n; done
printf '  exiftool -if / tollamar-cli search: %.0fx\n' \
  "$(echo "${best[exiftool_if]} / ${best[cli_keyword]}" | bc -l)"
rm -rf "$work"
