#!/usr/bin/env bash
# The comment table verbs against the one-photo verbs a script would otherwise loop over:
#   comments over a tree   vs  comment over the same files (one process);
#   set-comments, a table  vs  set-comment once per photo, each with its own text, and
#                             vs  set-comment over all the photos with one text (the bare
#                                 cost of the rewrites, with no per-photo start-up).
# Prints per-photo times and the ratios measured in the same run.
#   bench/comments/catalogue.sh [READ_COUNT] [WRITE_COUNT] [ROUNDS]
set -euo pipefail
cd "$(dirname "$0")/../.."
read_count=${1:-5000}
write_count=${2:-1000}
rounds=${3:-3}
scripts/install-deps.sh bc
[[ -d build ]] || scripts/build.sh >/dev/null
cmake --build build --target tollamar-cli bench_make_photos >/dev/null
bin=$PWD/build/bin
work=${TMPDIR:-/tmp}/tollamar-bench-catalogue
rm -rf "$work"
mkdir -p "$work/read" "$work/write"

# Small photos with Exif dates and comments in both encodings, in 10 folders.
for d in $(seq 0 9); do
  mkdir -p "$work/read/$d" "$work/write/$d"
  "$bin/bench_make_photos" "$work/read/$d" $((read_count / 10)) 320 240 8000 exif
  "$bin/bench_make_photos" "$work/write/$d" $((write_count / 10)) 640 480 8000 exif
done
mapfile -t read_files < <(find "$work/read" -name '*.jpg' | sort)
mapfile -t write_files < <(find "$work/write" -name '*.jpg' | sort)
echo "read: ${#read_files[@]} photos of $(stat -c %s "${read_files[0]}") bytes;" \
     "write: ${#write_files[@]} photos of $(stat -c %s "${write_files[0]}") bytes; best of $rounds rounds"

source bench/timing.sh

# Every round gives each photo a new comment of its own, so that every photo is written.
set_each() {
  local i=0
  for f in "${write_files[@]}"; do "$bin/tollamar-cli" set-comment "$1 $((i++))" "$f"; done
}
table_for() {
  local i=0
  for f in "${write_files[@]}"; do printf '%s\t%s %d\n' "$f" "$1" $((i++)); done > "$work/table.tsv"
}
for r in $(seq 1 "$rounds"); do
  timeit cli_comment "$bin/tollamar-cli" comment "${read_files[@]}"
  timeit cli_comments "$bin/tollamar-cli" comments --subdir "$work/read"
  timeit cli_comments_json "$bin/tollamar-cli" comments --subdir --format json "$work/read"
  timeit set_comment_each set_each "round $r a"
  timeit set_comment_all "$bin/tollamar-cli" set-comment "round $r c" "${write_files[@]}"
  table_for "round $r b"
  timeit cli_set_comments "$bin/tollamar-cli" set-comments "$work/table.tsv"
  timeit cli_set_comments_same "$bin/tollamar-cli" set-comments "$work/table.tsv"
done

echo "Listing comments (${#read_files[@]} photos):"
for n in cli_comment cli_comments cli_comments_json; do report $n ${#read_files[@]} cli_comment; done
echo "Setting a comment per photo (${#write_files[@]} photos; _same: the table again, nothing to write):"
for n in set_comment_each set_comment_all cli_set_comments cli_set_comments_same; do
  report $n ${#write_files[@]} set_comment_each
done
report cli_set_comments ${#write_files[@]} set_comment_all
rm -rf "$work"
