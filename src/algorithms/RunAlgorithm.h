#pragma once

#include <QString>
#include <vector>

class TAllGraf;

// What one run hands back: the run-scoped integers of the algorithms and how far the run got.
struct AlgorithmRun {
    int resultCount = 0;  // entries of PathPoints to highlight (or the algorithm's count)
    int resultValue = 0;  // path length, tree weight, ...
    bool ran = false;     // the algorithm itself was called (refusals and no-ops leave it false)
    qint64 elapsedNs = 0; // time spent in the algorithm alone
};

// Everything an algorithm's runner gets: the document, the chosen vertices, the result.
struct AlgorithmCall {
    TAllGraf& graf;
    int first;
    int second;
    AlgorithmRun& result;
};

// One row of the dispatcher: the command vocabulary of the menus, the dispatcher and the CLI.
struct AlgorithmInfo {
    enum class Vertices { None, StartAndFinish, One };

    const char* name;
    // Null: always applicable.
    bool (*applicable)(const TAllGraf&);
    // Message shown when not applicable; null for a silent refusal.
    const char* refusalKey;
    Vertices vertices;
    // Weighted graphs get a warning and the search runs ignoring the weights.
    bool warnWhenWeighted;
    // After the run: highlight the route and redraw (false: the algorithm presents itself).
    bool commonTail;
    // Called before the applicability check, told whether it holds; the few rows that show
    // something even when they refuse do it here.
    void (*beforeCheck)(TAllGraf&, bool applicable);
    // Null until the algorithm is built: the name then does nothing, like an unknown one.
    // False when the runner refused after its own check (message shown); the run ends there.
    bool (*run)(AlgorithmCall&);
};

// The 22 rows, in the dispatcher's order.
const std::vector<AlgorithmInfo>& Algorithms();
const AlgorithmInfo* FindAlgorithm(const QString& name);

// Whether a menu command for the name is enabled: a known, built algorithm whose rule holds.
bool IsAlgorithmApplicable(const TAllGraf& graf, const QString& name);

// Clears the highlighting, checks, runs and presents the algorithm. first and second are
// 1-based vertex numbers (0 when the command has none).
void RunAlgorithm(TAllGraf& graf, const QString& name, int first, int second, AlgorithmRun* result = nullptr);
