#!/usr/bin/env bash
# Builds the Debian package: installs what is missing, builds what the package holds
# (Release, in build-package/, with the distribution's hardening flags) and runs CPack,
# which writes maporv_<version>_<arch>.deb into OUTPUT_FOLDER (default build/package/)
# and names it. Install it with
#   sudo apt-get install ./build/package/maporv_<version>_<arch>.deb
#
# Usage: scripts/package.sh [OUTPUT_FOLDER]
set -euo pipefail
# A folder given is taken from where the script was started.
output=${1:+$(realpath -m -- "$1")}
cd "$(dirname "$0")/.."
output=${output:-$PWD/build/package}

./scripts/install-deps.sh

# The compiler and linker flags a Debian package is built with, every hardening feature
# included (fortified functions, stack protector, read-only relocations bound at start).
# CMake takes no CPPFLAGS, so they go with the compiler's flags. A folder of its own
# keeps them out of build/, which the other scripts share. CPack installs without
# building everything first (the tests, the benchmarks): maporv_dist is what installs.
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
eval "$(dpkg-buildflags --export=sh)"
jobs=$(nproc 2>/dev/null || echo 2)
cmake -S . -B build-package -DCMAKE_BUILD_TYPE=Release -DMAPORV_SANITIZED_TWINS=OFF \
    -DCMAKE_SKIP_INSTALL_ALL_DEPENDENCY=ON \
    -DCMAKE_CXX_FLAGS="$CPPFLAGS $CXXFLAGS" -DCMAKE_EXE_LINKER_FLAGS="$LDFLAGS"
cmake --build build-package -j "$jobs" --target maporv_dist

mkdir -p "$output"
cpack -G DEB --config build-package/CPackConfig.cmake -B "$output"
# CPack leaves its staging folder beside the package.
rm -rf "$output/_CPack_Packages"
