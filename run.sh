#!/usr/bin/env bash
# Installs what is missing, builds, and starts the Tollamar window on FOLDER (default:
# the sample album, generated on first use).
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-deps.sh
scripts/build.sh
album=build/samples/album
[[ -d "$album" ]] || build/bin/make_samples "$album"
exec build/bin/Tollamar "${1:-$album}"
