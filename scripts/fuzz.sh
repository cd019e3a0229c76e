#!/usr/bin/env bash
# Fuzzes every reader for SECONDS (default 60) each with libFuzzer (clang-14).
# New interesting inputs go to build-fuzz/corpus/<target>; a crash is written into the
# committed corpus, tests/fuzz/corpus/<target>/, so that ./test.sh keeps replaying it.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-60}
targets=(mapfile names s16 bmp shp recovery)

./scripts/install-deps.sh
cmake -S . -B build-fuzz -DMAPORV_FUZZ=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_COMPILER=clang++-14 -DCMAKE_C_COMPILER=clang-14
cmake --build build-fuzz -j "$(nproc 2>/dev/null || echo 2)"

status=0
for target in "${targets[@]}"; do
    work="build-fuzz/corpus/$target"
    mkdir -p "$work"
    echo "== fuzz_$target for ${seconds}s"
    if ! "build-fuzz/tests/fuzz/fuzz_$target" "$work" "tests/fuzz/corpus/$target" \
        -max_total_time="$seconds" -max_len=200000 -timeout=10 -rss_limit_mb=4096 \
        -artifact_prefix="tests/fuzz/corpus/$target/crash-" -print_final_stats=1 2>&1 |
        grep -E '^(stat::number_of_executed_units|stat::peak_rss|==|SUMMARY|#[0-9]+ +DONE)'; then
        status=1
    fi
done
exit $status
