#!/usr/bin/env bash
# Installs what is missing, builds a Release build and starts Nodeloom.
set -euo pipefail
cd "$(dirname "$0")"
scripts/deps.sh run
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release -DNODELOOM_TESTS=OFF >/dev/null
cmake --build build --target nodeloom nodeloom-cli
exec build/nodeloom "$@"
