#pragma once

#include "document/ElementStyles.h"
#include "document/UserPrompts.h"
#include "document/VertexNaming.h"

#include <QImage>
#include <QPoint>
#include <QSize>
#include <QString>
#include <QStringList>
#include <array>
#include <memory>
#include <span>
#include <vector>

struct VertexRecord {
    int X = 0, Y = 0;
    int Size = 0;
    int NameNumber = 0;
    quint8 Active = 0;
    bool operator==(const VertexRecord&) const = default;
};

// One arc as its tail's out-list keeps it: its text point, weight and highlighting, in 8 bytes.
struct ArcRecord {
    int X() const { return x; }
    int Y() const { return y; }
    // Held within MaxTextCoordinate either side of 0, as 16 bits hold it; the weight within
    // MaxWeight, as IsWeight says.
    void SetTextPoint(int newX, int newY);
    void MoveTextPoint(int dx, int dy) { SetTextPoint(X() + dx, Y() + dy); }
    quint16 Weight = 0;
    quint8 Active = 0;
    qint8 Marker = 0; // 1: the direction of travel is marked
    bool operator==(const ArcRecord&) const = default;

  private:
    qint16 x = 0, y = 0;
};

// Where each arc stands in its tail's out-list, a row of 256 slots a vertex (position + 1, 0 for
// no arc), for a lookup in constant time. Derived from the out-lists, so never what makes two
// graphs differ.
struct ArcSlotTable {
    std::vector<quint8> Slots;
    bool operator==(const ArcSlotTable&) const { return true; }
};

// The arcs leaving one vertex in the order they were added, the tie-break order of every search:
// their heads, and beside them in the same order their records.
struct OutArcList {
    std::vector<int> Heads;
    std::vector<ArcRecord> Arcs;
    bool operator==(const OutArcList&) const = default;
};

struct LabelRecord {
    int X = 0, Y = 0;
    int Width = 0, Height = 0;
    int ActiveWidth = 0, ActiveHeight = 0;
    quint8 Active = 0;
    QString Text;
    bool operator==(const LabelRecord&) const = default;
};

// Capacities and the table types of the document.
struct GraphLimits {
    static constexpr int MaxVertices = 255;
    static constexpr int MaxOut = 254;
    static constexpr int MaxLabels = 1024;
    // Longer label texts are cut when read from a file.
    static constexpr int MaxLabelText = 10000;
    // Longer vertex names are cut wherever they come from: a name is drawn in its circle.
    static constexpr int MaxNameLength = 100;
    static constexpr int MaxWeight = 50000;
    // An arc's text point lies within this many units either side of 0 (a file's coordinates
    // within far fewer); a point beyond is kept at the edge.
    static constexpr int MaxTextCoordinate = 32767;
    // The one rule of an arc's weight, wherever one comes from.
    static constexpr bool IsWeight(int w) { return w >= 1 && w <= MaxWeight; }
    // A cell of a weight matrix: a weight, or 0 for no arc.
    static constexpr bool IsMatrixEntry(int w) { return w == 0 || IsWeight(w); }
    static constexpr int Infinity = 252645135; // 0x0F0F0F0F: two of them still fit in an int

    template <typename T> using VertexArray = std::array<T, MaxVertices + 1>;
    template <typename T> using VertexMatrix = std::array<std::array<T, MaxVertices + 1>, MaxVertices + 1>;

    bool operator==(const GraphLimits&) const = default;
};

// The graph the user made, and exactly what undo brings back: the kind, vertices, labels and
// arcs, the selection and a few view values, compared with its defaulted equality. Its tables
// are as long as the graph; vertices and labels count from 1.
struct Graph : GraphLimits {
    bool Directed = false;
    bool Weighted = false;
    // Vertices 1..VertexCount and labels 1..LabelCount, index 0 unused: the tables hold exactly
    // those.
    int VertexCount = 0;
    std::vector<VertexRecord> Vertices = std::vector<VertexRecord>(1);
    std::vector<LabelRecord> Labels = std::vector<LabelRecord>(1);
    int LabelCount = 0;
    int ActiveVertex = 0;
    int ActiveArcTail = 0, ActiveArcHead = 0;
    int TargetVertex = 0;
    int ActiveLabel = 0;
    QString BackgroundFile;
    quint8 MapMode = 0;
    int ZoomMap = 10;
    quint8 ShowMatrixWindow = 0;
    TextStyle NormalLabelStyle, ActiveLabelStyle;
    int VertexSize = 10;

