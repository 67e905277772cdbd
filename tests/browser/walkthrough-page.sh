#!/usr/bin/env bash
# The walk-through page in a real browser: keys move the frame and the narration follows.
# Usage: tests/browser/walkthrough-page.sh BUILD_FOLDER
set -euo pipefail
build=$(cd "$1" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
"$build/nodeloom-cli" from-matrix $'0,4,0\n0,0,5\n0,0,0' example.grafa --directed --weighted
"$build/nodeloom-cli" run FindTraceDekctri example.grafa --from 1 --to 3 --walkthrough page.html >/dev/null

# The keys a student presses, dispatched as the browser dispatches a real key press.
probe() {
  cp page.html probe.html
  printf '<script>for (const key of [%s]) document.dispatchEvent(new KeyboardEvent("keydown", {key}));</script>\n' \
    "$1" >> probe.html
  timeout 60 chromium --headless --no-sandbox --disable-gpu --dump-dom "file://$work/probe.html" 2>/dev/null |
    grep -o '<div id="narration">[^<]*' | sed 's/<div id="narration">//'
}

failures=0
check() {
  local keys=$1 expected=$2 shown
  shown=$(probe "$keys")
  if [ "$shown" = "$expected" ]; then
    echo "ok: [$keys] -> $shown"
  else
    echo "FAILED: [$keys] shows '$shown', expected '$expected'"
    failures=$((failures + 1))
  fi
}
check '' 'Кадр 1 из 6 — Начинаем с вершины 1: расстояние до неё 0, до остальных ∞'
check '"ArrowRight"' 'Кадр 2 из 6 — Дуга 1 → 2: путь через 1 короче, расстояние до 2 теперь 4'
check '"End", "ArrowLeft"' 'Кадр 5 из 6 — Ближайшая незакреплённая вершина 3 закреплена с расстоянием 9'
check '"End", "Home"' 'Кадр 1 из 6 — Начинаем с вершины 1: расстояние до неё 0, до остальных ∞'
[ "$failures" -eq 0 ] && echo "4 passed, 0 failed" || { echo "$((4 - failures)) passed, $failures failed"; exit 1; }
