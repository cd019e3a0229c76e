#!/usr/bin/env bash
# Installs what is missing, builds in Release and starts the editor with an optional FILE.
set -euo pipefail
# A relative FILE means where the script was started, not the repository: made absolute
# before the cd below. Options pass as they are.
args=()
for arg in "$@"; do
    case "$arg" in
        "" | -*) args+=("$arg") ;;
        *) args+=("$(realpath -m -- "$arg")") ;;
    esac
done
cd "$(dirname "$0")"

./scripts/install-deps.sh

jobs=$(nproc 2>/dev/null || echo 2)
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release
cmake --build build -j "$jobs"

# The demo scenario a newcomer opens first, made by the project's own generator.
[ -f build/demo/SCENARIO/DEMO.MAP ] || build/src/tool/maporv-tool make-demo build/demo

if [ -x build/src/app/maporv ]; then
    exec build/src/app/maporv ${args[@]+"${args[@]}"}
fi
exec build/src/tool/maporv-tool --help
