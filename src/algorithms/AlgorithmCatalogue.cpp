// The catalogue: one row per algorithm command, in menu order.
#include "algorithms/Colouring.h"
#include "algorithms/Connectivity.h"
#include "algorithms/CriticalPath.h"
#include "algorithms/EulerRoutes.h"
#include "algorithms/HamiltonRoutes.h"
#include "algorithms/MaxFlow.h"
#include "algorithms/MaximumClique.h"
#include "algorithms/PathSearches.h"
#include "algorithms/Planarity.h"
#include "algorithms/RunAlgorithm.h"
#include "algorithms/ShortestPaths.h"
#include "algorithms/SpanningTree.h"
#include "base/TranslationManager.h"
#include "document/GraphDocument.h"

namespace {

using Vertices = AlgorithmInfo::Vertices;
using Menu = AlgorithmMenu;

bool Weighted(const GraphDocument& g)
{
    return g.Weighted;
}
bool Undirected(const GraphDocument& g)
{
    return !g.Directed;
}
bool WeightedDirected(const GraphDocument& g)
{
    return g.Weighted && g.Directed;
}

AlgorithmResult RunDijkstra(const AlgorithmCall& c)
{
    return DijkstraShortestPath(c.graf, c.first, c.second, c.graf.VertexCount, c.recordSteps);
}
AlgorithmResult RunFloydWarshall(const AlgorithmCall& c)
{
    return FloydWarshallPath(c.graf, c.first, c.second, c.graf.VertexCount, c.recordSteps);
}
AlgorithmResult RunBellmanFord(const AlgorithmCall& c)
{
    return BellmanFordPath(c.graf, c.first, c.second, c.graf.VertexCount, c.recordSteps);
}
AlgorithmResult RunWaveFront(const AlgorithmCall& c)
{
    return WaveFrontPath(c.graf, c.first, c.second, c.graf.VertexCount, c.recordSteps);
}
AlgorithmResult RunTarry(const AlgorithmCall& c)
{
    return TarryPath(c.graf, c.first, c.second, c.graf.VertexCount, c.recordSteps);
}
AlgorithmResult RunConnectivity(const AlgorithmCall& c)
{
    return ConnectivityTest(c.graf, c.recordSteps);
}
AlgorithmResult RunEccentricity(const AlgorithmCall& c)
{
    AlgorithmResult result;
    if (c.first <= 0) {
        result.Refuse(Translate(QStringLiteral("need_select_graph")));
        return result;
    }
    return Eccentricity(c.graf, c.first, c.recordSteps);
}
AlgorithmResult RunRadiusAndDiameter(const AlgorithmCall& c)
{
    return RadiusAndDiameter(c.graf, c.recordSteps);
}
AlgorithmResult RunTreeTest(const AlgorithmCall& c)
{
    return TreeTest(c.graf, c.recordSteps);
}

// The Text pane is emptied even when the check then refuses.
void EmptyPaneFirst(const GraphDocument&, bool, AlgorithmResult& shown)
{
    shown.Clear();
}
// A directed graph: the panes go blank (an empty report shown), then the refusal.
void BlankBeforeRefusal(const GraphDocument&, bool applicable, AlgorithmResult& shown)
{
    if (applicable)
        return;
    shown.Clear();
    shown.ShowReport();
}

// Euler walks: the construction for undirected graphs, the search for directed ones.
AlgorithmResult RunEulerCycle(const AlgorithmCall& c)
{
    return c.graf.Directed ? FindEulerCycleDirected(c.graf, c.recordSteps)
                           : FindEulerCycle(c.graf, c.recordSteps);
}
AlgorithmResult RunEulerChain(const AlgorithmCall& c)
{
    return c.graf.Directed ? FindEulerChainDirected(c.graf, c.recordSteps)
                           : FindEulerChain(c.graf, c.recordSteps);
}
AlgorithmResult RunHamiltonCycle(const AlgorithmCall& c)
{
    return FindHamiltonCycle(c.graf, c.recordSteps);
}
AlgorithmResult RunHamiltonChain(const AlgorithmCall& c)
{
    return FindHamiltonChain(c.graf, c.recordSteps);
}
AlgorithmResult RunFindCycle(const AlgorithmCall& c)
{
    return FindCycle(c.graf, c.recordSteps);
}
// The critical path is defined only without cycles: a cycle refuses the run.
AlgorithmResult RunCriticalPath(const AlgorithmCall& c)
{
    if (!FindCycleRoute(c.graf).empty()) {
        AlgorithmResult refused;
        refused.Refuse(Translate(QStringLiteral("Graf_have_cicle")));
        return refused;
    }
    return CriticalPath(c.graf, c.recordSteps);
}

AlgorithmResult RunColourBreadthFirst(const AlgorithmCall& c)
{
    return ColourBreadthFirst(c.graf, c.recordSteps);
}
AlgorithmResult RunColourByDegree(const AlgorithmCall& c)
{
    return ColourByDegree(c.graf, c.recordSteps);
}

AlgorithmResult RunMinimumSpanningTree(const AlgorithmCall& c)
{
    return FindMinimumSpanningTree(c.graf, c.recordSteps);
}

AlgorithmResult RunMaxFlow(const AlgorithmCall& c)
{
    return MaxFlow(c.graf, c.recordSteps);
}
AlgorithmResult RunMaxFlowMulti(const AlgorithmCall& c)
{
    return MaxFlowMulti(c.graf, c.recordSteps);
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
     .alias = "tarry",
     .vertices = Vertices::StartAndFinish,
     .warnWhenWeighted = true,
     .run = RunTarry,
     .menu = Menu::PathSearch,
     .action = "actAlgoritmTerry",
     .captionKey = "AlgoritmTerry",
     .popup = true},
    {.name = "FindTraceWaveFront",
     .alias = "bfs-wave",
     .vertices = Vertices::StartAndFinish,
     .warnWhenWeighted = true,
     .run = RunWaveFront,
     .menu = Menu::PathSearch,
     .action = "actAlgoritmVawe",
     .captionKey = "AlgoritmVawe",
     .popup = true},
    {.name = "FindTraceFordBellama",
     .alias = "bellman-ford",
     .applicable = Weighted,
     .refusalKey = "Not_load_graph",
     .vertices = Vertices::StartAndFinish,
     .run = RunBellmanFord,
     .menu = Menu::PathSearch,
     .action = "actAlgoritmFordBelman",
     .captionKey = "AlgoritmFordBelman",
     .popup = true},
    {.name = "FindTraceDekctri",
     .alias = "dijkstra",
     .applicable = Weighted,
     .refusalKey = "Not_load_graph",
     .vertices = Vertices::StartAndFinish,
     .run = RunDijkstra,
     .menu = Menu::PathSearch,
     .action = "actAlgoritmDejkstri",
     .captionKey = "AlgoritmDejkstri",
     .popup = true},
    {.name = "FindTraceFloid",
     .alias = "floyd",
     .applicable = Weighted,
     .refusalKey = "Not_load_graph",
     .vertices = Vertices::StartAndFinish,
     .run = RunFloydWarshall,
     .menu = Menu::PathSearch,
     .action = "actAlgoritmFloid",
     .captionKey = "AlgoritmFloid",
     .popup = true},

