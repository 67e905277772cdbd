#include "document/GraphDocument.h"

#include "base/TranslationManager.h"

#include <QFile>
#include <QImageReader>
#include <QPoint>
#include <algorithm>
#include <cmath>
#include <vector>

const ArcRecord Graph::NoArc{};

ArcRecord& Graph::ArcRef(int a, int b)
{
    if (ArcRecord* arc = FindArc(a, b))
        return *arc;
    static thread_local ArcRecord scratch;
    scratch = ArcRecord{};
    return scratch;
}

ArcRecord& Graph::AppendArc(int tail, int head)
{
    OutArcList& list = OutLists[std::size_t(tail)];
    list.Heads.push_back(head);
    arcSlots.Slots[std::size_t(tail) * SlotRow + std::size_t(head)] = quint8(list.Heads.size());
    return list.Arcs.emplace_back();
}

void Graph::ReserveArcs(int tail, int count)
{
    OutArcList& list = OutLists[std::size_t(tail)];
    list.Heads.reserve(std::size_t(count));
    list.Arcs.reserve(std::size_t(count));
}

void Graph::RemoveArcAt(int tail, int index)
{
    OutArcList& list = OutLists[std::size_t(tail)];
    quint8* row = arcSlots.Slots.data() + std::size_t(tail) * SlotRow;
    row[list.Heads[std::size_t(index)]] = 0;
    list.Heads.erase(list.Heads.begin() + index);
    list.Arcs.erase(list.Arcs.begin() + index);
    for (std::size_t k = std::size_t(index); k < list.Heads.size(); ++k)
        row[list.Heads[k]] = quint8(k + 1);
}

void Graph::ClearArcs()
{
    for (OutArcList& list : OutLists) {
        list.Heads.clear();
        list.Arcs.clear();
    }
    std::fill(arcSlots.Slots.begin(), arcSlots.Slots.end(), 0);
}

void Graph::AddOutList()
{
    OutLists.emplace_back();
    arcSlots.Slots.resize(OutLists.size() * SlotRow);
}

void Graph::RemoveVertexArcs(int v)
{
    OutLists.erase(OutLists.begin() + v);
    for (std::size_t a = 1; a < OutLists.size(); ++a) {
        OutArcList& list = OutLists[a];
        std::size_t kept = 0;
        for (std::size_t i = 0; i < list.Heads.size(); ++i) {
            const int w = list.Heads[i];
            if (w == v)
                continue;
            list.Heads[kept] = w > v ? w - 1 : w;
            list.Arcs[kept] = list.Arcs[i];
            ++kept;
        }
        list.Heads.resize(kept);
        list.Arcs.resize(kept);
    }
    RebuildArcSlots();
}

void ArcRecord::SetTextPoint(int newX, int newY)
{
    x = qint16(std::clamp(newX, -GraphLimits::MaxTextCoordinate, GraphLimits::MaxTextCoordinate));
    y = qint16(std::clamp(newY, -GraphLimits::MaxTextCoordinate, GraphLimits::MaxTextCoordinate));
}

std::size_t Graph::HeapBytes() const
{
    std::size_t bytes = Vertices.capacity() * sizeof(VertexRecord) + Labels.capacity() * sizeof(LabelRecord) +
                        OutLists.capacity() * sizeof(OutArcList) + arcSlots.Slots.capacity();
    for (const OutArcList& list : OutLists)
        bytes += list.Heads.capacity() * sizeof(int) + list.Arcs.capacity() * sizeof(ArcRecord);
    return bytes;
}

void Graph::SetOutLists(std::vector<OutArcList> lists)
{
    OutLists = std::move(lists);
    if (OutLists.empty())
        OutLists.resize(1);
    RebuildArcSlots();
}

void Graph::RebuildArcSlots()
{
    arcSlots.Slots.assign(OutLists.size() * SlotRow, 0);
    for (std::size_t a = 1; a < OutLists.size(); ++a)
        for (std::size_t k = 0; k < OutLists[a].Heads.size(); ++k)
            arcSlots.Slots[a * SlotRow + std::size_t(OutLists[a].Heads[k])] = quint8(k + 1);
}

