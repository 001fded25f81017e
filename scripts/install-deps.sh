#!/usr/bin/env bash
# Installs the Debian packages Tollamar needs that are missing (through sudo when not
# root). Extra package names may be given as arguments.
set -euo pipefail

packages=(cmake ninja-build g++ pkg-config qt6-base-dev libjpeg62-turbo-dev libgtest-dev
          libimage-exiftool-perl exiv2 libjpeg-turbo-progs fonts-noto-cjk
          fonts-noto-color-emoji qt6-translations-l10n strace util-linux bsdutils "$@")

missing=()
for p in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
  [[ "$status" == "install ok installed" ]] || missing+=("$p")
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

sudo=()
[[ $(id -u) -eq 0 ]] || sudo=(sudo)
echo "Installing: ${missing[*]}"
"${sudo[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
