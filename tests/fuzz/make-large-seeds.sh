#!/usr/bin/env bash
# Writes the hostile inputs too large to keep in the repository into OUTDIR/<target>/:
# 1,024 labels of 10,000 characters, and one label of 10 MB, in both graph file formats; for
# each exchange format, a million vertices and tokens or strings of many megabytes (the
# inputs that once took all memory or minutes inside the libraries).
# Usage: tests/fuzz/make-large-seeds.sh OUTDIR
set -euo pipefail
out="${1:?usage: $0 OUTDIR}"
mkdir -p "$out/grafa" "$out/oldgraf" "$out/graphml" "$out/gml" "$out/pajek" "$out/edgelist" "$out/dot" "$out/csv"
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

def put(target, name, chunks):
    with open(f"{out}/{target}/{name}", "w") as f:
        for chunk in chunks:
            f.write(chunk)
million = range(1_000_000)
big = "t" * (8 * 1024 * 1024)
put("pajek", "hostile-10-million-declared.net", ["*Vertices 10000000\n*Arcs\n1 2\n"])
put("pajek", "hostile-long-label.net", ["*Vertices 1\n1 \"", big, "\"\n"])
put("edgelist", "hostile-8mb-token.edgelist", ["a ", big, "\n"])
put("edgelist", "hostile-million-names.edgelist", (f"v{i} w{i}\n" for i in million))
put("graphml", "hostile-million-nodes.graphml",
    ["<graphml><graph>"] + [f"<node id=\"n{i}\"/>" for i in million] + ["</graph></graphml>\n"])
put("graphml", "hostile-16mb-id.graphml", ["<graphml><graph><node id=\"", big, big, "\"/></graph></graphml>\n"])
put("graphml", "hostile-100000-keys.graphml",
    ["<graphml>"] + [f"<key id=\"k{i}\" for=\"node\" attr.name=\"a{i}\" attr.type=\"string\"/>\n"
                     for i in range(100_000)] + ["<graph/></graphml>\n"])
put("gml", "hostile-million-nodes.gml", ["graph [\n"] + [f"node [ id {i} ]\n" for i in million] + ["]\n"])
put("gml", "hostile-30mb-string.gml", ["graph [ label \"", big * 4, "\" node [ id 1 ] ]\n"])
put("dot", "hostile-million-nodes.dot", ["graph {\n"] + [f"v{i};\n" for i in million] + ["}\n"])
put("dot", "hostile-30mb-string.dot", ["graph { a [label=\"", big * 4, "\"] }\n"])
# Files just under their caps made of the longest tokens allowed.
token = "k" * 4096
put("edgelist", "hostile-longest-tokens.edgelist",
    (f"{i % 255}{token} {(i + 1) % 255}{token}\n" for i in range(5800)))
put("dot", "hostile-longest-strings.dot",
    ["digraph {\n"] + [f"a{i % 200} -> b{i % 50} [label=\"{token}\"];\n" for i in range(11500)] + ["}\n"])
put("gml", "hostile-longest-strings.gml",
    ["graph [\n"] + [f"node [ id {i} label \"{token}\" ]\n" for i in range(255)] +
    [f"edge [ source {i % 255} target {(i * 7) % 255} label \"{token}\" ]\n" for i in range(1700)] + ["]\n"])
put("graphml", "hostile-longest-values.graphml",
    ["<graphml><key id=\"d\" for=\"edge\" attr.name=\"d\" attr.type=\"string\"/><graph>"] +
    [f"<node id=\"n{i}\"/>" for i in range(255)] +
    [f"<edge source=\"n{i % 255}\" target=\"n{(i * 7) % 255}\"><data key=\"d\">{token * 16}</data></edge>\n"
     for i in range(700)] + ["</graph></graphml>\n"])
put("csv", "hostile-1000-columns.csv", [",".join("0" * 1000) + "\n" for _ in range(1000)])
PY