GraphDocument::GraphDocument()
{
    ownNaming.SetKind(VertexNaming::Numbers);
    ownNaming.SetNumbers(1);
}

GraphDocument::~GraphDocument() = default;

int GraphDocument::FreeNameNumber() const
{
    for (int k = 1; k <= MaxVertices; ++k)
        if (!NameNumberUsed[k])
            return k;
    return -1;
}

int GraphDocument::FindVertexByNameNumber(int titleNumber) const
{
    for (int v = 1; v <= VertexCount; ++v)
        if (Vertices[v].NameNumber == titleNumber)
            return v;
    return -1;
}

bool GraphDocument::FindVertexAt(int x, int y, int& vertex) const
{
    VertexStyle probe = Style().NormalVertex;
    for (int v = 1; v <= VertexCount; ++v) {
        probe.X = Vertices[v].X;
        probe.Y = Vertices[v].Y;
        probe.Size = Vertices[v].Size;
        if (probe.HitTest(x, y)) {
            vertex = v;
            return true;
        }
    }
    return false;
}

int GraphDocument::FindLabelAt(int x, int y, int currentLabel) const
{
    for (int i = 1; i <= LabelCount; ++i) {
        const LabelRecord& label = Labels[i];
        const int w = (i == currentLabel) ? label.ActiveWidth : label.Width;
        const int h = (i == currentLabel) ? label.ActiveHeight : label.Height;
        if (label.X <= x && x <= label.X + w && label.Y <= y && y <= label.Y + h)
            return i;
    }
    return 0;
}

bool GraphDocument::IsManualNaming() const
{
    return naming->GetKind() == VertexNaming::Manual;
}

QSize GraphDocument::ContentExtent() const
{
    int right = 0, bottom = 0;
    for (int v = 1; v <= VertexCount; ++v) {
        const int reach = std::max(VertexSize, Vertices[v].Size);
        right = std::max(right, Vertices[v].X + reach);
        bottom = std::max(bottom, Vertices[v].Y + reach);
    }
    for (int a = 1; a <= VertexCount; ++a)
        for (const ArcRecord& arc : OutRecords(a)) {
            right = std::max(right, arc.X() + VertexSize);
            bottom = std::max(bottom, arc.Y() + VertexSize);
        }
    for (int i = 1; i <= LabelCount; ++i) {
        const LabelRecord& label = Labels[i];
        right = std::max(right, label.X + std::max(label.Width, label.ActiveWidth));
        bottom = std::max(bottom, label.Y + std::max(label.Height, label.ActiveHeight));
    }
    return QSize(right, bottom);
}

QSize GraphDocument::CanvasSize(QSize drawingArea) const
{
    const QSize content = ContentExtent();
    return QSize(std::max({ExtentWidth, drawingArea.width(), content.width()}),
                 std::max({ExtentHeight, drawingArea.height(), content.height()}));
}

void GraphDocument::ClearActive()
{
    for (int v = 1; v <= VertexCount; ++v)
        Vertices[v].Active = 0;
    for (int a = 1; a <= VertexCount; ++a)
        for (ArcRecord& arc : OutRecords(a)) {
            arc.Active = 0;
            arc.Marker = 0;
        }
    for (int i = 1; i <= LabelCount; ++i)
        Labels[i].Active = 0;
    ActiveVertex = -1;
    TargetVertex = -1;
    ActiveLabel = -1;
}