    {.name = "FindElersLoop",
     .alias = "euler-cycle",
     .run = RunEulerCycle,
     .menu = Menu::Euler,
     .action = "actEulerLoop",
     .captionKey = "FindLoop",
     .shortcut = "Ctrl+E"},
    {.name = "FindElersCep",
     .alias = "euler-path",
     .run = RunEulerChain,
     .menu = Menu::Euler,
     .action = "actEulerChain",
     .captionKey = "FindTrace",
     .shortcut = "Ctrl+Alt+E"},
    {.name = "FindGameltosLoop",
     .alias = "hamilton-cycle",
     .applicable = Undirected,
     .refusalKey = "Not_ortgraf",
     .run = RunHamiltonCycle,
     .menu = Menu::Hamilton,
     .action = "actHamiltonLoop",
     .captionKey = "FindLoop",
     .shortcut = "Ctrl+G"},
    {.name = "FindGameltosCep",
     .alias = "hamilton-path",
     .applicable = Undirected,
     .refusalKey = "Not_ortgraf",
     .run = RunHamiltonChain,
     .menu = Menu::Hamilton,
     .action = "actHamiltonChain",
     .captionKey = "FindTrace",
     .shortcut = "Ctrl+Alt+G"},

    {.name = "FindColors",
     .alias = "colouring-breadth-first",
     .applicable = Undirected,
     .refusalKey = "Not_ortgraf",
     .commonTail = false,
     .run = RunColourBreadthFirst,
     .action = "actDeterminHromNumber",
     .captionKey = "DeterminHromNumber",
     .icon = "algo-colors",
     .shortcut = "Ctrl+Alt+C",
     .toolbarPosition = 1},
    {.name = "FindMinBasic",
     .alias = "min-spanning-tree",
     .applicable = Undirected,
     .refusalKey = "Not_ortgraf",
     .run = RunMinimumSpanningTree,
     .action = "actFindMinimalTree",
     .captionKey = "FindMinimalTree",
     .icon = "algo-tree-min",
     .shortcut = "Ctrl+Alt+M",
     .toolbarPosition = 2},
    {.name = "FindStreamMax",
     .alias = "max-flow",
     .applicable = WeightedDirected,
     .refusalKey = "algoritm_not_for_load_orgraf",
     .commonTail = false,
     .run = RunMaxFlow,
     .action = "actFindMaxStream",
     .captionKey = "FindMaxStream",
     .icon = "algo-flow-multi",
     .shortcut = "Ctrl+M"},
    {.name = "MonolitIs",
     .alias = "connectivity",
     .applicable = Undirected,
     .refusalKey = "Not_ortgraf",
     .beforeCheck = EmptyPaneFirst,
     .run = RunConnectivity,
     .action = "actConnectionDetermin",
     .captionKey = "ConnectionDetermin"},
    {.name = "FindExcentrisetet",
     .alias = "eccentricity",
     .vertices = Vertices::One,
     .commonTail = false,
     .run = RunEccentricity,
     .action = "actExtrensGraf",
     .captionKey = "ExtrensGraf"},
    {.name = "FindRadiusAndDiametr",
     .alias = "radius-diameter",
     .applicable = Undirected,
     .refusalKey = "Not_ortgraf",
     .commonTail = false,
     .beforeCheck = BlankBeforeRefusal,
     .run = RunRadiusAndDiameter,
     .action = "actDeterminRadiusDiametr",
     .captionKey = "DeterminRadiusDiametr",
     .icon = "algo-radius",
     .toolbarPosition = 4},
    {.name = "IsThree",
     .alias = "tree-test",
     .applicable = Undirected,
     .refusalKey = "Not_ortgraf",
     .run = RunTreeTest,
     .action = "actIsGrafTree",
     .captionKey = "IsGrafTree",
     .icon = "algo-tree-test",
     .toolbarPosition = 5},
    {.name = "FindCriticalPath",
     .alias = "critical-path",
     .applicable = WeightedDirected,
     .refusalKey = "algorint_only_for_load_orgraf",
     .run = RunCriticalPath,
     .action = "actFindCriticalTrace",
     .captionKey = "FindCriticalTrace",
     .icon = "algo-critical",
     .toolbarPosition = 6},
    {.name = "FindMaxClickBronKerbosch",
     .alias = "max-clique",
     .applicable = Undirected,
     .refusalKey = "Not_ortgraf",
     .run = RunMaximumClique,
     .action = "actMaxClick",
     .captionKey = "MaxClick"},

