#!/usr/bin/env bash
# Configures and builds Tollamar in build/ (a build type may be given, default RelWithDebInfo).
# TOLLAMAR_WERROR=ON in the environment makes compiler warnings errors (./test.sh and CI
# set it); without it the build keeps what it was configured with, off on a fresh one.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE="${1:-RelWithDebInfo}" \
  ${TOLLAMAR_WERROR:+-DTOLLAMAR_WERROR="$TOLLAMAR_WERROR"} >/dev/null
cmake --build build -j"$(nproc)"
