#pragma once

#include "algorithms/StepTrace.h"
#include "drawing/ResultPicture.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <utility>
#include <vector>

// One piece of what a run shows, in the order it is shown.
struct OutputItem {
    enum class Kind {
        Clear,      // empties the Text pane and the report
        Heading,    // a Text pane line and a bold report line
        Line,       // a Text pane line (appended to the memo's text) and a plain report line
        PaneLine,   // a Text pane line only
        ReportLine, // a plain report line only
        ReportBold, // a bold report line only
        ReportRaw,  // report markup as given; texts inside it are escaped by the algorithm
        Table,      // Text pane lines, and report rows of cells
        ShowReport, // the report is saved to its file and shown in the HTML pane
        Message,    // an error box
    };
    Kind kind;
    QString text;
    QStringList paneLines;   // Table
    QList<QStringList> rows; // Table
};

// What a run found, as a value: the dispatcher presents it (Text pane, report, highlighting,
// messages), nodeloom-cli serialises it, the playback steps through its trace. An algorithm
// builds one from a const document and never writes a window, a file or the document.
struct AlgorithmResult {
    std::vector<OutputItem> output;

    // The run was refused after the dispatcher's own checks (its message is in output):
    // nothing is highlighted or redrawn.
    bool refused = false;

    // The route the common tail highlights, start first, of any length.
    std::vector<int> route;
    // The run-scoped integers: a route length or another count, and a value (path length,
    // tree weight, ...).
    int resultCount = 0;
    int resultValue = 0;
    // Highlighting on the document beside the route (a clique, a spanning tree, the arcs of a
    // configuration): vertices, and arc cells one direction each, without a direction marker. A row without
    // the common tail that has some is redrawn to show them.
    std::vector<int> highlightedVertices;
    std::vector<std::pair<int, int>> highlightedArcs;

    // A picture of its own, shown instead of the document's drawing (colourings, flows, the
    // arcs planarity asks to delete); any highlighting above is still set in the document.
    bool drawsPicture = false;
    ResultPictureSpec picture;

    StepTrace steps;

    // --- building the output -------------------------------------------------------------
    void Clear() { output.push_back({OutputItem::Kind::Clear, {}, {}, {}}); }
    void Heading(const QString& text) { output.push_back({OutputItem::Kind::Heading, text, {}, {}}); }
    void Line(const QString& text) { output.push_back({OutputItem::Kind::Line, text, {}, {}}); }
    void PaneLine(const QString& text) { output.push_back({OutputItem::Kind::PaneLine, text, {}, {}}); }
    void ReportLine(const QString& text) { output.push_back({OutputItem::Kind::ReportLine, text, {}, {}}); }
    void ReportBold(const QString& text) { output.push_back({OutputItem::Kind::ReportBold, text, {}, {}}); }
    void ReportRaw(const QString& markup) { output.push_back({OutputItem::Kind::ReportRaw, markup, {}, {}}); }
    void Table(const QStringList& paneLines, const QList<QStringList>& rows)
    {
        output.push_back({OutputItem::Kind::Table, {}, paneLines, rows});
    }
    void ShowReport() { output.push_back({OutputItem::Kind::ShowReport, {}, {}, {}}); }
    void Message(const QString& text) { output.push_back({OutputItem::Kind::Message, text, {}, {}}); }
    // A refusal: its message, and nothing else happens.
    void Refuse(const QString& text)
    {
        Message(text);
        refused = true;
    }

    // The route and its length as the common tail uses them.
    void SetRoute(std::vector<int> vertices)
    {
        route = std::move(vertices);
        resultCount = int(route.size());
    }
    void HighlightVertex(int v) { highlightedVertices.push_back(v); }
    void HighlightArc(int from, int to) { highlightedArcs.emplace_back(from, to); }
    // The messages of the run, in order.
    QStringList Messages() const;
    // The Text pane lines and the report the output leaves, starting from empty ones.
    QStringList PaneLines() const;
};

// "%3d": right-aligned in three places; wider numbers take the room they need.
QString Format3d(int value);
