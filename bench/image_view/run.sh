#!/usr/bin/env bash
# The image window on 12-megapixel photos, under Xvfb: the time from selecting a row to
# the full picture on screen on a cache miss, against a bare in-process libjpeg float
# decode of the same file (target: at most 1.10x); a cache hit (target: at most 20 ms);
# the longest stall of the interface thread while decodes run (target: at most 50 ms);
# and 30 presses of the down arrow in 1.5 s (targets: at most one decode running after
# the last key; peak memory at most the cache budget + 2 full bitmaps + 100 MB).
#   bench/image_view/run.sh [PHOTOS] [ROUNDS] [STEP_CACHE_MB]
set -euo pipefail
cd "$(dirname "$0")/../.."
photos=${1:-4}
rounds=${2:-3}
step_cache=${3:-64}
scripts/install-deps.sh xvfb xauth
if [[ -z "${TOLLAMAR_BIN:-}" ]]; then scripts/build.sh >/dev/null; fi
bin=${TOLLAMAR_BIN:-$PWD/build/bin}
work=${TMPDIR:-/tmp}/tollamar-bench-image
view=$work/view-$photos
steps=$work/steps-40
[[ -d "$view" ]] || "$bin/bench_make_folder" "$view" "$photos" 4000 3000
[[ -d "$steps" ]] || "$bin/bench_make_folder" "$steps" 40 4000 3000
cat "$view"/*.jpg "$steps"/*.jpg >/dev/null  # every run reads from the page cache
export XDG_CONFIG_HOME=$work/config
run() { xvfb-run -a -s '-screen 0 1600x1000x24' "$bin/bench_image_view" "$@" 2>/dev/null; }
echo "== selecting $photos photos of 12 MP, $rounds round(s)"
run "$view" view "$rounds"
echo "== 30 down-arrow presses in 1.5 s over 40 photos of 12 MP, cache budget $step_cache MB"
echo "   (memory target: $step_cache + 2 x 46 + 100 = $((step_cache + 92 + 100)) MB)"
run "$steps" step "$step_cache"
