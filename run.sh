#!/usr/bin/env bash
# Installs what is missing, builds, and starts the Tollamar window on FOLDER (default:
# the sample album, generated on first use).
set -euo pipefail
# A folder given relative to where the user stands, before moving to the project.
folder=""
[[ $# -gt 0 ]] && folder=$(realpath -m -- "$1")
cd "$(dirname "$0")"
scripts/install-deps.sh
scripts/build.sh
album=build/samples/album
[[ -d "$album" ]] || build/bin/make_samples "$album"
exec build/bin/Tollamar "${folder:-$album}"
