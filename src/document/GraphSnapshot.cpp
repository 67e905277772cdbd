#include "document/GraphSnapshot.h"

#include "document/GraphDocument.h"

#include <QSet>
#include <algorithm>
#include <cstring>

namespace {

// Labels per piece: an edited label copies a few, and the pieces' bookkeeping stays small.
constexpr int LabelsPerPiece = 8;

class Packer {
  public:
    void Unsigned(quint64 value)
    {
        while (value >= 0x80) {
            bytes.append(char(value | 0x80));
            value >>= 7;
        }
        bytes.append(char(value));
    }
    void Signed(qint64 value) { Unsigned((quint64(value) << 1) ^ quint64(value >> 63)); }
    void Text(const QString& text)
    {
        Unsigned(quint64(text.size()));
        bytes.append(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
    }
    void Style(const TextStyle& style)
    {
        Signed(style.Size);
        Signed(style.Color);
        Signed(style.ColorBackground);
        Unsigned(style.Style);
        Text(style.Face);
    }
    QByteArray Take()
    {
        QByteArray piece = std::move(bytes);
        piece.squeeze();
        bytes = QByteArray();
        return piece;
    }

  private:
    QByteArray bytes;
};

class Unpacker {
  public:
    explicit Unpacker(const QByteArray& piece)
        : at(reinterpret_cast<const uchar*>(piece.constData())), end(at + piece.size())
    {
    }
    quint64 Unsigned()
    {
        quint64 value = 0;
        for (int shift = 0; at < end; shift += 7) {
            const uchar byte = *at++;
            value |= quint64(byte & 0x7F) << shift;
            if (!(byte & 0x80))
                break;
        }
        return value;
    }
    qint64 Signed()
    {
        const quint64 raw = Unsigned();
        return qint64(raw >> 1) ^ -qint64(raw & 1);
    }
    int Int() { return int(Signed()); }
    QString Text()
    {
        const qsizetype size = qsizetype(Unsigned());
        // Copied bytewise: a text may start at an odd offset of its piece.
        QString text(size, Qt::Uninitialized);
        std::memcpy(text.data(), at, std::size_t(size) * 2);
        at += size * 2;
        return text;
    }
    void Style(TextStyle& style)
    {
        style.Size = Int();
        style.Color = Int();
        style.ColorBackground = Int();
        style.Style = quint8(Unsigned());
        style.Face = Text();
    }

