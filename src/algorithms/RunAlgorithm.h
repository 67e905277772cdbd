#pragma once

#include "algorithms/AlgorithmResult.h"

#include <QString>
#include <QtGlobal>
#include <vector>

class GraphDocument;
class ProgramHost;
struct ResultPanes;

// What an algorithm's runner gets: the document, read only, and the chosen vertices.
struct AlgorithmCall {
    const GraphDocument& graf;
    int first;
    int second;
    // Record the step trace (off unless playback or a caller asks for it).
    bool recordSteps = false;
};

// Where a command sits in the main window.
enum class AlgorithmMenu { PathSearch, Euler, Hamilton, Algorithms, Special };

// One row of the catalogue: the command vocabulary shared by the dispatcher, the menus, the
// toolbar, the vertex popup, nodeloom-cli and its JSON.
struct AlgorithmInfo {
    enum class Vertices { None, StartAndFinish, One };

    const char* name;
    // The readable name nodeloom-cli also takes ("dijkstra"): lowercase, hyphenated, unique.
    const char* alias = nullptr;
    // Null: always applicable.
    bool (*applicable)(const GraphDocument&) = nullptr;
    // Message shown when not applicable; null for a silent refusal.
    const char* refusalKey = nullptr;
    Vertices vertices = Vertices::None;
    // Weighted graphs get a warning and the search runs ignoring the weights.
    bool warnWhenWeighted = false;
    // After the run: highlight the route and redraw (false: the result is shown as it is).
    bool commonTail = true;
    // What the few rows that show something before their check (even when they refuse)
    // show; told whether the rule holds.
    void (*beforeCheck)(const GraphDocument&, bool applicable, AlgorithmResult& shown) = nullptr;
    // Null until the algorithm is built.
    AlgorithmResult (*run)(const AlgorithmCall&) = nullptr;

    // The command: its menu, action name, caption key, icon, shortcut (portable text), whether
    // the vertex popup offers it, and its place on the toolbar (0: none).
    AlgorithmMenu menu = AlgorithmMenu::Algorithms;
    const char* action = nullptr;
    const char* captionKey = nullptr;
    const char* icon = nullptr;
    const char* shortcut = nullptr;
    bool popup = false;
    int toolbarPosition = 0;
};

// The 22 rows in menu order.
const std::vector<AlgorithmInfo>& Algorithms();
const AlgorithmInfo* FindAlgorithm(const QString& name);
// By the dispatcher name or the alias.
const AlgorithmInfo* FindAlgorithmOrAlias(const QString& name);

// The rule of the row alone (true for rows without one).
bool RuleHolds(const AlgorithmInfo& info, const GraphDocument& graf);
// Whether a menu command for the name is enabled: a known, built algorithm whose rule holds.
bool IsAlgorithmApplicable(const GraphDocument& graf, const QString& name);

// How one run went.
struct AlgorithmRun {
    bool ran = false; // the algorithm itself was called (refusals and no-ops leave it false)
    AlgorithmResult result;
    qint64 elapsedNs = 0; // the algorithm alone
    qint64 writeNs = 0;   // presenting it: the panes, the report file, the picture
};

struct RunOptions {
    bool recordSteps = false;
};

// Clears the highlighting, checks, runs and presents the algorithm: messages and pictures
// through the host, text and report to the panes. first and second are 1-based vertex
// numbers (0 when the command has none).
void RunAlgorithm(GraphDocument& graf, ProgramHost& host, ResultPanes& panes, const QString& name, int first,
                  int second, AlgorithmRun* run = nullptr, RunOptions options = {});

// Shows a result: the Text pane, the report, messages through the host, then either its own
// picture or, with the common tail, the route highlighted and the document redrawn.
void PresentResult(GraphDocument& graf, ProgramHost& host, ResultPanes& panes, const AlgorithmResult& result,
                   bool commonTail);
