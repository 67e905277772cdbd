#!/usr/bin/env bash
# The walk-through page in a real browser: keys move the frame and the narration follows; the
# task, drawing, narration and controls fit one laptop screen and a phone's width; the printed
# page is a handout of every frame without the controls.
# Usage: tests/browser/walkthrough-page.sh BUILD_FOLDER
set -euo pipefail
build=$(cd "$1" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
cli="$build/nodeloom-cli"
"$cli" from-matrix $'0,4,0\n0,0,5\n0,0,0' example.grafa --directed --weighted
"$cli" run FindTraceDekctri example.grafa --from 1 --to 3 --walkthrough page.html >/dev/null
"$cli" generate gnp 12 0.3 --seed 3 --weights 1..20 --layout kk gnp.grafa >/dev/null
"$cli" run FindTraceDekctri gnp.grafa --from 1 --to 12 --walkthrough gnp.html >/dev/null

chrome() { timeout 120 chromium --headless --no-sandbox --disable-gpu --hide-scrollbars "$@" 2>/dev/null; }

failures=0
passed=0
verdict() { # name, shown, expected
  if [ "$2" = "$3" ]; then
    echo "ok: $1"
    passed=$((passed + 1))
  else
    echo "FAILED: $1: shows '$2', expected '$3'"
    failures=$((failures + 1))
  fi
}

# The keys a student presses, dispatched as the browser dispatches a real key press.
probe() {
  cp page.html probe.html
  printf '<script>for (const key of [%s]) document.dispatchEvent(new KeyboardEvent("keydown", {key}));</script>\n' \
    "$1" >> probe.html
  chrome --dump-dom "file://$work/probe.html" | grep -o 'id="narration"[^>]*>[^<]*' | sed 's/^[^>]*>//'
}
check() { verdict "[$1]" "$(probe "$1")" "$2"; }
check '' 'Кадр 1 из 6 — Начинаем с вершины 1: расстояние до неё 0, до остальных ∞'
check '"ArrowRight"' 'Кадр 2 из 6 — Дуга 1 → 2: путь через 1 короче, расстояние до 2 теперь 4'
check '"End", "ArrowLeft"' 'Кадр 5 из 6 — Ближайшая незакреплённая вершина 3 закреплена с расстоянием 9'
check '"End", "Home"' 'Кадр 1 из 6 — Начинаем с вершины 1: расстояние до неё 0, до остальных ∞'

# What the page shows in a window of the given size, measured by the browser's own layout: the
# words of the result are written into the page's title, which the dump keeps.
measure() { # page, width, height
  cp "$1" measure.html
  cat >> measure.html <<'EOF'
<script>
const inside = (e) => { const r = e.getBoundingClientRect();
  return r.width > 0 && r.top >= 0 && r.left >= 0 && r.bottom <= innerHeight && r.right <= innerWidth; };
const buttons = [...document.querySelectorAll('#bar button')];
const words = [];
words.push('controls-' + (buttons.length === 5 && buttons.every(inside) && inside(document.getElementById('slider')) ? 'in' : 'out'));
words.push('narration-' + (inside(document.getElementById('narration')) ? 'in' : 'out'));
const drawing = document.getElementById('graph').getBoundingClientRect();
words.push('drawing-' + (drawing.height >= 150 && drawing.width >= 150 ? 'shown' : 'small'));
words.push('wide-' + (document.documentElement.scrollWidth > innerWidth ? 'yes' : 'no'));
words.push('svg-buttons-' + (buttons.every((b) => b.querySelector('svg') && b.textContent.trim() === b.title) ? 'yes' : 'no'));
words.push('legend-' + document.querySelectorAll('#legend li').length);
words.push('task-' + (document.getElementById('task').textContent.includes('gnp.grafa') ? 'yes' : 'no'));
words.push('answer-' + (document.querySelector('#answer pre').textContent.length > 0 ? 'yes' : 'no'));
words.push('live-' + document.getElementById('narration').getAttribute('aria-live'));
words.push('svg-title-' + (document.querySelector('#graph > title') ? 'yes' : 'no'));
const label = Math.min(...[...document.querySelectorAll('#graph .weight')].map((e) => e.getBoundingClientRect().height));
words.push('labels-' + (label >= 10 ? 'readable' : 'tiny'));
document.title = words.join(' ');
</script>
EOF
  chrome --window-size="$2,$3" --dump-dom "file://$work/measure.html" | grep -o '<title>[^<]*' | head -1 | sed 's/<title>//'
}
# Dijkstra uses start, finish, current, frontier and finished vertices, chosen and rejected arcs,
# the distance captions and the table marks: nine legend rows.
verdict 'laptop screen 1366×768' "$(measure gnp.html 1366 768)" \
  'controls-in narration-in drawing-shown wide-no svg-buttons-yes legend-9 task-yes answer-yes live-polite svg-title-yes labels-readable'
verdict 'phone width 400×800' "$(measure gnp.html 400 800)" \
  'controls-in narration-in drawing-shown wide-no svg-buttons-yes legend-9 task-yes answer-yes live-polite svg-title-yes labels-readable'

# Printed: the task, the legend and one panel per frame with its narration, no controls.
chrome --no-pdf-header-footer --print-to-pdf="$work/handout.pdf" "file://$work/gnp.html" >/dev/null
pdftotext -layout handout.pdf handout.txt
frames=$(python3 - <<'EOF'
import json, re
page = open('gnp.html', encoding='utf-8').read()
data = re.search(r'<script id="frames" type="application/json">(.*?)</script>', page, re.S).group(1)
print(len(json.loads(data)))
EOF
)
panels=$(tr -s ' \n' '  ' < handout.txt | grep -o 'Кадр [0-9]* —' | sort -u | wc -l)
verdict 'every frame printed as a panel' "$panels" "$frames"
printed=$(for word in Задача Обозначения Ответ Скорость; do grep -q "$word" handout.txt && echo -n "$word+ " || echo -n "$word- "; done)
verdict 'printed task, legend and answer, no controls' "$printed" 'Задача+ Обозначения+ Ответ+ Скорость- '

total=$((passed + failures))
echo "$passed passed, $failures failed"
[ "$failures" -eq 0 ] || exit 1
[ "$total" -gt 0 ]
