#!/usr/bin/env bash
# Builds the Debian package: a Release build in build-package, then CPack, whose
# dependencies are computed from the binaries by dpkg-shlibdeps.
#
# Usage: scripts/package.sh            -> build-package/nodeloom_<version>_<arch>.deb
# Install it with: sudo apt install ./build-package/nodeloom_*.deb
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh run
scripts/deps.sh package
cmake -S . -B build-package -G Ninja -DCMAKE_BUILD_TYPE=Release -DNODELOOM_TESTS=OFF -DNODELOOM_BENCH=OFF \
  -DNODELOOM_WERROR="${NODELOOM_WERROR:-OFF}" >/dev/null
cmake --build build-package
(cd build-package && cpack -G DEB)
ls -1 build-package/nodeloom_*.deb
