#!/usr/bin/env bash
# Takes doc/screenshot.png: the main window with the image and information windows,
# on the sample album with one photo current, under a virtual X server and openbox,
# with settings of its own (the user's are not read or changed).
# usage: screenshot.sh [OUT.png]
set -euo pipefail
cd "$(dirname "$0")/.."
out=$(realpath -m "${1:-doc/screenshot.png}")
scripts/install-deps.sh xvfb openbox x11-utils xdotool imagemagick
scripts/build.sh >/dev/null

scratch=$(mktemp -d)
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  wait 2>/dev/null || true
  rm -rf "$scratch"
}
trap cleanup EXIT

build/bin/make_samples "$scratch/album" >/dev/null
export HOME=$scratch/home XDG_CONFIG_HOME=$scratch/home/.config LANG=C.UTF-8
mkdir -p "$HOME"
unset WAYLAND_DISPLAY QT_QPA_PLATFORM

display=99
while [[ -e /tmp/.X11-unix/X$display || -e /tmp/.X$display-lock ]]; do display=$((display + 1)); done
export DISPLAY=:$display
Xvfb "$DISPLAY" -screen 0 1280x800x24 -nolisten tcp &
pids+=($!)
until xwininfo -root >/dev/null 2>&1; do sleep 0.1; done
openbox &
pids+=($!)

build/bin/Tollamar "$scratch/album/IMG_0003.jpg" &
pids+=($!)
window=$(timeout 20 xdotool search --sync --onlyvisible --name '^Tollamar$' | head -n 1) ||
  { echo "screenshot.sh: the Tollamar window did not appear" >&2; exit 1; }
# Room for the three panes, then time for the thumbnails and the picture to load.
xdotool windowsize "$window" 1180 720 windowmove "$window" 40 30
sleep 3
import -window "$window" -frame "$out"
echo "$out"