void GraphDocument::ClearHighlighting()
{
    for (int v = 1; v <= VertexCount; ++v)
        if (v != ActiveVertex)
            Vertices[v].Active = 0;
    auto selected = [this](int a, int b) {
        return (a == ActiveArcTail && b == ActiveArcHead) ||
               (!Directed && a == ActiveArcHead && b == ActiveArcTail);
    };
    for (int a = 1; a <= VertexCount; ++a) {
        const std::span<const int> heads = OutArcs(a);
        const std::span<ArcRecord> arcs = OutRecords(a);
        for (std::size_t k = 0; k < heads.size(); ++k)
            if (!selected(a, heads[k]))
                arcs[k].Active = arcs[k].Marker = 0;
    }
    for (int i = 1; i <= LabelCount; ++i)
        if (i != ActiveLabel)
            Labels[i].Active = 0;
}

void GraphDocument::MarkPath(std::span<const int> route)
{
    if (route.empty() || !IsVertex(route[0]))
        return;
    Vertices[route[0]].Active = 1;
    for (std::size_t k = 1; k < route.size(); ++k) {
        const int u = route[k - 1];
        const int v = route[k];
        if (!IsVertex(u) || !IsVertex(v))
            return;
        if (!Directed)
            if (ArcRecord* back = FindArc(v, u)) {
                back->Active = 1;
                back->Marker = 0;
            }
        if (ArcRecord* arc = FindArc(u, v)) {
            arc->Active = 1;
            arc->Marker = 1;
        }
        Vertices[v].Active = 1;
    }
}

void GraphDocument::CenterArcText(int a, int b)
{
    if (ArcRecord* arc = FindArc(a, b)) {
        arc->SetTextPoint((Vertices[a].X + Vertices[b].X) / 2, (Vertices[a].Y + Vertices[b].Y) / 2);
    }
}

void GraphDocument::CenterAllArcTexts()
{
    for (int a = 1; a <= VertexCount; ++a) {
        const std::span<const int> heads = OutArcs(a);
        const std::span<ArcRecord> arcs = OutRecords(a);
        for (std::size_t k = 0; k < heads.size(); ++k) {
            arcs[k].SetTextPoint((Vertices[a].X + Vertices[heads[k]].X) / 2,
                                 (Vertices[a].Y + Vertices[heads[k]].Y) / 2);
        }
    }
    SpreadCrowdedArcTexts();
}

void GraphDocument::SpreadCrowdedArcTexts()
{
    // Text points closer than this (in x and in y) would print one weight over another, as the
    // diameters of a circle layout all meet at its centre. A grid of small cells over the
    // vertices' extent, where the text points lie, marks the cells within reach of a placed
    // point, so that a place is tested by one look.
    constexpr int near = 10, side = 4;
    constexpr int reach = (near - 1) / side + 1; // cells to a point within reach
    if (VertexCount < 2)
        return;
    int left = Vertices[1].X, top = Vertices[1].Y, right = left, bottom = top;
    for (int v = 2; v <= VertexCount; ++v) {
        left = std::min(left, Vertices[v].X);
        right = std::max(right, Vertices[v].X);
        top = std::min(top, Vertices[v].Y);
        bottom = std::max(bottom, Vertices[v].Y);
    }
    const qint64 columns = (qint64(right) - left) / side + 1, rows = (qint64(bottom) - top) / side + 1;
    if (columns * rows > (qint64(1) << 24))
        return; // vertices spread far beyond any screen: no room is short there
    std::vector<quint8> nearTaken(std::size_t(columns * rows), 0);
    auto cellOf = [&](QPoint p, qint64& column, qint64& row) {
        column = (qint64(p.x()) - left) / side;
        row = (qint64(p.y()) - top) / side;
        return column >= 0 && column < columns && row >= 0 && row < rows;
    };
    auto isTaken = [&](QPoint p) {
        qint64 column = 0, row = 0;
        return cellOf(p, column, row) && nearTaken[std::size_t(row * columns + column)];
    };
    auto take = [&](QPoint p) {
        qint64 column = 0, row = 0;
        if (!cellOf(p, column, row))
            return;
        for (qint64 r = std::max<qint64>(0, row - reach); r <= std::min(rows - 1, row + reach); ++r)
            std::fill_n(nearTaken.begin() + r * columns + std::max<qint64>(0, column - reach),
                        std::min(columns - 1, column + reach) - std::max<qint64>(0, column - reach) + 1, 1);
    };
    for (int a = 1; a <= VertexCount; ++a)
        for (std::size_t k = 0; k < OutArcs(a).size(); ++k) {
            const int b = OutArcs(a)[k];
            ArcRecord& arc = OutRecords(a)[k];
            // An undirected edge is one line with one text, whichever way it is stored.
            if (!Directed && b < a && HasArc(b, a)) {
                arc.SetTextPoint(Arc(b, a).X(), Arc(b, a).Y());
                continue;
            }
            QPoint at(arc.X(), arc.Y());
            // Along the chord, within its middle half, the line stays straight. A few places
            // either side: a dense graph has more weights than room, and some must overlap.
            const double dx = Vertices[b].X - Vertices[a].X, dy = Vertices[b].Y - Vertices[a].Y;
            const double length = std::hypot(dx, dy);
            constexpr int tries = 4;
            for (int step = 1; step <= tries && 2 * step * near <= length / 4 && isTaken(at); ++step)
                for (const int sign : {1, -1}) {
                    const double d = sign * 2 * step * near / length;
                    const QPoint candidate(int(std::lround((Vertices[a].X + Vertices[b].X) / 2.0 + d * dx)),
                                           int(std::lround((Vertices[a].Y + Vertices[b].Y) / 2.0 + d * dy)));
                    if (!isTaken(candidate)) {
                        at = candidate;
                        break;
                    }
                }
            arc.SetTextPoint(at.x(), at.y());
            take(at);
        }
}

