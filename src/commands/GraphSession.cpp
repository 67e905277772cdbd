#include "commands/GraphSession.h"

#include "base/TranslationManager.h"

#include <QRandomGenerator>
#include <algorithm>

GraphSession::GraphSession(ProgramHost& host) : host(host)
{
    naming.SetKind(VertexNaming::Numbers);
    naming.SetNumbers(1);
}

GraphSession::~GraphSession() = default;

GraphDocument& GraphSession::CreateDocument()
{
    document.reset();
    unnamedBaseline.reset();
    fileName.clear();
    document = std::make_unique<GraphDocument>();
    gestures.Reset();
    host.ResetScroll();
    document->UseNaming(&naming);
    document->UseDrawingStyle(&drawingStyle);
    return *document;
}

bool GraphSession::RequireDocument() const
{
    if (document)
        return true;
    host.ShowError(Translate("First_need_create"));
    return false;
}

std::unique_ptr<HistoryState> GraphSession::Snapshot() const
{
    auto state = UndoHistory::TakeSnapshot(*document);
    state->OriginFile = fileName;
    state->OriginBaseline = unnamedBaseline;
    return state;
}

void GraphSession::RecordState()
{
    if (document) {
        history.Record(Snapshot());
        document->ClearHighlighting();
    }
    host.UpdateMenus();
}

void GraphSession::RestoreState(const HistoryState& state)
{
    UndoHistory::Restore(*document, state);
    fileName = state.OriginFile;
    unnamedBaseline = state.OriginBaseline;
    host.RefreshMatrixWindow();
    host.Redraw();
}

void GraphSession::Undo()
{
    if (!document)
        return;
    if (!history.CanRedo())
        history.RecordCurrent(Snapshot());
    if (const HistoryState* state = history.StepBack())
        RestoreState(*state);
    host.UpdateMenus();
}

void GraphSession::Redo()
{
    if (!document)
        return;
    if (const HistoryState* state = history.StepForward())
        RestoreState(*state);
    host.UpdateMenus();
}

void GraphSession::MarkSaved(const QString& name)
{
    fileName = name;
    if (!document)
        return;
    std::shared_ptr<const HistoryState> state = UndoHistory::TakeSnapshot(*document);
    if (name.isEmpty())
        unnamedBaseline = std::move(state);
    else
        savedFiles[name] = std::move(state);
}

void GraphSession::MarkUnsaved()
{
    fileName.clear();
    unnamedBaseline.reset();
}

const HistoryState* GraphSession::SavedState() const
{
    if (fileName.isEmpty())
        return unnamedBaseline.get();
    const auto saved = savedFiles.find(fileName);
    return saved == savedFiles.end() ? nullptr : saved->second.get();
}

bool GraphSession::HasUnsavedChanges() const
{
    if (!document)
        return false;
    const HistoryState* savedState = SavedState();
    if (!savedState)
        return true;
    const GraphDocument& g = *document;
    const Graph& s = savedState->Unpacked();
    if (g.Directed != s.Directed || g.Weighted != s.Weighted || g.VertexCount != s.VertexCount ||
        g.LabelCount != s.LabelCount || !g.Naming().SameAs(savedState->Naming))
        return true;
    for (int v = 1; v <= g.VertexCount; ++v) {
        const VertexRecord &now = g.Vertices[v], &then = s.Vertices[v];
        if (now.X != then.X || now.Y != then.Y || now.NameNumber != then.NameNumber)
            return true;
        if (!std::ranges::equal(g.OutArcs(v), s.OutArcs(v)))
            return true;
        const std::span<const ArcRecord> arcs = g.OutRecords(v), savedArcs = s.OutRecords(v);
        for (std::size_t k = 0; k < arcs.size(); ++k)
            if (arcs[k].X() != savedArcs[k].X() || arcs[k].Y() != savedArcs[k].Y() ||
                arcs[k].Weight != savedArcs[k].Weight)
                return true;
    }
    for (int i = 1; i <= g.LabelCount; ++i)
        if (g.Labels[i].X != s.Labels[i].X || g.Labels[i].Y != s.Labels[i].Y ||
            g.Labels[i].Text != s.Labels[i].Text)
            return true;
    return false;
}

void GraphSession::Refresh() const
{
    host.RefreshMatrixWindow();
    host.Redraw();
    host.UpdateMenus();
}

bool GraphSession::AddVertex(int x, int y)
{
    GraphDocument& g = *document;
    if (g.VertexCount >= GraphDocument::MaxVertices) {
        host.ShowError(Translate("Version_not_support_count"));
        return false;
    }
    QString name = QStringLiteral("A");
    bool cut = false;
    if (g.IsManualNaming())
        name = GraphDocument::CutName(
            host.InputBox(Translate("Name_graf"), Translate("Enter_name_graf"), name), cut);
    RecordState();
    g.AddVertex(x, y, name, g.FreeNameNumber(), g.VertexSize);
    Refresh();
    if (cut)
        host.ShowMessage(ProgramHost::MessageKind::Warning, Translate(QStringLiteral("Name_text_cut")));
    return true;
}

