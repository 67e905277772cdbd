#include "algorithms/MaximumClique.h"

#include "base/TranslationManager.h"
#include "document/GraphDocument.h"
#include "report/HTMLReport.h"

namespace {

using Arg = StepTrace::Argument;
using VertexState = StepTrace::VertexState;
using ArcState = StepTrace::ArcState;

} // namespace

AdjacencySets CliqueAdjacency(const GraphDocument& g)
{
    AdjacencySets adjacency(std::size_t(g.VertexCount) + 1);
    for (int u = 1; u <= g.VertexCount; ++u)
        for (int v : g.OutArcs(u))
            if (g.Arc(u, v).Weight > 0 && v != u) {
                adjacency[u].Insert(v);
                adjacency[v].Insert(u);
            }
    return adjacency;
}

CliqueSearch::CliqueSearch(const AdjacencySets& adjacency, int vertexCount)
    : adjacency(adjacency), vertexCount(vertexCount)
{
}

bool CliqueSearch::Run()
{
    clique.clear();
    best.clear();
    maximalCount = 0;
    stopped = false;
    VertexSet candidates;
    for (int v = 1; v <= vertexCount; ++v)
        candidates.Insert(v);
    clique.reserve(std::size_t(vertexCount));
    ExtendClique(candidates, VertexSet());
    return !stopped;
}

bool CliqueSearch::Dominated(const VertexSet& candidates, const VertexSet& excluded) const
{
    // A dominating vertex is adjacent to the highest and the lowest candidate in particular,
    // which leaves few to try in full.
    const VertexSet possible = excluded & adjacency[candidates.Highest()] & adjacency[candidates.Lowest()];
    for (int x : possible)
        if (candidates.SubsetOf(adjacency[x])) {
            if (steps && steps->Enabled())
                steps->Step("step_clique_cut", {Arg::Vertex(x)});
            return true;
        }
    return false;
}

void CliqueSearch::ExtendClique(VertexSet candidates, VertexSet excluded)
{
    // The caller has made sure no excluded vertex dominates the candidates as they come.
    for (bool first = true; !candidates.Empty() && !stopped; first = false) {
        // Whatever this level still finds, an excluded vertex would extend it.
        if (!first && Dominated(candidates, excluded))
            return;
        const int v = candidates.Highest();
        clique.push_back(v);
        if (steps && steps->Enabled()) {
            for (std::size_t k = 0; k + 1 < clique.size(); ++k) {
                steps->SetVertex(clique[k], VertexState::Visited);
                steps->SetArc(clique[k], v, ArcState::Chosen);
                steps->SetArc(v, clique[k], ArcState::Chosen);
            }
            steps->SetVertex(v, VertexState::Current);
            steps->Step("step_clique_extend", {Arg::Vertex(v), Arg::Number(int(clique.size()))});
        }
        const VertexSet nextCandidates = candidates & adjacency[v];
        const VertexSet nextExcluded = excluded & adjacency[v];
        // Without candidates the deeper level would find nothing unless nothing is excluded
        // either; a dominated level is cut before it starts.
        if (!nextCandidates.Empty()) {
            if (!Dominated(nextCandidates, nextExcluded))
                ExtendClique(nextCandidates, nextExcluded);
        } else if (nextExcluded.Empty()) {
            CliqueClosed();
        }
        clique.pop_back();
        if (steps && steps->Enabled()) {
            steps->SetVertex(v, VertexState::None);
            for (int w : clique) {
                steps->SetArc(w, v, ArcState::None);
                steps->SetArc(v, w, ArcState::None);
            }
        }
        excluded.Insert(v);
        candidates.Erase(v);
    }
}

void CliqueSearch::CliqueClosed()
{
    ++maximalCount;
    const bool better = clique.size() > best.size();
    if (better)
        best = clique;
    if (onMaximal)
        onMaximal(clique);
    if (steps && steps->Enabled())
        steps->Step(better ? "step_clique_best" : "step_clique_maximal", {Arg::Number(int(clique.size()))});
    stopped = stopAfter > 0 && maximalCount >= stopAfter && !(steps && steps->Enabled());
}

AlgorithmResult MaximumClique(const GraphDocument& g, bool recordSteps)
{
    AlgorithmResult result;
    const int n = g.VertexCount;
    if (recordSteps)
        result.steps.Start(n);

    const AdjacencySets adjacency = CliqueAdjacency(g);
    CliqueSearch search(adjacency, n);
    if (recordSteps)
        search.steps = &result.steps;
    search.stopAfter = ListedCliqueLimit;

    // The list is report markup; the texts in it are escaped once, the numbers need none.
    const QString foundPrefix =
        HTMLReportManager::Escape(Translate(QStringLiteral("Found_click"))) + QStringLiteral(": ");
    QString allCliques;
    search.onMaximal = [&](std::span<const int> clique) {
        if (search.MaximalCount() > ListedCliqueLimit)
            return;
        allCliques += foundPrefix;
        for (int v : clique)
            allCliques += QString::number(v) + QLatin1Char(' ');
        allCliques += QStringLiteral("<br>");
    };
    std::int64_t maximalCount = 0;
    std::vector<int> best;
    if (search.Run()) {
        maximalCount = search.MaximalCount();
        best = search.Best();
    } else {
        // The rest of that search would list nothing more; what it would count and the
        // largest clique it would meet first do not need it.
        maximalCount = CountMaximalCliques(adjacency, n);
        best = FirstLargestClique(adjacency, n, int(search.Best().size()));
    }

    result.Clear();
    result.Heading(Translate(QStringLiteral("Max_click_is")) + QLatin1Char(' ') +
                   QString::number(best.size()));
    result.Line(Translate(QStringLiteral("Graf_of_max_click")) + QLatin1Char(':'));
    QString members;
    for (int v : best) {
        members += QString::number(v) + QLatin1Char(' ');
        result.HighlightVertex(v);
        for (int w : best)
            if (w != v)
                result.HighlightArc(v, w);
    }
    result.Line(members);
    result.ReportLine(Translate(QStringLiteral("All_click")));
    result.ReportRaw(allCliques + QStringLiteral("<br>"));
    if (maximalCount > ListedCliqueLimit)
        result.ReportLine(
            Translate(QStringLiteral("Click_list_cut")).arg(ListedCliqueLimit).arg(maximalCount));
    result.ShowReport();
    result.resultValue = int(best.size());

    if (result.steps.Enabled()) {
        for (int v = 1; v <= n; ++v)
            result.steps.SetVertex(v, VertexState::None);
        for (int v : best) {
            result.steps.SetVertex(v, VertexState::Finished);
            for (int w : best)
                if (w != v)
                    result.steps.SetArc(v, w, ArcState::Chosen);
        }
        result.steps.Step("step_clique_done", {Arg::Number(int(best.size()))});
    }
    return result;
}
