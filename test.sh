#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test through ctest.
# The exit status is ctest's.
set -euo pipefail
cd "$(dirname "$0")"

./scripts/install-deps.sh

jobs=$(nproc 2>/dev/null || echo 2)

cmake -S . -B build -DCMAKE_BUILD_TYPE=Release
cmake --build build -j "$jobs"

cd build
exec ctest --output-on-failure -j "$jobs"