bool GraphSession::AddVertexAt(int x, int y)
{
    if (!RequireDocument())
        return false;
    return AddVertex(x, y);
}

bool GraphSession::AddVertexRandom()
{
    if (!RequireDocument())
        return false;
    GraphDocument& g = *document;
    auto random = [](int bound) { return bound > 0 ? int(QRandomGenerator::global()->bounded(bound)) : 0; };
    const QPoint scroll = host.ScrollPosition();
    const int x = random(host.DrawingAreaWidth() - 2 * g.VertexSize) + scroll.x() + g.VertexSize;
    const int y = random(host.DrawingAreaHeight() - 2 * g.VertexSize) + scroll.y() + g.VertexSize;
    return AddVertex(x, y);
}

void GraphSession::DeleteSelected()
{
    if (!RequireDocument())
        return;
    GraphDocument& g = *document;
    RecordState();
    if (g.ActiveVertex > 0 && g.ActiveVertex <= g.VertexCount) {
        g.DeleteVertex(g.ActiveVertex);
        g.ActiveVertex = 0;
    } else if (g.ActiveArcTail > 0 && g.ActiveArcHead > 0) {
        g.DeleteArc(g.ActiveArcTail, g.ActiveArcHead);
        g.ActiveArcTail = g.ActiveArcHead = 0;
    } else if (g.ActiveLabel > 0) {
        g.DeleteLabel(g.ActiveLabel);
        g.ActiveLabel = 0;
    }
    Refresh();
}

void GraphSession::RenameSelectedVertex()
{
    if (!RequireDocument())
        return;
    GraphDocument& g = *document;
    if (g.ActiveVertex <= 0 || g.ActiveVertex > g.VertexCount)
        return;
    const QString current = g.VertexName(g.ActiveVertex);
    QString name = current;
    if (!host.InputQuery(Translate("Name_graf"), Translate("Enter_new_name") + current + QStringLiteral(":"),
                         name))
        return;
    bool cut = false;
    const QString kept = GraphDocument::CutName(name, cut);
    // A vertex without a name could not be told apart or chosen from a list.
    if (kept.trimmed().isEmpty()) {
        host.ShowError(Translate(QStringLiteral("Name_empty")));
        return;
    }
    for (int other = 1; other <= g.VertexCount; ++other) {
        if (other != g.ActiveVertex && g.VertexName(other) == kept) {
            host.ShowMessage(ProgramHost::MessageKind::Warning,
                             Translate(QStringLiteral("Name_duplicate")).arg(kept).arg(other));
            break;
        }
    }
    RecordState();
    g.Naming().SetManualName(g.Vertices[g.ActiveVertex].NameNumber, kept);
    Refresh();
    if (cut)
        host.ShowMessage(ProgramHost::MessageKind::Warning, Translate(QStringLiteral("Name_text_cut")));
}

int GraphSession::ParseWeight(const QString& text, bool& isNumber)
{
    const int value = text.trimmed().toInt(&isNumber);
    return isNumber ? value : 0;
}

int GraphSession::AskWeight(const QString& proposed) const
{
    const QString answer = host.InputBox(Translate("Enter_int"), Translate("Enter_load"), proposed);
    bool isNumber = false;
    const int weight = ParseWeight(answer, isNumber);
    if (!isNumber) {
        host.ShowError(Translate("Uncorrect_number"));
        return 0;
    }
    if (!GraphDocument::IsWeight(weight)) {
        host.ShowError(Translate("Load_must_be"));
        return 0;
    }
    return weight;
}

void GraphSession::EditSelectedWeight()
{
    if (!RequireDocument())
        return;
    GraphDocument& g = *document;
    const int a = g.ActiveArcTail, b = g.ActiveArcHead;
    if (!g.Weighted || a <= 0 || b <= 0 || a > g.VertexCount || b > g.VertexCount || !g.HasArc(a, b))
        return;
    const int weight = AskWeight(QString::number(g.Arc(a, b).Weight));
    if (weight == 0)
        return;
    RecordState();
    g.SetArcWeight(a, b, weight);
    Refresh();
}

void GraphSession::Convert(Conversion conversion)
{
    if (!RequireDocument())
        return;
    GraphDocument& g = *document;
    bool alreadyTarget = false;
    switch (conversion) {
    case Conversion::ToUndirected:
        alreadyTarget = !g.Directed;
        break;
    case Conversion::ToDirected:
        alreadyTarget = g.Directed;
        break;
    case Conversion::ToWeighted:
        alreadyTarget = g.Weighted;
        break;
    case Conversion::ToUnweighted:
        alreadyTarget = !g.Weighted;
        break;
    }
    if (!alreadyTarget && host.AskYesNo(Translate("Want_save_graf")))
        host.SaveGraphCommand();
    RecordState();
    switch (conversion) {
    case Conversion::ToUndirected:
        g.ToUndirected(host);
        break;
    case Conversion::ToDirected:
        g.ToDirected();
        break;
    case Conversion::ToWeighted:
        g.ToWeighted();
        break;
    case Conversion::ToUnweighted:
        g.ToUnweighted();
        break;
    }
    Refresh();
}
