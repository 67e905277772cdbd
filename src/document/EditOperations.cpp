// The operations that change the graph; each keeps the document's invariants.
#include "base/TranslationManager.h"
#include "document/GraphDocument.h"

#include <QFontMetrics>
#include <algorithm>

void GraphDocument::StartNewGraph(bool directed, bool weighted)
{
    Directed = directed;
    Weighted = weighted;
    if (weighted)
        MapMode = 0;

    VertexCount = 0;
    Vertices.assign(1, VertexRecord{});
    SetOutLists({});
    NameNumberUsed.fill(0);
    ActiveVertex = ActiveArcTail = ActiveArcHead = TargetVertex = ActiveLabel = 0;
}

void GraphDocument::AddVertex(int x, int y, const QString& name, int titleNumber, int radius)
{
    if (VertexCount >= MaxVertices || titleNumber < 1 || titleNumber > MaxVertices)
        return;
    ++VertexCount;
    Vertices.push_back(VertexRecord{x, y, radius, titleNumber, 0});
    AddOutList();
    GrowExtent(x + radius, y + radius);
    NameNumberUsed[titleNumber] = 1;
    if (IsManualNaming())
        naming->SetManualName(titleNumber, name);
}

void GraphDocument::DeleteVertex(int v)
{
    if (v < 1 || v > VertexCount)
        return;
    const int n = VertexCount;
    const int k = Vertices[v].NameNumber;
    if (k >= 1 && k <= MaxVertices)
        NameNumberUsed[k] = 0;
    naming->ClearManualName(k);

    // Vertices above v move down by one index with their out-lists; every arc into v goes, and
    // every head above v follows its vertex.
    Vertices.erase(Vertices.begin() + v);
    RemoveVertexArcs(v);
    VertexCount = n - 1;
}

void GraphDocument::DeleteAllVertices()
{
    // What deleting them one at a time leaves, without renumbering the rest each time.
    for (int v = 1; v <= VertexCount; ++v) {
        const int k = Vertices[std::size_t(v)].NameNumber;
        if (k >= 1 && k <= MaxVertices)
            NameNumberUsed[k] = 0;
        naming->ClearManualName(k);
    }
    Vertices.resize(1);
    SetOutLists({});
    VertexCount = 0;
}

void GraphDocument::AddArc(int a, int b, int cost)
{
    if (a == b || a < 1 || b < 1 || a > VertexCount || b > VertexCount)
        return;
    auto addOne = [this, cost](int tail, int head) {
        ArcRecord* arc = FindArc(tail, head);
        if (!arc)
            arc = &AppendArc(tail, head);
        arc->Weight = cost;
        arc->Active = 0;
        arc->Marker = 0;
        CenterArcText(tail, head);
    };
    addOne(a, b);
    if (!Directed)
        addOne(b, a);
}

void GraphDocument::DeleteArc(int a, int b)
{
    auto removeOne = [this](int tail, int head) {
        const int k = ArcIndex(tail, head);
        if (k >= 0)
            RemoveArcAt(tail, k);
    };
    removeOne(a, b);
    if (!Directed)
        removeOne(b, a);
}

void GraphDocument::SetArcWeight(int a, int b, int cost)
{
    // Only an arc has a weight.
    if (ArcRecord* arc = FindArc(a, b))
        arc->Weight = cost;
    else
        return;
    if (!Directed)
        if (ArcRecord* back = FindArc(b, a))
            back->Weight = cost;
}

void GraphDocument::MeasureLabel(LabelRecord& label) const
{
    const QFontMetrics normal(NormalLabelStyle.Font());
    const QFontMetrics active(ActiveLabelStyle.Font());
    label.Width = normal.horizontalAdvance(label.Text);
    label.Height = normal.height();
    label.ActiveWidth = active.horizontalAdvance(label.Text);
    label.ActiveHeight = active.height();
}

QString GraphDocument::LabelTextFromFile(const QString& text, bool& cut)
{
    if (text.size() <= MaxLabelText)
        return text;
    cut = true;
    return text.left(MaxLabelText);
}

QString GraphDocument::CutName(const QString& name, bool& cut)
{
    if (name.size() <= MaxNameLength)
        return name;
    cut = true;
    return name.left(MaxNameLength);
}

bool GraphDocument::AddLabel(const QString& text, int x, int y)
{
    if (LabelCount >= MaxLabels)
        return false;
    ++LabelCount;
    LabelRecord& label = Labels.emplace_back();
    label.X = x;
    label.Y = y;
    label.Text = text;
    if (MeasuresLabels)
        MeasureLabel(label);
    return true;
}