    {.name = "FindStreamMaxSuper",
     .alias = "max-flow-multi",
     .applicable = WeightedDirected,
     .refusalKey = "algoritm_not_for_load_orgraf",
     .commonTail = false,
     .run = RunMaxFlowMulti,
     .menu = Menu::Special,
     .action = "actMaxStream",
     .captionKey = "MaxStream",
     .icon = "algo-flow-multi",
     .toolbarPosition = 3},
    {.name = "IsGrafAloop",
     .alias = "acyclicity",
     .run = RunFindCycle,
     .menu = Menu::Special,
     .action = "actDeterminALoop",
     .captionKey = "DeterminALoop",
     .icon = "algo-acyclic",
     .toolbarPosition = 7},
    {.name = "FindColorsAlternativ",
     .alias = "colouring-by-degree",
     .applicable = Undirected,
     .refusalKey = "Not_ortgraf",
     .commonTail = false,
     .run = RunColourByDegree,
     .menu = Menu::Special,
     .action = "actFindHromNumberAlternativ",
     .captionKey = "FindHromNumberAlternativ",
     .icon = "algo-colors"},
    {.name = "IsPlanar",
     .alias = "planarity",
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

const AlgorithmInfo* FindAlgorithmOrAlias(const QString& name)
{
    if (const AlgorithmInfo* info = FindAlgorithm(name))
        return info;
    for (const AlgorithmInfo& info : table)
        if (name == QLatin1String(info.alias))
            return &info;
    return nullptr;
}

bool RuleHolds(const AlgorithmInfo& info, const GraphDocument& graf)
{
    return !info.applicable || info.applicable(graf);
}

bool IsAlgorithmApplicable(const GraphDocument& graf, const QString& name)
{
    const AlgorithmInfo* info = FindAlgorithm(name);
    return info && info->run && RuleHolds(*info, graf);
}
