#pragma once

#include <QPoint>
#include <QString>
#include <QtGlobal>

class QPainter;
class QFont;

// Colours are 0x00BBGGRR integers everywhere (styles, settings file); the painter converts.

// Vertex drawing style, loaded with one vertex's geometry just before it is drawn or hit-tested.
class VertexStyle {
  public:
    int X = 0, Y = 0, Size = 0;
    int BrushColor = 0xFFFFFF, PenColor = 0, TextColor = 0xFF0000;
    int PenSize = 1;
    quint8 PenStyle = 0, BrushStyle = 0;
    QString Title;

    void SetPoint(int x, int y, const QString& title, int size)
    {
        X = x;
        Y = y;
        Title = title;
        Size = size;
    }
    bool HitTest(int x, int y) const;
    void Draw(QPainter& surface) const;

    bool operator==(const VertexStyle&) const = default;
};

// Arc drawing style, loaded with one arc's geometry and the document's kind flags.
class ArcStyle {
  public:
    int PenColor = 0, TextColor = 0, PenSize = 2;
    quint8 PenStyle = 0;
    int X1 = 0, Y1 = 0, X2 = 0, Y2 = 0, HeadSize = 0, TextX = 0, TextY = 0, Weight = 0;
    bool Directed = false, Weighted = false;

    void SetGeometry(int x1, int y1, int x2, int y2, int headSize, int textX, int textY, int cost,
                     bool directed, bool weighted)
    {
        X1 = x1;
        Y1 = y1;
        X2 = x2;
        Y2 = y2;
        HeadSize = headSize;
        TextX = textX;
        TextY = textY;
        Weight = cost;
        Directed = directed;
        Weighted = weighted;
    }

    // A point of the curve through tail, text point and head. With project set, the curve point
    // over the projection of (x, y) onto the chord; otherwise over the frame abscissa x.
    QPoint CurvePoint(bool project, int x, int y = 0) const;
    // Tip of the arrowhead, on the rim of the head vertex.
    QPoint ArrowApex() const;
    // Curve, arrowhead (directed), direction triangle (marker 1) and the text or weight.
    void Draw(QPainter& surface, int marker, const QString& text) const;
    // PenSize is the tolerance along each axis; the point's projection onto the chord must lie
    // strictly between the ends.
    bool HitTest(int x, int y) const;

    bool operator==(const ArcStyle&) const = default;
};

// Label font and colours; also the font of vertex names and arc weights.
class TextStyle {
  public:
    enum StyleBit : quint8 { Bold = 1, Italic = 2, Underline = 4, StrikeOut = 8 };

    int Size = 10;
    int Color = 0;
    int ColorBackground = 0xFFFFFF;
    quint8 Style = 0;
    QString Face = QStringLiteral("Arial");

    QFont Font() const;
    void ApplyFont(QPainter& surface) const;
    // Text with its top-left corner at (x, y), over ColorBackground when the surface's brush is solid.
    void DrawText(QPainter& surface, int x, int y, const QString& text) const;

    bool operator==(const TextStyle&) const = default;
};

// How vertices and arcs look, plain and highlighted. It belongs to the program, not to a graph:
// the settings fill it, the view settings change it, and every graph opened, imported or made
// is drawn in it. (The label fonts stay with the graph, as they size the labels undo records.)
struct DrawingStyle {
    VertexStyle NormalVertex;
    VertexStyle ActiveVertex = Highlighted();
    ArcStyle NormalArc;
    ArcStyle ActiveArc = HighlightedArc();

    bool operator==(const DrawingStyle&) const = default;

  private:
    static VertexStyle Highlighted()
    {
        VertexStyle style;
        style.BrushColor = 0x0000FF;
        style.TextColor = 0xFFFFFF;
        return style;
    }
    static ArcStyle HighlightedArc()
    {
        ArcStyle style;
        style.PenColor = style.TextColor = 0x008000;
        style.PenStyle = 1; // dashed
        return style;
    }
};
