#!/usr/bin/env bash
# Installs every package the project needs to build, run and test on Debian 12.
# Run as root; packages already present are left alone.
set -euo pipefail

PACKAGES=(
  build-essential cmake ninja-build pkg-config git
  qt6-base-dev qt6-base-dev-tools qt6-translations-l10n qt6-tools-dev libqt6opengl6-dev libgl-dev
  libgstreamer1.0-dev libgstreamer-plugins-base1.0-dev
  gstreamer1.0-plugins-base gstreamer1.0-plugins-good gstreamer1.0-tools
  gstreamer1.0-plugins-base-apps
  libpng-dev zlib1g-dev libgif-dev libcurl4-openssl-dev ca-certificates
  libgtest-dev libgmock-dev libbenchmark-dev
  xvfb xauth xdg-utils fonts-noto-cjk fonts-liberation
  python3 python3-pyftpdlib
)

missing=()
for p in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if ((${#missing[@]})); then
  if [[ $(id -u) -ne 0 ]]; then
    echo "setup: these packages are missing and installing them needs root: ${missing[*]}" >&2
    exit 1
  fi
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -q
  apt-get install -y -q --no-install-recommends "${missing[@]}"
fi
