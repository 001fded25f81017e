#!/usr/bin/env bash
# Kills tollamar-cli set-comment (SIGKILL, now and then SIGINT) at random moments over
# copies of a 3 MB photo, then checks every name: a complete JPEG whose image data equals
# the original's. Prints photos lost, cut off and with backups or temporary files left,
# then the cost of a rewrite against the bare durable replacement (bench_bare_rewrite).
#   bench/kill_soak/run.sh [ROUNDS] [PHOTOS]
set -euo pipefail
cd "$(dirname "$0")/../.."
rounds=${1:-200}
count=${2:-20}
scripts/install-deps.sh bc python3
# TOLLAMAR_BIN: the folder of already built programs (no build then).
if [[ -z "${TOLLAMAR_BIN:-}" ]]; then scripts/build.sh >/dev/null; fi
bin=${TOLLAMAR_BIN:-$PWD/build/bin}
work=${TMPDIR:-/tmp}/tollamar-kill-soak
photos=$work/photos
rm -rf "$work"
mkdir -p "$photos" "$work/one"

"$bin/bench_make_photos" "$work/one" 1 2000 1500 12000 exif
original=$work/one/IMG_00000.jpg
for i in $(seq -w 1 "$count"); do cp "$original" "$photos/IMG_$i.jpg"; done
files=("$photos"/*.jpg)
echo "$rounds rounds over ${#files[@]} photos of $(stat -c %s "$original") bytes"

# How long one uninterrupted run takes: the kills fall anywhere inside it.
t0=$(date +%s%N); "$bin/tollamar-cli" set-comment "warm-up" "${files[@]}"; t1=$(date +%s%N)
run_us=$(( (t1 - t0) / 1000 ))

check() {  # prints: lost cut backups temporaries
  python3 - "$original" "$photos" "$count" <<'PY'
import os, sys
orig, folder, count = sys.argv[1], sys.argv[2], int(sys.argv[3])
def image(data):  # from the first SOS marker on
    at = data.find(b'\xff\xda')
    return data[at:] if data.startswith(b'\xff\xd8') and at > 0 else None
want = image(open(orig, 'rb').read())
names = os.listdir(folder)
lost = cut = 0
for i in range(1, count + 1):
    name = os.path.join(folder, 'IMG_%0*d.jpg' % (len(str(count)), i))
    if not os.path.exists(name):
        lost += 1
    elif image(open(name, 'rb').read()) != want:
        cut += 1
backups = sum(1 for n in names if n[-4:-3] == '.' and n[-3:].isdigit())
temps = sum(1 for n in names if n.startswith('.tollamar-'))
print(lost, cut, backups, temps)
PY
}

total_lost=0 total_cut=0 total_backups=0 total_temps=0 killed=0
for r in $(seq 1 "$rounds"); do
  "$bin/tollamar-cli" set-comment "round $r: $RANDOM" "${files[@]}" >/dev/null 2>&1 &
  pid=$!
  sleep "$(echo "scale=6; $RANDOM % 1000 * $run_us / 1000 / 1000000" | bc)"
  signal=KILL; (( r % 10 == 0 )) && signal=INT
  kill -s $signal $pid 2>/dev/null && killed=$((killed + 1)) || true
  wait $pid 2>/dev/null || true
  read -r lost cut backups temps < <(check)
  total_lost=$((total_lost + lost)) total_cut=$((total_cut + cut))
  total_backups=$((total_backups + backups)) total_temps=$((total_temps + temps))
  if (( lost + cut > 0 )); then echo "round $r: $lost lost, $cut cut off" >&2; fi
  # What a kill left beside the photos is cleared as a user would, through recover.
  if (( backups + temps > 0 )); then
    "$bin/tollamar-cli" recover --apply "$photos" >/dev/null
    # A backup beside a whole photo is what the user deletes after reading the list.
    rm -f "$photos"/*.jpg.[0-9][0-9][0-9]
  fi
done
echo "kills that landed: $killed of $rounds"
echo "photos lost: $total_lost; cut off or changed image data: $total_cut"
echo "leftovers after a kill: backups $total_backups, temporary files $total_temps (removed by recover --apply)"

# The cost of a rewrite: enough copies that tollamar-cli's start-up (25-30 ms) weighs little.
mkdir -p "$work/timing"
for i in $(seq -w 1 50); do cp "$original" "$work/timing/IMG_$i.jpg"; done
timing=("$work/timing"/*.jpg)
source bench/timing.sh
for r in 1 2 3 4 5; do
  timeit bare_rewrite "$bin/bench_bare_rewrite" "${timing[@]}"
  timeit cli_set_comment "$bin/tollamar-cli" set-comment "timing $r" "${timing[@]}"
done
printf 'rewrite of %d photos: tollamar-cli %.1f ms/photo, bare durable replacement %.1f ms/photo, ratio %.2fx\n' \
  "${#timing[@]}" \
  "$(echo "${best[cli_set_comment]} / ${#timing[@]} / 1000" | bc -l)" \
  "$(echo "${best[bare_rewrite]} / ${#timing[@]} / 1000" | bc -l)" \
  "$(echo "${best[cli_set_comment]} / ${best[bare_rewrite]}" | bc -l)"
rm -rf "$work"
