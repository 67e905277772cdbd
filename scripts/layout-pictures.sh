#!/usr/bin/env bash
# Draws the README's before-and-after pictures of a force-directed layout with nodeloom-cli:
# a random graph on a circle, then the same graph laid out by Fruchterman-Reingold.
# Usage: scripts/layout-pictures.sh [BUILD_DIR] (default build-test)
set -euo pipefail
cd "$(dirname "$0")/.."
cli="${1:-build-test}/nodeloom-cli"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
"$cli" generate gnm 24 34 "$work/tangle.grafa" --seed 4 --layout circle
"$cli" convert "$work/tangle.grafa" docs/layout-before.png
"$cli" layout fr "$work/tangle.grafa" docs/layout-after.png --seed 1
