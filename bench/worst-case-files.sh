#!/usr/bin/env bash
# Every worst-case input file through `nodeloom-cli matrix`, one process each: the seconds and
# the peak memory it takes to accept or refuse the file and answer with its matrix (the target:
# at most 0.2 s and 100 MB for any file, of which the program's own start takes about 0.03 s and
# 22 MB). The files are the fuzzers' large hostile seeds and the largest graph the program holds
# written in every format. Never part of CI.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh bench
cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DNODELOOM_TESTS=OFF -DNODELOOM_BENCH=ON >/dev/null
cmake --build build-bench --target nodeloom-cli
cli="$PWD/build-bench/nodeloom-cli"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
tests/fuzz/make-large-seeds.sh "$work/seeds" >/dev/null

# The largest graph: complete, directed, weighted, names of 100 two-byte letters.
"$cli" generate complete 255 "$work/k255.grafa" --directed --weights 10000..50000 --naming manual >/dev/null
python3 - "$work/k255.grafa" <<'PY'
import re, sys
path = sys.argv[1]
text = open(path, encoding="utf-8").read()
text = re.sub(r"Title(\d+)=.*", lambda m: f"Title{m.group(1)}=" + (f"В{int(m.group(1)):03d}" + "ж" * 100)[:100], text)
open(path, "w", encoding="utf-8").write(text)
PY
mkdir -p "$work/seeds/largest"
for ext in graphml gml dot net edgelist csv; do
  "$cli" convert "$work/k255.grafa" "$work/seeds/largest/k255-long-names.$ext" >/dev/null
done

# Seconds of processor time (user and system) besides the wall clock: on a busy machine the
# wall clock also counts the waiting.
printf '%-44s %10s %8s %8s %8s  %s\n' file bytes seconds cpu MB exit
for file in "$work"/seeds/*/*; do
  status=0
  /usr/bin/time -f '%e %U %S %M' -o "$work/time" "$cli" matrix "$file" >/dev/null 2>&1 || status=$?
  # /usr/bin/time writes a "Command exited" line first when the status is not 0.
  read -r seconds user system kilobytes < <(tail -n 1 "$work/time")
  printf '%-44s %10d %8s %8.2f %8d  %d\n' "$(basename "$(dirname "$file")")/$(basename "$file")" \
    "$(stat -c %s "$file")" "$seconds" "$(awk -v u="$user" -v s="$system" 'BEGIN { print u + s }')" $((kilobytes / 1024)) "$status"
done
