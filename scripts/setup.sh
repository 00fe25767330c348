#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, and nothing else.
# Each package is checked first; apt-get runs only when something is missing.
set -euo pipefail
packages=(cmake g++ make qt6-base-dev qt6-qpa-plugins libgl-dev fonts-liberation
          libgtest-dev googletest libbenchmark-dev nlohmann-json3-dev)
packages+=("$@")
missing=()
for p in "${packages[@]}"; do
    dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y --no-install-recommends "${missing[@]}"
