#!/usr/bin/env bash
# Installs what is missing, checks the code format, builds a Release build with the tests and
# runs every test. NODELOOM_WERROR=ON (as CI sets it) turns warnings into errors.
#
# ./test.sh --sanitize builds the tests and the fuzz targets with clang, AddressSanitizer and
# UndefinedBehaviorSanitizer in build-sanitize, runs every test there (any finding fails the
# run) and then each fuzz target for a short while (FUZZ_SECONDS, 20 by default).
#
# ./test.sh --browser installs headless Chromium (large, so never part of the plain run),
# builds as the plain run does and opens the walk-through page in it, pressing keys.
set -euo pipefail
cd "$(dirname "$0")"
sanitize=0
browser=0
case "${1:-}" in
  "") ;;
  --sanitize) sanitize=1 ;;
  --browser) browser=1 ;;
  *) echo "usage: $0 [--sanitize|--browser]" >&2; exit 2 ;;
esac

if [ $browser -eq 1 ]; then
  scripts/deps.sh browser
elif [ $sanitize -eq 0 ]; then
  scripts/deps.sh test
else
  scripts/deps.sh sanitize
fi
git ls-files -z '*.cpp' '*.h' 2>/dev/null | xargs -0 -r clang-format --dry-run --Werror
export QT_QPA_PLATFORM=offscreen

if [ $sanitize -eq 0 ]; then
  cmake -S . -B build-test -G Ninja -DCMAKE_BUILD_TYPE=Release -DNODELOOM_TESTS=ON -DNODELOOM_BENCH=OFF \
    -DNODELOOM_WERROR="${NODELOOM_WERROR:-OFF}" >/dev/null
  cmake --build build-test
  if [ $browser -eq 1 ]; then
    tests/browser/walkthrough-page.sh build-test
    exit 0
  fi
  cd build-test
  ctest --output-on-failure -j "$(nproc)" --timeout 300
  exit 0
fi

CC=clang CXX=clang++ cmake -S . -B build-sanitize -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DNODELOOM_TESTS=ON -DNODELOOM_BENCH=OFF -DNODELOOM_SANITIZE=ON -DNODELOOM_FUZZ=ON \
  -DNODELOOM_WERROR="${NODELOOM_WERROR:-OFF}" >/dev/null
cmake --build build-sanitize
source scripts/sanitizer-env.sh
# Every sanitized snapshot, unpacking and comparison of a history state costs many times the Release
# one: the history property test plays a twentieth of its sequences here.
export NODELOOM_PROPERTY_SCALE="${NODELOOM_PROPERTY_SCALE:-20}"
(cd build-sanitize && ctest --output-on-failure -j "$(nproc)" --timeout 900)
scripts/fuzz.sh --build build-sanitize "${FUZZ_SECONDS:-20}"
