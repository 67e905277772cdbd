#pragma once

#include <QList>
#include <QPoint>
#include <QString>
#include <QStringList>

// One picture of the manual: a graph drawn by the program, the same graph after an algorithm,
// or a screenshot of one of its windows.
struct ManualPicture {
    QString name;     // the section name; chapters refer to it as NAME.png
    QString kind;     // "graph", "algorithm" or "window"
    QString window;   // for kind=window: main, new-graph, matrix, ...
    QStringList rows; // adjacency matrix rows, entries separated by commas
    bool directed = false;
    bool weighted = false;
    QString naming = QStringLiteral("numbers"); // numbers | letters | hand:Name1,Name2,...
    QList<QPoint> positions;
    QString generate; // a ready-made graph instead of a matrix: "KIND P1 P2 P" as nodeloom-cli takes them
    unsigned seed = 1;
    int minWeight = 0, maxWeight = 0; // weights of a ready-made graph; 0: none
    QString layout; // a layout applied after the graph is built: circle, grid, fr, kk, layered, tree
    QString algorithm;
    int from = 0;
    int to = 0;
    // For a window: the step-by-step bar at this frame of the run, counted from 1 as the bar
    // counts; 0 leaves the bar where the run left it.
    int frame = 0;
    int width = 600;
    int height = 400;
    bool sized = false; // width or height given
    // Parts of the main window numbered on its screenshot, in order: menubar, toolbar, drawing,
    // splitter, results, status.
    QStringList callouts;
    int line = 0; // where the section starts, for messages
};

// Reads the pictures file: INI sections with key=value lines; ";" starts a comment at the
// start of a line or after a blank. Problems go to errors with their line numbers.
QList<ManualPicture> ReadPictureManifest(const QString& fileName, QStringList& errors);
