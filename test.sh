#!/usr/bin/env bash
# Installs what is missing, builds a Release build with the tests and runs every test.
set -euo pipefail
cd "$(dirname "$0")"
scripts/deps.sh test
cmake -S . -B build-test -G Ninja -DCMAKE_BUILD_TYPE=Release -DNODELOOM_TESTS=ON -DNODELOOM_BENCH=OFF >/dev/null
cmake --build build-test
export QT_QPA_PLATFORM=offscreen
cd build-test
ctest --output-on-failure -j "$(nproc)" --timeout 300
