#!/usr/bin/env bash
# Installs the Debian packages the project needs, skipping those already present.
# The one list of what the build, the tests, the fuzzers and the end-to-end run need.
set -euo pipefail

packages=(
    cmake
    g++
    qt6-base-dev
    qt6-image-formats-plugins
    fonts-liberation2
    libgtest-dev
    libgmock-dev
    libbenchmark-dev
    clang-14
    libclang-rt-14-dev
    libx11-dev
    xvfb
    xdotool
    imagemagick
    xclip
    desktop-file-utils
    appstream
    man-db
    dpkg-dev
)

missing=()
for p in "${packages[@]}"; do
    if [ "$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null)" != "install ok installed" ]; then
        missing+=("$p")
    fi
done

if [ ${#missing[@]} -eq 0 ]; then
    exit 0
fi

echo "Installing: ${missing[*]}"
if [ "$(id -u)" -eq 0 ]; then
    sudo=()
else
    sudo=(sudo)
fi
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update
"${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y "${missing[@]}"
