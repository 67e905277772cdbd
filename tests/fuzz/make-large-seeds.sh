#!/usr/bin/env bash
# Writes the hostile inputs too large to keep in the repository into OUTDIR/<target>/:
# 1,024 labels of 10,000 characters, and one label of 10 MB, in both graph file formats.
# Usage: tests/fuzz/make-large-seeds.sh OUTDIR
set -euo pipefail
out="${1:?usage: $0 OUTDIR}"
mkdir -p "$out/grafa" "$out/oldgraf"
python3 - "$out" <<'PY'
import sys
out = sys.argv[1]
long_text = "L" * 10_000
huge_text = "H" * (10 * 1024 * 1024)
vertices = "[Main]\nIsOrint=0\nIsHaveCost=0\nPointCount=2\nGrafTitleType=0\nVersion=1\nCountLabel={count}\n" \
    "[Matrix]\nFrom1To2=1\nFrom2To1=1\n[GrafPosition]\nX1=40\nY1=50\nX2=90\nY2=50\n[Labels]\n"
def grafa(name, texts):
    with open(f"{out}/grafa/{name}", "w") as f:
        f.write(vertices.format(count=len(texts)))
        for i, text in enumerate(texts, 1):
            f.write(f"LabelText{i}={text}\nX{i}={10 * (i % 50)}\nY{i}={10 * (i // 50)}\n")
def oldgraf(name, texts):
    with open(f"{out}/oldgraf/{name}", "w") as f:
        f.write("0,1\n1,0\nXYposition\n40 50\n90 50\nLabels\n")
        for i, text in enumerate(texts, 1):
            f.write(f"{text}\n{10 * (i % 50)}\n{10 * (i // 50)}\n")
        f.write("EndLabel\n")
for write in (grafa, oldgraf):
    ext = "grafa" if write is grafa else "txt"
    write(f"hostile-1024-long-labels.{ext}", [long_text] * 1024)
    write(f"hostile-10mb-label.{ext}", [huge_text])
PY
