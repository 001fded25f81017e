#!/usr/bin/env bash
# Full screen on 12-megapixel photos, under Xvfb and openbox: stepping through PHOTOS
# photos with the comment band on, each step timed from the key to the new picture on
# screen against a bare in-process libjpeg float decode of the same file (target: at
# most 1.10x), and every paint checked for a comment that belongs to another photo
# than the picture under it (target: none).
#   bench/full_screen/run.sh [PHOTOS] [ROUNDS]
set -euo pipefail
cd "$(dirname "$0")/../.."
photos=${1:-100}
rounds=${2:-1}
scripts/install-deps.sh xvfb xauth openbox
if [[ -z "${TOLLAMAR_BIN:-}" ]]; then scripts/build.sh >/dev/null; fi
bin=${TOLLAMAR_BIN:-$PWD/build/bin}
work=${TMPDIR:-/tmp}/tollamar-bench-full-screen
photos_dir=$work/photos-$photos
[[ -d "$photos_dir" ]] || "$bin/bench_make_folder" "$photos_dir" "$photos" 4000 3000
cat "$photos_dir"/*.jpg >/dev/null  # every run reads from the page cache
export XDG_CONFIG_HOME=$work/config
echo "== stepping through $photos photos of 12 MP in full screen, $rounds round(s)"
# A window manager, as on a desktop: full screen is its business.
xvfb-run -a -s '-screen 0 1600x1000x24' sh -c 'openbox >/dev/null 2>&1 & wm=$!; sleep 1; "$0" "$@"; status=$?; kill $wm; exit $status' \
  "$bin/bench_full_screen" "$photos_dir" "$rounds" 2>/dev/null
