#!/usr/bin/env bash
# Installs what is missing, checks the code format, builds a Release build with the tests and
# runs every test. NODELOOM_WERROR=ON (as CI sets it) turns warnings into errors.
set -euo pipefail
cd "$(dirname "$0")"
scripts/deps.sh test
git ls-files -z '*.cpp' '*.h' 2>/dev/null | xargs -0 -r clang-format --dry-run --Werror
cmake -S . -B build-test -G Ninja -DCMAKE_BUILD_TYPE=Release -DNODELOOM_TESTS=ON -DNODELOOM_BENCH=OFF \
  -DNODELOOM_WERROR="${NODELOOM_WERROR:-OFF}" >/dev/null
cmake --build build-test
export QT_QPA_PLATFORM=offscreen
cd build-test
ctest --output-on-failure -j "$(nproc)" --timeout 300
