#!/usr/bin/env bash
# Runs every algorithm on every stored graph and writes every format of each graph with
# nodeloom-cli, and compares a digest of each output with tests/golden/expected.sha256.
# Inner changes to the code (storage, names, layers) must leave every output as it was.
#
#   tests/golden/golden.sh CLI            compare; lists the outputs that changed
#   tests/golden/golden.sh CLI --update   writes expected.sha256 anew
#   tests/golden/golden.sh CLI --keep DIR leaves the outputs in DIR to look at
set -euo pipefail
cli="$(realpath "$1")"
shift
mode=compare
keep=""
case "${1:-}" in
  "") ;;
  --update) mode=update ;;
  --keep) keep="$2" ;;
  *) echo "usage: $0 CLI [--update|--keep DIR]" >&2; exit 2 ;;
esac
here="$(cd "$(dirname "$0")" && pwd)"
cd "$here"
out="$(mktemp -d)"
trap 'rm -rf "$out"' EXIT

# Relative names only: outputs that quote the file name must not depend on the checkout.
graphs=(graphs/*.grafa)
for name in $("$cli" list | cut -f1); do
  # One run per file: a refusal is an output too, and its exit code is kept beside it.
  for g in "${graphs[@]}"; do
    base="$(basename "$g" .grafa)"
    code=0
    "$cli" run "$name" "$g" --from 1 --to 3 --json "$out/$name.$base.json" \
      --report "$out/$name.$base.html" --steps "$out/$name.$base.steps" --image "$out/$name.$base.svg" \
      >"$out/$name.$base.out" 2>"$out/$name.$base.err" || code=$?
    echo "$code" >"$out/$name.$base.code"
  done
done
for g in "${graphs[@]}"; do
  base="$(basename "$g" .grafa)"
  "$cli" matrix "$g" >"$out/matrix.$base.txt" 2>&1 || true
  for ext in grafa graphml gml dot net txt svg; do
    "$cli" convert "$g" "$out/convert.$base.$ext" >/dev/null 2>"$out/convert.$base.$ext.err" || true
  done
done

# A digest's first 16 hex digits are plenty to tell a changed output.
(cd "$out" && find . -type f -printf '%P\n' | LC_ALL=C sort | xargs sha256sum | cut -c1-16,65-) >"$out.sums"
if [ -n "$keep" ]; then
  mkdir -p "$keep" && cp -r "$out"/. "$keep"/
fi
if [ $mode = update ]; then
  mv "$out.sums" expected.sha256
  echo "wrote $(wc -l <expected.sha256) digests"
  exit 0
fi
if diff <(cat expected.sha256) "$out.sums" >"$out.diff"; then
  rm -f "$out.sums"
  echo "all $(wc -l <expected.sha256) outputs as before"
  exit 0
fi
rm -f "$out.sums"
echo "outputs that changed:"
grep '^[<>]' "$out.diff" | awk '{print $3}' | sort -u
exit 1
