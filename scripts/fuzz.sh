#!/usr/bin/env bash
# Builds the libFuzzer harnesses with clang and runs each for SECONDS (default 60).
# Corpora grow in build-fuzz/corpus/<harness>; seeds come from the sample generator.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-60}"
CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DTOLLAMAR_FUZZ=ON -DTOLLAMAR_TESTS=OFF -DTOLLAMAR_BENCH=OFF -DTOLLAMAR_GUI=OFF -DTOLLAMAR_WERROR=ON >/dev/null
cmake --build build-fuzz -j"$(nproc)" --target fuzzers make_samples
seeds=build-fuzz/seeds
[[ -d "$seeds" ]] || build-fuzz/bin/make_samples --seeds "$seeds"
for harness in build-fuzz/bin/*_fuzz; do
  name=$(basename "$harness")
  mkdir -p "build-fuzz/corpus/$name"
  echo "-- $name"
  log="build-fuzz/$name.log"
  if ! "$harness" -max_total_time="$seconds" -print_final_stats=1 -rss_limit_mb=4096 \
       "build-fuzz/corpus/$name" "$seeds" >"$log" 2>&1; then
    tail -60 "$log"
    echo "$name found a fault (log: $log)"
    exit 1
  fi
  grep -E 'stat::number_of_executed_units' "$log" || true
done
