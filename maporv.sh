#!/usr/bin/env bash
# Installs what is missing, builds the editor and the tool in Release and starts the
# editor with an optional FILE. On a first start (no FILE and no last opened file in
# the settings) it opens the demo map.
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

# Only what runs here; ./test.sh builds the tests, benchmarks and the rest.
jobs=$(nproc 2>/dev/null || echo 2)
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release
cmake --build build -j "$jobs" --target maporv maporv-tool

# The demo scenario a newcomer opens first, made by the project's own generator.
demo=$PWD/build/demo/SCENARIO/DEMO.MAP
[ -f "$demo" ] || build/src/tool/maporv-tool make-demo build/demo

# The editor's settings (Qt's INI file of organisation Osk_Tools, application MapOrv);
# the value of LastOpen in its [Settings] section, empty before the first start.
last_open() {
    local config=${XDG_CONFIG_HOME:-${HOME:-}/.config}
    [ -r "$config/Osk_Tools/MapOrv.conf" ] || return 0
    awk '/^\[/ { section = $0 } section == "[Settings]" && sub(/^LastOpen=/, "") { print }' \
        "$config/Osk_Tools/MapOrv.conf"
}
if [ $# -eq 0 ] && [ -z "$(last_open)" ]; then
    args=("$demo")
fi

exec build/src/app/maporv ${args[@]+"${args[@]}"}
