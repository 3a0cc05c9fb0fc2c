#!/usr/bin/env bash
# Installs what Orbiquest9 needs to build, run and test on Debian or Ubuntu.
set -euo pipefail

packages=(
    build-essential cmake ninja-build
    qt6-base-dev qt6-base-dev-tools qt6-image-formats-plugins libgl-dev libxcb1-dev
    qt6-charts-dev libqt6opengl6-dev qt6-svg-dev libeigen3-dev
    qt6-tools-dev qt6-l10n-tools qt6-translations-l10n
    libcli11-dev nlohmann-json3-dev
    fonts-noto-cjk
    xvfb xauth xdotool imagemagick
    dpkg-dev
    clang libclang-rt-dev clang-format
)

missing=()
for package in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' || missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
