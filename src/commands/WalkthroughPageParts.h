#pragma once

// The pieces the walk-through page is written from, shared by the files of its writer only.

#include "commands/WalkthroughPage.h"

#include <QJsonArray>
#include <QString>
#include <QStringList>

#include <map>
#include <set>
#include <utility>
#include <vector>

class GraphDocument;
struct AlgorithmResult;

namespace WalkthroughParts {

QString Esc(const QString& text);
QString Number(double value);
QString Tr(const char* key);

// The values a run keeps, shown in a table beside the drawing.
enum class TableKind { None, Distances, Matrix, Flows, Colours };

TableKind TableOf(const QString& name);

// An undirected edge is one element for both of its cells, named by its lower end.
bool IsEdge(const GraphDocument& g, int a, int b);
QString ArcId(const GraphDocument& g, int a, int b);

// The program's fill 0x00BBGGRR as a web colour, and the ink that reads on it.
QString WebColour(int fill);
QString InkOn(int fill);

// What the frames need to know about the run before the drawing is written.
struct PagePlan {
    TableKind table = TableKind::None;
    std::set<int> vertexStates;
    std::set<int> arcStates;
    bool captions = false;
    int colours = 0;                        // the largest colour number given
    std::map<int, int> fillOfColour;        // colour number -> the program's fill
    std::vector<std::pair<int, int>> flows; // arcs in table order
    std::vector<std::vector<int>> matrices; // the distance matrix as filled and after each pass
};

QString Cell(int row, int column);
QString DistanceText(int value);
QString FlowText(int flow, int capacity);

// The decisions the frames and the table share: which table, its rows, its matrices.
void PlanTable(const GraphDocument& g, const AlgorithmResult& result, const WalkthroughTask& task,
               PagePlan& plan);

// The graph as inline SVG: arcs, their labels nudged apart, vertices with the task's ends marked.
QString GraphSvg(const GraphDocument& g, const WalkthroughTask& task, const PagePlan& plan,
                 const QString& label);

// Each frame: its narration and its changes as [kind, a, b, value]: 0 a vertex state, 1 the
// state of the arc or edge a_b, 2 a vertex caption, 3 an arc's label, 4 a vertex fill ("fill
// ink"), 5 table cell (a, b). The plan learns the states and captions the frames use, for the
// legend.
QJsonArray WriteFrames(const GraphDocument& g, const AlgorithmResult& result, PagePlan& plan,
                       const QStringList& answer);

QString TableHtml(const GraphDocument& g, const WalkthroughTask& task, const PagePlan& plan);

QString LegendHtml(const WalkthroughTask& task, const PagePlan& plan);

// The task in words: the graph's name and size, and the start and finish when it has them.
QString TaskLine(const GraphDocument& g, const WalkthroughTask& task);

} // namespace WalkthroughParts
