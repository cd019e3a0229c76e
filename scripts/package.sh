#!/usr/bin/env bash
# Builds the Debian package: installs what is missing, builds (Release, in build/) and
# runs CPack, which writes maporv_<version>_<arch>.deb into OUTPUT_FOLDER (default
# build/package/) and names it. Install it with
#   sudo apt-get install ./build/package/maporv_<version>_<arch>.deb
#
# Usage: scripts/package.sh [OUTPUT_FOLDER]
set -euo pipefail
# A folder given is taken from where the script was started.
output=${1:+$(realpath -m -- "$1")}
cd "$(dirname "$0")/.."
output=${output:-$PWD/build/package}

./scripts/install-deps.sh

jobs=$(nproc 2>/dev/null || echo 2)
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release
cmake --build build -j "$jobs"

mkdir -p "$output"
cpack -G DEB --config build/CPackConfig.cmake -B "$output"
# CPack leaves its staging folder beside the package.
rm -rf "$output/_CPack_Packages"
