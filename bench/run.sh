#!/usr/bin/env bash
# Builds and runs the benchmarks (never part of CI).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh bench
cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DNODELOOM_TESTS=OFF -DNODELOOM_BENCH=ON >/dev/null
cmake --build build-bench --target nodeloom_bench
QT_QPA_PLATFORM=offscreen build-bench/nodeloom_bench --benchmark_repetitions=5 --benchmark_report_aggregates_only=true "$@"
