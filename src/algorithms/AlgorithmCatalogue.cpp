// The catalogue: one row per algorithm command, in menu order.
#include "algorithms/MaximumClique.h"
#include "algorithms/Planarity.h"
#include "algorithms/RunAlgorithm.h"
#include "algorithms/ShortestPaths.h"
#include "document/AllGrafUnit.h"

namespace {

using Vertices = AlgorithmInfo::Vertices;
using Menu = AlgorithmMenu;

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

AlgorithmResult RunDijkstra(const AlgorithmCall& c)
{
    return DijkstraShortestPath(c.graf, c.first, c.second, c.graf.PointCount, c.recordSteps);
}

AlgorithmResult RunMaximumClique(const AlgorithmCall& c)
{
    return MaximumClique(c.graf, c.recordSteps);
}

AlgorithmResult RunPlanarityTest(const AlgorithmCall& c)
{
    return PlanarityTest(c.graf, c.recordSteps);
}

const std::vector<AlgorithmInfo> table = {
    // Path searches: the path menu after SelectPathEnds, and the vertex popup.
    {.name = "FindTraceAlgTerry",
     .vertices = Vertices::StartAndFinish,
     .warnWhenWeighted = true,
     .menu = Menu::PathSearch,
     .action = "actAlgoritmTerry",
     .captionKey = "AlgoritmTerry",
     .popup = true},
    {.name = "FindTraceWaveFront",
     .vertices = Vertices::StartAndFinish,
     .warnWhenWeighted = true,
     .menu = Menu::PathSearch,
     .action = "actAlgoritmVawe",
     .captionKey = "AlgoritmVawe",
     .popup = true},
    {.name = "FindTraceFordBellama",
     .applicable = Weighted,
     .refusalKey = "Not_load_graph",
     .vertices = Vertices::StartAndFinish,
     .menu = Menu::PathSearch,
     .action = "actAlgoritmFordBelman",
     .captionKey = "AlgoritmFordBelman",
     .popup = true},
    {.name = "FindTraceDekctri",
     .applicable = Weighted,
     .refusalKey = "Not_load_graph",
     .vertices = Vertices::StartAndFinish,
     .run = RunDijkstra,
     .menu = Menu::PathSearch,
     .action = "actAlgoritmDejkstri",
     .captionKey = "AlgoritmDejkstri",
     .popup = true},
    {.name = "FindTraceFloid",
     .applicable = Weighted,
     .refusalKey = "Not_load_graph",
     .vertices = Vertices::StartAndFinish,
     .menu = Menu::PathSearch,
     .action = "actAlgoritmFloid",
     .captionKey = "AlgoritmFloid",
     .popup = true},

    {.name = "FindElersLoop",
     .menu = Menu::Euler,
     .action = "actEulerLoop",
     .captionKey = "FindLoop",
     .shortcut = "Ctrl+E"},
    {.name = "FindElersCep",
     .menu = Menu::Euler,
     .action = "actEulerChain",
     .captionKey = "FindTrace",
     .shortcut = "Ctrl+Alt+E"},
    {.name = "FindGameltosLoop",
     .applicable = Undirected,
     .refusalKey = "Not_ortgraf",
     .menu = Menu::Hamilton,
     .action = "actHamiltonLoop",
     .captionKey = "FindLoop",
     .shortcut = "Ctrl+G"},
    {.name = "FindGameltosCep",
     .applicable = Undirected,
     .refusalKey = "Not_ortgraf",
     .menu = Menu::Hamilton,
     .action = "actHamiltonChain",
     .captionKey = "FindTrace",
     .shortcut = "Ctrl+Alt+G"},

    {.name = "FindColors",
     .applicable = Undirected,
     .refusalKey = "Not_ortgraf",
     .commonTail = false,
     .action = "actDeterminHromNumber",
     .captionKey = "DeterminHromNumber",
     .icon = "algo-colors",
     .shortcut = "Ctrl+Alt+C",
     .toolbarPosition = 1},
    {.name = "FindMinBasic",
     .applicable = Undirected,
     .refusalKey = "Not_ortgraf",
     .action = "actFindMinimalTree",
     .captionKey = "FindMinimalTree",
     .icon = "algo-tree-min",
     .shortcut = "Ctrl+Alt+M",
     .toolbarPosition = 2},
    {.name = "FindStreamMax",
     .applicable = WeightedDirected,
     .refusalKey = "algoritm_not_for_load_orgraf",
     .commonTail = false,
     .action = "actFindMaxStream",
     .captionKey = "FindMaxStream",
     .icon = "algo-flow-multi",
     .shortcut = "Ctrl+M"},
    {.name = "MonolitIs",
     .applicable = Undirected,
     .refusalKey = "Not_ortgraf",
     .action = "actConnectionDetermin",
     .captionKey = "ConnectionDetermin"},
    {.name = "FindExcentrisetet",
     .vertices = Vertices::One,
     .commonTail = false,
     .action = "actExtrensGraf",
     .captionKey = "ExtrensGraf"},
    {.name = "FindRadiusAndDiametr",
     .applicable = Undirected,
     .refusalKey = "Not_ortgraf",
     .commonTail = false,
     .action = "actDeterminRadiusDiametr",
     .captionKey = "DeterminRadiusDiametr",
     .icon = "algo-radius",
     .toolbarPosition = 4},
    {.name = "IsThree",
     .applicable = Undirected,
     .refusalKey = "Not_ortgraf",
     .action = "actIsGrafTree",
     .captionKey = "IsGrafTree",
     .icon = "algo-tree-test",
     .toolbarPosition = 5},
    {.name = "FindCriticalPath",
     .applicable = WeightedDirected,
     .refusalKey = "algorint_only_for_load_orgraf",
     .action = "actFindCriticalTrace",
     .captionKey = "FindCriticalTrace",
     .icon = "algo-critical",
     .toolbarPosition = 6},
    {.name = "FindMaxClickBronKerbosch",
     .applicable = Undirected,
     .refusalKey = "Not_ortgraf",
     .run = RunMaximumClique,
     .action = "actMaxClick",
     .captionKey = "MaxClick"},

    {.name = "FindStreamMaxSuper",
     .applicable = WeightedDirected,
     .refusalKey = "algoritm_not_for_load_orgraf",
     .commonTail = false,
     .menu = Menu::Special,
     .action = "actMaxStream",
     .captionKey = "MaxStream",
     .icon = "algo-flow-multi",
     .toolbarPosition = 3},
    {.name = "IsGrafAloop",
     .menu = Menu::Special,
     .action = "actDeterminALoop",
     .captionKey = "DeterminALoop",
     .icon = "algo-acyclic",
     .toolbarPosition = 7},
    {.name = "FindColorsAlternativ",
     .applicable = Undirected,
     .refusalKey = "Not_ortgraf",
     .commonTail = false,
     .menu = Menu::Special,
     .action = "actFindHromNumberAlternativ",
     .captionKey = "FindHromNumberAlternativ",
     .icon = "algo-colors"},
    {.name = "IsPlanar",
     .applicable = Undirected,
     .refusalKey = "Not_ortgraf",
     .commonTail = false,
     .run = RunPlanarityTest,
     .menu = Menu::Special,
     .action = "actDeterminPlanar",
     .captionKey = "DeterminPlanar"},
};

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

bool RuleHolds(const AlgorithmInfo& info, const TAllGraf& graf)
{
    return !info.applicable || info.applicable(graf);
}

bool IsAlgorithmApplicable(const TAllGraf& graf, const QString& name)
{
    const AlgorithmInfo* info = FindAlgorithm(name);
    return info && info->run && RuleHolds(*info, graf);
}
