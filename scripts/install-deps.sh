#!/usr/bin/env bash
# Installs the Debian 12 packages the program needs to build, run and test; only what is missing.
set -euo pipefail

packages=(cmake ninja-build g++ pkg-config qt6-base-dev qt6-svg-dev libgtest-dev libbenchmark-dev
          libx11-dev libxtst-dev fontconfig fonts-liberation2 fonts-dejavu-core xvfb xauth x11-utils
          xclip poppler-utils openbabel python3-rdkit clang libclang-rt-14-dev)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  sudo_cmd=()
  if [ "$(id -u)" -ne 0 ]; then sudo_cmd=(sudo); fi
  "${sudo_cmd[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
