#!/usr/bin/env bash
# Installs what is missing, builds, and starts Tollamar on FOLDER (default: the sample album).
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-deps.sh
scripts/build.sh
album=build/samples/album
[[ -d "$album" ]] || build/bin/make_samples "$album"
folder="${1:-$album}"
echo "The Tollamar window is not built yet; the comments of the photos in $folder:"
shopt -s nullglob nocaseglob
photos=("$folder"/*.jpg "$folder"/*.jpeg)
[[ ${#photos[@]} -gt 0 ]] || { echo "no JPEG photos in $folder"; exit 0; }
build/bin/tollamar-cli comment "${photos[@]}"
