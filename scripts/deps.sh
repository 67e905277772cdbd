#!/usr/bin/env bash
# Installs the Debian packages that are missing; does nothing when all are present.
# Usage: scripts/deps.sh run|test|sanitize|browser|bench|package
set -euo pipefail

packages=(cmake ninja-build g++ pkg-config qt6-base-dev qt6-svg-dev libgl-dev qt6-qpa-plugins fonts-dejavu-core
  libboost-graph-dev qt6-translations-l10n libigraph-dev libgraphviz-dev libxml2-dev)
case "${1:-run}" in
  run) ;;
  # poppler-utils reads the built manual back (pdfinfo, pdftotext); the validators of the desktop
  # entry and the software-centre entry check the installed files (their test skips without them);
  # python3-html5lib parses the walk-through page as a browser would.
  test) packages+=(libgtest-dev clang-format poppler-utils desktop-file-utils appstream python3-html5lib) ;;
  # clang with its sanitizer and libFuzzer runtimes; llvm's symbolizer names the lines in reports.
  sanitize) packages+=(libgtest-dev clang-format poppler-utils clang libclang-rt-14-dev llvm python3-html5lib) ;;
  # A real browser for the walk-through page; too large for the plain test run.
  browser) packages+=(libgtest-dev clang-format poppler-utils chromium) ;;
  bench) packages+=(libbenchmark-dev time) ;;
  # dpkg-shlibdeps computes the .deb's dependencies from the binaries.
  package) packages+=(dpkg-dev file) ;;
  *) echo "usage: $0 run|test|sanitize|browser|bench|package" >&2; exit 2 ;;
esac

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo_cmd=()
[ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -qq
"${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
