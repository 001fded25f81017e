#!/usr/bin/env bash
# Builds the Debian package build/tollamar_<version>_<arch>.deb from a release build
# and prints its path. The package's dependencies come from dpkg-shlibdeps.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh dpkg-dev file
scripts/build.sh "${1:-RelWithDebInfo}" >&2
rm -f build/tollamar_*.deb
(cd build && cpack -G DEB >&2)
ls build/tollamar_*.deb
