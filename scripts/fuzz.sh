#!/usr/bin/env bash
# Runs every fuzz target (or the named ones) for SECONDS each, one after another, from the
# seed corpus in tests/fuzz/corpus/<target>/ and, before that, once on each of the large
# hostile inputs that tests/fuzz/make-large-seeds.sh writes. New inputs and any crash input
# stay in the build folder (fuzz-corpus/, fuzz-artifacts/), never in the repository.
# Usage: scripts/fuzz.sh [--build DIR] [SECONDS] [TARGET...]   (SECONDS: 600 by default)
set -euo pipefail
cd "$(dirname "$0")/.."
build=build-sanitize
if [ "${1:-}" = --build ]; then
  build="$2"
  shift 2
fi
seconds="${1:-600}"
[ $# -gt 0 ] && shift
targets=("$@")
[ ${#targets[@]} -eq 0 ] && targets=(grafa oldgraf matrixtext language settings graphml gml pajek edgelist dot csv)

if [ ! -f "$build/build.ninja" ]; then
  scripts/deps.sh sanitize
  CC=clang CXX=clang++ cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DNODELOOM_TESTS=OFF -DNODELOOM_SANITIZE=ON -DNODELOOM_FUZZ=ON >/dev/null
fi
cmake --build "$build" --target "${targets[@]/#/fuzz_}"
source scripts/sanitizer-env.sh
export QT_QPA_PLATFORM=offscreen
[ -d "$build/fuzz-large" ] || tests/fuzz/make-large-seeds.sh "$build/fuzz-large"

# The resource bound every input must keep (sanitizer shadow memory included), and the time
# after which one input counts as a hang.
limits=(-rss_limit_mb=1024 -malloc_limit_mb=256 -timeout=30)
failed=()
for target in "${targets[@]}"; do
  program="$build/tests/fuzz/fuzz_$target"
  corpus="$build/fuzz-corpus/$target"
  artifacts="$build/fuzz-artifacts/$target/"
  mkdir -p "$corpus" "$artifacts"
  log="$build/fuzz-$target.log"
  echo "== fuzz_$target: ${seconds} s (log: $log)"
  ok=1
  : >"$log"
  # libFuzzer runs each large file once and stops at the first that breaks a limit, so one
  # call per file names every such file.
  for input in "$build/fuzz-large/$target"/*; do
    [ -f "$input" ] || continue
    if ! "$program" "${limits[@]}" -artifact_prefix="$artifacts" "$input" >>"$log" 2>&1; then
      echo "   $(basename "$input"): $(grep -E 'ERROR' "$log" | tail -n 1)"
      ok=0
    fi
  done
  "$program" "${limits[@]}" -max_total_time="$seconds" -print_final_stats=1 -artifact_prefix="$artifacts" \
    "$corpus" "tests/fuzz/corpus/$target" >>"$log" 2>&1 || ok=0
  grep -E '^stat::number_of_executed_units|^Done [0-9]+ runs' "$log" | tail -n 1 || true
  if [ $ok -eq 0 ]; then
    grep -E 'ERROR|SUMMARY|Test unit written' "$log" | head -n 5 || true
    failed+=("$target")
  fi
done
if [ ${#failed[@]} -gt 0 ]; then
  echo "fuzzing found faults in: ${failed[*]}" >&2
  exit 1
fi