    // The number of arcs leaving v (0 for no vertex).
    int OutCount(int v) const { return HasOutList(v) ? int(OutLists[std::size_t(v)].Heads.size()) : 0; }
    // The heads of the arcs leaving v, in insertion order: the tie-break order of every search.
    std::span<const int> OutArcs(int v) const
    {
        return HasOutList(v) ? std::span<const int>(OutLists[std::size_t(v)].Heads) : std::span<const int>();
    }
    // The records of those arcs, in the same order.
    std::span<const ArcRecord> OutRecords(int v) const
    {
        return HasOutList(v) ? std::span<const ArcRecord>(OutLists[std::size_t(v)].Arcs)
                             : std::span<const ArcRecord>();
    }
    std::span<ArcRecord> OutRecords(int v)
    {
        return HasOutList(v) ? std::span<ArcRecord>(OutLists[std::size_t(v)].Arcs) : std::span<ArcRecord>();
    }
    // Where b stands in a's out-list, or -1. Inline, as the searches ask it in their inner loops.
    int ArcIndex(int a, int b) const
    {
        if (!HasOutList(a) || std::size_t(b) >= SlotRow)
            return -1;
        return int(arcSlots.Slots[std::size_t(a) * SlotRow + std::size_t(b)]) - 1;
    }
    bool HasArc(int a, int b) const { return ArcIndex(a, b) >= 0; }
    // The record of arc a -> b; an empty one when there is no such arc.
    const ArcRecord& Arc(int a, int b) const
    {
        const int k = ArcIndex(a, b);
        return k < 0 ? NoArc : OutLists[std::size_t(a)].Arcs[std::size_t(k)];
    }
    // The record of arc a -> b to change, or null when there is no such arc.
    ArcRecord* FindArc(int a, int b)
    {
        const int k = ArcIndex(a, b);
        return k < 0 ? nullptr : &OutLists[std::size_t(a)].Arcs[std::size_t(k)];
    }
    // The record of arc a -> b to change; without such an arc, a scratch record whose changes
    // go nowhere.
    ArcRecord& ArcRef(int a, int b);

    // Every out-list, index 0 unused.
    const std::vector<OutArcList>& AllOutLists() const { return OutLists; }
    // Replaces every arc: one out-list a vertex and one before them for index 0.
    void SetOutLists(std::vector<OutArcList> lists);
    // What the tables hold beyond the object itself: vertices, labels (without their texts),
    // out-lists and the slot table, as allocated.
    std::size_t HeapBytes() const;

    bool operator==(const Graph&) const = default;

  protected:
    // One comparison: vertex 0 wraps round to the largest size_t.
    bool HasOutList(int v) const { return std::size_t(v) - 1 < OutLists.size() - 1; }
    // Appends arc tail -> head (not yet listed) with an empty record and returns the record.
    ArcRecord& AppendArc(int tail, int head);
    // Room for that many arcs leaving tail, taken at once by a builder that knows the count.
    void ReserveArcs(int tail, int count);
    void RemoveArcAt(int tail, int index);
    // Every vertex keeps its out-list, emptied.
    void ClearArcs();
    // One out-list more, for a new vertex; and vertex v's taken away, every head above it one less.
    void AddOutList();
    void RemoveVertexArcs(int v);

  private:
    static constexpr std::size_t SlotRow = MaxVertices + 1;
    static const ArcRecord NoArc;
    void RebuildArcSlots();

    // One out-list a vertex, index 0 unused: always VertexCount + 1 of them.
    std::vector<OutArcList> OutLists = std::vector<OutArcList>(1);
    ArcSlotTable arcSlots{std::vector<quint8>(SlotRow)};
};

// The graph with its names and the editing operations, and what the view still keeps beside
// it: drawing styles, scroll position and extent, the background picture. It reaches no
// service: a const reference, all an algorithm gets, can change nothing and show nothing.
class GraphDocument : public Graph {
  public:
    GraphDocument();
    ~GraphDocument();
    GraphDocument(const GraphDocument&) = delete;
    GraphDocument& operator=(const GraphDocument&) = delete;

    // --- fields ------------------------------------------------------------------------
    int ExtentWidth = 0, ExtentHeight = 0;
    QImage BackgroundBitmap;

    // Which name numbers are taken.
    VertexArray<quint8> NameNumberUsed{};