void GraphDocument::DeleteLabel(int i)
{
    if (i < 1 || i > LabelCount)
        return;
    Labels.erase(Labels.begin() + i);
    --LabelCount;
}

void GraphDocument::DeleteAllLabels()
{
    Labels.resize(1);
    LabelCount = 0;
}

void GraphDocument::EditLabelText(int i, const QString& text)
{
    if (i >= 1 && i <= LabelCount)
        Labels[i].Text = text;
}

void GraphDocument::ToDirected()
{
    Directed = true;
}

void GraphDocument::ToWeighted()
{
    Weighted = true;
}

void GraphDocument::ToUnweighted()
{
    if (!Weighted)
        return;
    for (int a = 1; a <= VertexCount; ++a)
        for (ArcRecord& arc : OutRecords(a))
            arc.Weight = 1;
    Weighted = false;
}

bool GraphDocument::ToUndirected(UserPrompts& prompts)
{
    if (!Directed) {
        prompts.ShowError(Translate("Graf_is_not_orint"));
        return false;
    }
    // A failed rebuild must leave the graph exactly as it was, so keep what it replaces.
    const std::vector<OutArcList> saved = AllOutLists();

    Directed = false;
    const int n = VertexCount;
    // The matrix reader takes its matrix as [head][tail].
    auto import = std::make_unique<VertexMatrix<int>>();
    for (int a = 1; a <= n; ++a)
        for (int b : OutArcs(a))
            (*import)[b][a] = MatrixEntry(a, b);
    for (int a = 1; a <= n; ++a)
        for (int k = 1; k <= n; ++k)
            if ((*import)[a][k] > 0 && (*import)[k][a] <= 0)
                (*import)[k][a] = (*import)[a][k];

    if (!BuildFromMatrix(*import, n, prompts)) {
        prompts.ShowError(Translate("Happend_error"));
        Directed = true;
        SetOutLists(saved);
        return false;
    }
    CenterAllArcTexts();
    return true;
}

bool GraphDocument::BuildFromMatrix(const VertexMatrix<int>& import, int n, UserPrompts& prompts)
{
    n = std::clamp(n, 0, VertexCount);
    ClearArcs();
    for (int d = 1; d <= n; ++d) {
        int count = 0;
        for (int i = 1; i <= n; ++i)
            count += import[i][d] != 0 && i != d;
        ReserveArcs(d, count);
    }
    for (int d = 1; d <= n; ++d)
        for (int i = 1; i <= n; ++i) {
            const int v = import[i][d];
            if (v == 0 || i == d)
                continue;
            AppendArc(d, i).Weight = v;
            if (!Weighted && v > 1) {
                prompts.ShowError(Translate("Not_correct_matrix_not_load_matrix"));
                return false;
            }
        }
    if (Directed)
        return true;
    for (int a = 1; a <= n; ++a)
        for (int k = 1; k <= n; ++k)
            if (import[k][a] != import[a][k]) {
                prompts.ShowError(Translate("Matrix_must_be_simertic"));
                return false;
            }
    return true;
}

bool GraphDocument::ApplyGridMatrix(QList<QStringList>& cells)
{
    const int n = int(cells.size()) - 1;
    if (n != VertexCount)
        return false;
    // Validate everything into a scratch matrix first: a rejected grid changes nothing.
    auto values = std::make_unique<VertexMatrix<int>>();
    for (int r = 1; r <= n; ++r) {
        if (cells[r].size() < n + 1)
            return false;
        for (int c = 1; c <= n; ++c) {
            QString& cell = cells[r][c];
            if (cell.isEmpty())
                cell = QStringLiteral("0");
            bool ok = false;
            const int v = cell.trimmed().toInt(&ok);
            if (!ok)
                return false;
            (*values)[c][r] = v;
        }
    }
    for (int c = 1; c <= n; ++c)
        for (int r = 1; r <= n; ++r) {
            const int v = (*values)[c][r];
            if (!IsMatrixEntry(v))
                return false;
            if (!Weighted && v > 1)
                return false;
            if (c == r && v != 0)
                return false;
            if (!Directed && v != 0 && v != (*values)[r][c])
                return false;
        }
    for (int c = 1; c <= n; ++c)
        for (int r = 1; r <= n; ++r) {
            const int v = (*values)[c][r];
            const int current = MatrixEntry(c, r);
            if (v == current)
                continue;
            if (current == 0)
                AddArc(c, r, v);
            else if (v != 0)
                SetArcWeight(c, r, v);
            else
                DeleteArc(c, r);
        }
    return true;
}
