#!/usr/bin/env bash
# Thumbnails and full-size decodes of 12-megapixel photos, timed side by side in one run:
# Tollamar's thumbnail path and its full-size decode against a bare in-process libjpeg
# decode with the same settings, djpeg and vipsthumbnail. Prints ms per photo and ratios.
#   bench/thumbnails/run.sh [PHOTOS] [ROUNDS]
set -euo pipefail
cd "$(dirname "$0")/../.."
photos=${1:-3}
rounds=${2:-7}
scripts/install-deps.sh libjpeg-turbo-progs libvips-tools
scripts/build.sh >/dev/null
bin=$PWD/build/bin
work=${TMPDIR:-/tmp}/tollamar-bench-thumbnails
rm -rf "$work"
mkdir -p "$work"
"$bin/bench_thumbnails" generate "$work" "$photos" 4000 3000
echo "photos: $photos of 4000 x 3000, $(du -k "$work" | cut -f1) KB in all"
"$bin/bench_thumbnails" time "$rounds" "$work"/*.jpg
rm -rf "$work"