    // --- queries -----------------------------------------------------------------------
    int FreeNameNumber() const;
    int FindVertexByNameNumber(int titleNumber) const;
    bool FindVertexAt(int x, int y, int& vertex) const;
    int FindLabelAt(int x, int y, int currentLabel) const;
    bool IsManualNaming() const;
    // The drawing's logical size: the stored extent, the drawing area it is shown in, and never
    // less than the content, so a smaller window never pulls a vertex in.
    QSize CanvasSize(QSize drawingArea) const;
    // Right and bottom reach of every vertex and arc text point (plus the vertex size) and label.
    QSize ContentExtent() const;
    void ClearActive();
    // Takes an algorithm's highlighting off the drawing and keeps the user's selection: a
    // result says nothing about a graph that has changed since.
    void ClearHighlighting();
    // Highlights a route: its vertices, and its arcs marked in the direction of travel.
    void MarkPath(std::span<const int> route);
    void CenterArcText(int a, int b);
    // Every arc's text point at its middle, then those that would land on another's moved apart.
    void CenterAllArcTexts();
    // Moves a straight arc's text point along its arc when it lies on one placed before it.
    void SpreadCrowdedArcTexts();
    QStringList MatrixToMemo() const;
    // A file that is no picture is refused with a message, keeping the previous name.
    bool LoadBackground(const QString& fileName, UserPrompts& prompts);
    void ClearBackground();

    // A vertex number that names an existing vertex.
    bool IsVertex(int v) const { return v >= 1 && v <= VertexCount; }
    // Entry [a][b] of the weight matrix: Weight when weighted, 1 when not, 0 without an arc.
    int MatrixEntry(int a, int b) const;
    // The display name of vertex v.
    QString VertexName(int v) const;
    QString NameOfNumber(int titleNumber) const;
    // The names in use: a shared object (not owned) or, given none, the document's own.
    void UseNaming(VertexNaming* shared) { naming = shared ? shared : &ownNaming; }
    const VertexNaming& Naming() const { return *naming; }
    VertexNaming& Naming() { return *naming; }
    // The look it is drawn in: a shared object (not owned: the session's, which outlives the
    // graph) or, given none, the document's own with the built-in look.
    void UseDrawingStyle(DrawingStyle* shared) { drawingStyle = shared ? shared : &ownDrawingStyle; }
    const DrawingStyle& Style() const { return *drawingStyle; }
    DrawingStyle& Style() { return *drawingStyle; }

    // --- editing operations ------------------------------------------------------------
    void StartNewGraph(bool directed, bool weighted);
    void AddVertex(int x, int y, const QString& name, int titleNumber, int radius);
    void DeleteVertex(int v);
    void DeleteAllVertices();
    void AddArc(int a, int b, int cost);
    void DeleteArc(int a, int b);
    void SetArcWeight(int a, int b, int cost);
    bool AddLabel(const QString& text, int x, int y);
    void DeleteLabel(int i);
    void DeleteAllLabels();
    void EditLabelText(int i, const QString& text);
    void ToDirected();
    // Refuses, with a message, a graph whose arcs disagree in weight.
    bool ToUndirected(UserPrompts& prompts);
    void ToWeighted();
    void ToUnweighted();
    // Grid cells as typed: cells[row][column], both 1..n (index 0 is the header).
    bool ApplyGridMatrix(QList<QStringList>& cells);
    // Rebuilds every arc of vertices 1..n from a weight matrix given as [head][tail]; a matrix
    // that cannot be is refused with a message.
    bool BuildFromMatrix(const VertexMatrix<int>& import, int n, UserPrompts& prompts);
    // Measures a label's two extents with the label fonts.
    void MeasureLabel(LabelRecord& label) const;
    // Keeps ExtentWidth/ExtentHeight at least as large as an element reaching (right, bottom).
    void GrowExtent(int right, int bottom);

    // A label text read from a file, cut to MaxLabelText characters; cut tells whether it was.
    static QString LabelTextFromFile(const QString& text, bool& cut);
    // A vertex name cut to MaxNameLength characters; cut tells whether it was.
    static QString CutName(const QString& name, bool& cut);
    // Labels are measured for hit tests with the mouse; a document nobody clicks on skips it.
    bool MeasuresLabels = true;

  private:
    VertexNaming ownNaming;
    VertexNaming* naming = &ownNaming;
    DrawingStyle ownDrawingStyle;
    DrawingStyle* drawingStyle = &ownDrawingStyle;
};

// Snapshot of exactly the recorded parts of a document.
