#!/usr/bin/env bash
# Installs the Debian packages the build needs, where they are missing.
set -euo pipefail
pkgs=(build-essential cmake ninja-build ccache googletest libgtest-dev libgmock-dev libbenchmark-dev
      libpng-dev libfreetype-dev fonts-dejavu-core fonts-dejavu-extra libx11-dev libxext-dev libxtst-dev xvfb libxml2-dev
      lld)
missing=()
for p in "${pkgs[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  echo "installing: ${missing[*]}"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}"
fi
