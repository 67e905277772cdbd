#include "algorithms/RunAlgorithm.h"

#include "algorithms/ShortestPaths.h"
#include "base/TranslateManager.h"
#include "document/AllGrafUnit.h"

#include <QElapsedTimer>

namespace {

using Vertices = AlgorithmInfo::Vertices;

bool Weighted(const TAllGraf& g)
{
    return g.IsHaveCost;
}
bool Undirected(const TAllGraf& g)
{
    return g.IsOrint == 0;
}
bool WeightedDirected(const TAllGraf& g)
{
    return g.IsHaveCost && g.IsOrint == 2;
}

bool RunDijkstra(AlgorithmCall& c)
{
    DijkstraShortestPath(c.graf, c.first, c.second, c.graf.PointCount, c.graf.PathPoints,
                         c.result.resultCount, c.result.resultValue);
    return true;
}

// Columns: name, rule, refusal key, vertices, warn when weighted, common tail, before check, runner.
const std::vector<AlgorithmInfo> table = {
    {"FindTraceDekctri", Weighted, "Not_load_graph", Vertices::StartAndFinish, false, true, nullptr,
     RunDijkstra},
    {"IsThree", Undirected, "Not_ortgraf", Vertices::None, false, true, nullptr, nullptr},
    {"FindTraceFloid", Weighted, "Not_load_graph", Vertices::StartAndFinish, false, true, nullptr, nullptr},
    {"FindTraceFordBellama", Weighted, "Not_load_graph", Vertices::StartAndFinish, false, true, nullptr,
     nullptr},
    {"FindTraceWaveFront", nullptr, nullptr, Vertices::StartAndFinish, true, true, nullptr, nullptr},
    {"FindTraceAlgTerry", nullptr, nullptr, Vertices::StartAndFinish, true, true, nullptr, nullptr},
    {"FindElersCep", nullptr, nullptr, Vertices::None, false, true, nullptr, nullptr},
    {"FindElersLoop", nullptr, nullptr, Vertices::None, false, true, nullptr, nullptr},
    {"FindGameltosCep", Undirected, "Not_ortgraf", Vertices::None, false, true, nullptr, nullptr},
    {"FindGameltosLoop", Undirected, "Not_ortgraf", Vertices::None, false, true, nullptr, nullptr},
    {"FindMinBasic", Undirected, "Not_ortgraf", Vertices::None, false, true, nullptr, nullptr},
    {"FindColors", Undirected, "Not_ortgraf", Vertices::None, false, false, nullptr, nullptr},
    {"FindColorsAlternativ", Undirected, "Not_ortgraf", Vertices::None, false, false, nullptr, nullptr},
    {"MonolitIs", Undirected, "Not_ortgraf", Vertices::None, false, true, nullptr, nullptr},
    {"FindExcentrisetet", nullptr, nullptr, Vertices::One, false, false, nullptr, nullptr},
    {"FindRadiusAndDiametr", Undirected, "Not_ortgraf", Vertices::None, false, false, nullptr, nullptr},
    {"FindStreamMax", WeightedDirected, "algoritm_not_for_load_orgraf", Vertices::None, false, false, nullptr,
     nullptr},
    {"FindStreamMaxSuper", WeightedDirected, "algoritm_not_for_load_orgraf", Vertices::None, false, false,
     nullptr, nullptr},
    {"IsPlanar", Undirected, "Not_ortgraf", Vertices::None, false, false, nullptr, nullptr},
    {"FindMaxClickBronKerbosch", Undirected, "Not_ortgraf", Vertices::None, false, true, nullptr, nullptr},
    {"IsGrafAloop", nullptr, nullptr, Vertices::None, false, true, nullptr, nullptr},
    {"FindCriticalPath", WeightedDirected, "algorint_only_for_load_orgraf", Vertices::None, false, true,
     nullptr, nullptr},
};

bool RuleHolds(const AlgorithmInfo& info, const TAllGraf& g)
{
    return !info.applicable || info.applicable(g);
}

// The vertices a row needs must exist; anything else would index past the document.
bool VerticesExist(const AlgorithmInfo& info, const TAllGraf& g, int first, int second)
{
    auto exists = [&g](int v) { return v >= 1 && v <= g.PointCount; };
    switch (info.vertices) {
    case Vertices::StartAndFinish:
        return exists(first) && exists(second);
    case Vertices::One:
        return first <= g.PointCount; // 0 is "none selected", the runner refuses it
    case Vertices::None:
        return true;
    }
    return false;
}

} // namespace

const std::vector<AlgorithmInfo>& Algorithms()
{
    return table;
}

const AlgorithmInfo* FindAlgorithm(const QString& name)
{
    for (const AlgorithmInfo& info : table)
        if (name == QLatin1String(info.name))
            return &info;
    return nullptr;
}

bool IsAlgorithmApplicable(const TAllGraf& graf, const QString& name)
{
    const AlgorithmInfo* info = FindAlgorithm(name);
    return info && info->run && RuleHolds(*info, graf);
}

void RunAlgorithm(TAllGraf& graf, const QString& name, int first, int second, AlgorithmRun* result)
{
    AlgorithmRun local;
    AlgorithmRun& run = result ? *result : local;
    run = AlgorithmRun{};

    graf.ClearActive();
    if (graf.PointCount == 0 || first < 0 || second < 0)
        return;
    const AlgorithmInfo* info = FindAlgorithm(name);
    if (!info || !info->run || !VerticesExist(*info, graf, first, second))
        return;

    const bool applicable = RuleHolds(*info, graf);
    if (info->beforeCheck)
        info->beforeCheck(graf, applicable);
    if (!applicable) {
        if (info->refusalKey)
            graf.Host().ShowError(Translate(QLatin1String(info->refusalKey)));
        return;
    }
    if (info->warnWhenWeighted && graf.IsHaveCost)
        graf.Host().ShowError(Translate(QStringLiteral("Algor_not_for_load")) + QLatin1Char('\r') +
                              Translate(QStringLiteral("Find_trace_ignory_load")));

    AlgorithmCall call{graf, first, second, run};
    QElapsedTimer timer;
    timer.start();
    run.ran = info->run(call);
    run.elapsedNs = timer.nsecsElapsed();
    if (!run.ran || !info->commonTail)
        return;

    if (run.resultCount > 0)
        graf.MarkPath(run.resultCount);
    graf.Host().Redraw();
    // The Text pane's caret goes back to its start; the window that shows the pane does that.
}