int GraphDocument::MatrixEntry(int a, int b) const
{
    const int k = ArcIndex(a, b);
    if (k < 0)
        return 0;
    return Weighted ? OutRecords(a)[std::size_t(k)].Weight : 1;
}

QStringList GraphDocument::MatrixToMemo() const
{
    QStringList lines;
    lines.reserve(VertexCount);
    // Each row from the out-list at once: an entry looked up by itself searches the list.
    std::vector<int> row(std::size_t(VertexCount) + 1);
    for (int a = 1; a <= VertexCount; ++a) {
        std::fill(row.begin(), row.end(), 0);
        const std::span<const int> heads = OutArcs(a);
        for (std::size_t k = 0; k < heads.size(); ++k)
            row[std::size_t(heads[k])] = Weighted ? OutRecords(a)[k].Weight : 1;
        QString line;
        line.reserve(VertexCount * 3);
        for (int b = 1; b <= VertexCount; ++b) {
            if (b > 1)
                line += QLatin1Char(',');
            line += QString::number(row[std::size_t(b)]);
        }
        lines.append(line);
    }
    return lines;
}

QString GraphDocument::NameOfNumber(int titleNumber) const
{
    return naming->NameOf(titleNumber);
}

QString GraphDocument::VertexName(int v) const
{
    if (v < 1 || v > VertexCount)
        return QString();
    return NameOfNumber(Vertices[v].NameNumber);
}

bool GraphDocument::LoadBackground(const QString& fileName, UserPrompts& prompts)
{
    BackgroundBitmap = QImage();
    if (fileName.isEmpty() || !QFile::exists(fileName)) {
        BackgroundFile.clear();
        return true;
    }
    QImageReader reader(fileName);
    reader.setAutoTransform(true);
    BackgroundBitmap = reader.read();
    // A file that is no picture keeps the previous name, so it is not stored as the
    // background and refused again at every start.
    if (BackgroundBitmap.isNull()) {
        prompts.ShowError(Translate("Happend_error") + QLatin1Char('\n') + fileName);
        return false;
    }
    BackgroundFile = fileName;
    return true;
}

void GraphDocument::ClearBackground()
{
    BackgroundBitmap = QImage();
    BackgroundFile.clear();
}

void GraphDocument::GrowExtent(int right, int bottom)
{
    ExtentWidth = std::max(ExtentWidth, right);
    ExtentHeight = std::max(ExtentHeight, bottom);
}