  private:
    const uchar* at;
    const uchar* end;
};

// The middle of arc a -> b, from which its text point is kept as an offset: a text point left
// where the editor put it costs two bytes.
qint64 MiddleX(const Graph& g, int a, int b)
{
    return (qint64(g.Vertices[a].X) + g.Vertices[b].X) / 2;
}
qint64 MiddleY(const Graph& g, int a, int b)
{
    return (qint64(g.Vertices[a].Y) + g.Vertices[b].Y) / 2;
}

enum ArcFlag : quint8 { Active = 1, Marked = 2 };

} // namespace

GraphSnapshot GraphSnapshot::Take(const Graph& g)
{
    GraphSnapshot snapshot;
    Packer pack;
    // The kind, counts, selection, view values and styles, then the vertex table.
    for (const int value : {int(g.Directed), int(g.Weighted), g.VertexCount, g.LabelCount, g.ActiveVertex,
                            g.ActiveArcTail, g.ActiveArcHead, g.TargetVertex, g.ActiveLabel, int(g.MapMode),
                            g.ZoomMap, int(g.ShowMatrixWindow), g.VertexSize})
        pack.Signed(value);
    pack.Text(g.BackgroundFile);
    pack.Style(g.NormalLabelStyle);
    pack.Style(g.ActiveLabelStyle);
    for (int v = 1; v <= g.VertexCount; ++v) {
        const VertexRecord& p = g.Vertices[v];
        pack.Signed(p.X);
        pack.Signed(p.Y);
        pack.Signed(p.Size);
        pack.Signed(p.NameNumber);
        pack.Unsigned(p.Active);
    }
    snapshot.pieces.push_back(pack.Take());

    for (int first = 1; first <= g.LabelCount; first += LabelsPerPiece) {
        for (int i = first; i < first + LabelsPerPiece && i <= g.LabelCount; ++i) {
            const LabelRecord& label = g.Labels[i];
            for (const int value :
                 {label.X, label.Y, label.Width, label.Height, label.ActiveWidth, label.ActiveHeight})
                pack.Signed(value);
            pack.Unsigned(label.Active);
            pack.Text(label.Text);
        }
        snapshot.pieces.push_back(pack.Take());
    }

    // Every vertex's out-arcs in their order, a piece a vertex. A vertex moved with its arcs'
    // texts leaves these pieces as they were: the texts keep their offsets from the middles.
    for (int a = 1; a <= g.VertexCount; ++a) {
        const std::span<const int> heads = g.OutArcs(a);
        const std::span<const ArcRecord> arcs = g.OutRecords(a);
        pack.Unsigned(quint64(heads.size()));
        int previousHead = 0;
        for (std::size_t k = 0; k < heads.size(); ++k) {
            const int b = heads[k];
            const ArcRecord& arc = arcs[k];
            pack.Signed(b - previousHead);
            previousHead = b;
            pack.Signed(arc.Weight);
            pack.Signed(arc.X() - MiddleX(g, a, b));
            pack.Signed(arc.Y() - MiddleY(g, a, b));
            const quint8 flags = (arc.Active ? Active : 0) | (arc.Marker ? Marked : 0);
            pack.Unsigned(flags);
            if (flags & Active)
                pack.Unsigned(arc.Active);
            if (flags & Marked)
                pack.Signed(arc.Marker);
        }
        snapshot.pieces.push_back(pack.Take());
    }
    return snapshot;
}

void GraphSnapshot::Restore(Graph& g) const
{
    if (pieces.empty())
        return;
    auto piece = pieces.cbegin();
    Unpacker head(*piece++);
    g.Directed = head.Int() != 0;
    g.Weighted = head.Int() != 0;
    g.VertexCount = head.Int();
    g.LabelCount = head.Int();
    g.ActiveVertex = head.Int();
    g.ActiveArcTail = head.Int();
    g.ActiveArcHead = head.Int();
    g.TargetVertex = head.Int();
    g.ActiveLabel = head.Int();
    g.MapMode = quint8(head.Int());
    g.ZoomMap = head.Int();
    g.ShowMatrixWindow = quint8(head.Int());
    g.VertexSize = head.Int();
    g.BackgroundFile = head.Text();
    head.Style(g.NormalLabelStyle);
    head.Style(g.ActiveLabelStyle);

    g.Vertices.resize(std::size_t(g.VertexCount) + 1);
    for (int v = 1; v <= g.VertexCount; ++v) {
        VertexRecord& p = g.Vertices[v];
        p.X = head.Int();
        p.Y = head.Int();
        p.Size = head.Int();
        p.NameNumber = head.Int();
        p.Active = quint8(head.Unsigned());
    }

    g.Labels.resize(std::size_t(g.LabelCount) + 1);
    for (int first = 1; first <= g.LabelCount; first += LabelsPerPiece) {
        Unpacker labels(*piece++);
        for (int i = first; i < first + LabelsPerPiece && i <= g.LabelCount; ++i) {
            LabelRecord& label = g.Labels[i];
            label.X = labels.Int();
            label.Y = labels.Int();
            label.Width = labels.Int();
            label.Height = labels.Int();
            label.ActiveWidth = labels.Int();
            label.ActiveHeight = labels.Int();
            label.Active = quint8(labels.Unsigned());
            label.Text = labels.Text();
        }
    }

    std::vector<OutArcList> lists(std::size_t(g.VertexCount) + 1);
    for (int a = 1; a <= g.VertexCount; ++a) {
        Unpacker arcs(*piece++);
        const std::size_t count = std::size_t(arcs.Unsigned());
        OutArcList& list = lists[std::size_t(a)];
        list.Heads.resize(count);
        list.Arcs.resize(count);
        int head = 0;
        for (std::size_t k = 0; k < count; ++k) {
            head += arcs.Int();
            list.Heads[k] = head;
            ArcRecord& arc = list.Arcs[k];
            arc.Weight = quint16(arcs.Int());
            const int x = int(arcs.Signed() + MiddleX(g, a, head));
            arc.SetTextPoint(x, int(arcs.Signed() + MiddleY(g, a, head)));
            const quint64 flags = arcs.Unsigned();
            arc.Active = flags & Active ? quint8(arcs.Unsigned()) : 0;
            arc.Marker = flags & Marked ? qint8(arcs.Int()) : 0;
        }
    }
    g.SetOutLists(std::move(lists));
}

std::unique_ptr<Graph> GraphSnapshot::Unpacked() const
{
    auto graf = std::make_unique<Graph>();
    Restore(*graf);
    return graf;
}

void GraphSnapshot::ShareWith(const GraphSnapshot* earlier)
{
    QSet<QByteArray> known;
    if (earlier)
        for (const QByteArray& piece : earlier->pieces)
            known.insert(piece);
    for (QByteArray& piece : pieces) {
        const auto found = known.constFind(piece);
        if (found != known.constEnd())
            piece = *found;
        else
            known.insert(piece);
    }
}

std::size_t GraphSnapshot::MemoryBytes(std::unordered_set<const void*>& seen) const
{
    // A piece's bookkeeping: the array's header in the vector and the shared block's header.
    constexpr std::size_t PieceOverhead = sizeof(QByteArray) + 32;
    std::size_t bytes = sizeof(GraphSnapshot) + pieces.capacity() * sizeof(QByteArray);
    for (const QByteArray& piece : pieces)
        if (seen.insert(piece.constData()).second)
            bytes += std::size_t(piece.capacity()) + PieceOverhead;
    return bytes;
}
