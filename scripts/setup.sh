#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, and nothing else, and generates
# the locales the tests run under. Each package and locale is checked first; apt-get runs only
# when something is missing.
set -euo pipefail
packages=(cmake g++ make qt6-base-dev qt6-qpa-plugins libgl-dev fonts-liberation
          libgtest-dev googletest libbenchmark-dev nlohmann-json3-dev locales
          libxlsxwriter-dev poppler-utils unzip libxml2-utils)
packages+=("$@")
# Besides C, the tests run under a comma-decimal locale and try a few more.
test_locales=(de_DE fr_FR tr_TR)

sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"

missing=()
for p in "${packages[@]}"; do
    dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    export DEBIAN_FRONTEND=noninteractive
    $sudo apt-get update -qq
    $sudo apt-get install -y --no-install-recommends "${missing[@]}"
fi

installed=$(locale -a 2>/dev/null | tr 'A-Z' 'a-z')
for l in "${test_locales[@]}"; do
    name=$(echo "$l.utf8" | tr 'A-Z' 'a-z')
    if ! grep -qx "$name" <<<"$installed"; then
        echo "Generating locale $l.UTF-8"
        $sudo localedef -i "$l" -c -f UTF-8 -A /usr/share/locale/locale.alias "$l.UTF-8"
    fi
done
