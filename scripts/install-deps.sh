#!/usr/bin/env bash
# Installs what building, running and testing printer-test need on Debian 12 (run as root).
set -euo pipefail
packages=(
    cmake ninja-build g++ clang-14 libclang-rt-14-dev clang-format
    qt6-base-dev libgtest-dev libgmock-dev libbenchmark-dev
    fonts-liberation fonts-dejavu-core
    xvfb xauth xdotool imagemagick
    nodejs
    desktop-file-utils appstream dpkg-dev man-db
)
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
# npm comes with some builds of nodejs and as a package of its own in Debian's.
command -v npm >/dev/null 2>&1 || missing+=(npm)
if ((${#missing[@]})); then
    apt-get update -qq
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
