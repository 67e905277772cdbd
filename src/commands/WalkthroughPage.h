#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

class GraphDocument;
struct AlgorithmResult;

// What a page says the run was asked: the algorithm, the graph and its chosen vertices.
struct WalkthroughTask {
    QString name{};      // the catalogue name, which picks the page's table
    QString title{};     // the algorithm as the page names it (WalkthroughTitle)
    QString graphName{}; // the graph file's name; empty for a graph never saved
    int first = 0;       // the start or the single chosen vertex, 0 when the command takes none
    int second = 0;      // the finish, 0 when the command takes none
    // What the run said when it gave no result of its own (a refusal before it started).
    QStringList messages{};
};

// The algorithm as a page names it: the command's caption, after its menu's where the caption
// alone ("Find cycle") would not say which.
QString WalkthroughTitle(const QString& name);

// One self-contained web page that walks through the recorded steps of a run: a header with
// the task, the graph as inline SVG with the start and finish marked, a table of the values
// the algorithm keeps (distances, a matrix, flows, colours) with the cells each frame changes
// marked, the legend of the states the run uses, the answer, and the controls and keys of the
// playback (first, back, play, forward, last, a slider, a speed). Printed, it is a handout:
// task, legend, answer and every frame as a small panel with its narration. Every page has at
// least the frame of its answer. It opens offline in any current browser, at frame N when its
// address ends in "#N".
QByteArray WalkthroughPage(const GraphDocument& graf, const AlgorithmResult& result,
                           const WalkthroughTask& task);
