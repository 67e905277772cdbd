#pragma once

#include "algorithms/MaximumClique.h"
#include "base/TranslationManager.h"
#include "document/GraphDocument.h"
#include "report/HTMLReport.h"

#include <vector>

// The whole clique run as it was before the count and the largest clique came from searches
// of their own: one search in the listing order, always to the end, recording its steps as it
// goes. Frozen here as the oracle for the run's text, report, highlighting and steps.
namespace ReferenceClique {

using Arg = StepTrace::Argument;
using VertexState = StepTrace::VertexState;
using ArcState = StepTrace::ArcState;

struct Search {
    const AdjacencySets& adjacency;
    StepTrace* steps = nullptr;
    std::vector<int> clique;
    std::vector<int> best;
    std::vector<std::vector<int>> listed; // the first ListedCliqueLimit
    std::int64_t maximalCount = 0;

    bool Recording() const { return steps && steps->Enabled(); }

    bool Dominated(const VertexSet& candidates, const VertexSet& excluded)
    {
        const VertexSet possible =
            excluded & adjacency[candidates.Highest()] & adjacency[candidates.Lowest()];
        for (int x : possible)
            if (candidates.SubsetOf(adjacency[x])) {
                if (Recording())
                    steps->Step("step_clique_cut", {Arg::Vertex(x)});
                return true;
            }
        return false;
    }

    void Extend(VertexSet candidates, VertexSet excluded)
    {
        for (bool first = true; !candidates.Empty(); first = false) {
            if (!first && Dominated(candidates, excluded))
                return;
            const int v = candidates.Highest();
            clique.push_back(v);
            if (Recording()) {
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
            if (!nextCandidates.Empty()) {
                if (!Dominated(nextCandidates, nextExcluded))
                    Extend(nextCandidates, nextExcluded);
            } else if (nextExcluded.Empty()) {
                Closed();
            }
            clique.pop_back();
            if (Recording()) {
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

    void Closed()
    {
        ++maximalCount;
        const bool better = clique.size() > best.size();
        if (better)
            best = clique;
        if (maximalCount <= ListedCliqueLimit)
            listed.push_back(clique);
        if (Recording())
            steps->Step(better ? "step_clique_best" : "step_clique_maximal",
                        {Arg::Number(int(clique.size()))});
    }
};

inline AlgorithmResult MaximumClique(const GraphDocument& g, bool recordSteps)
{
    AlgorithmResult result;
    const int n = g.VertexCount;
    if (recordSteps)
        result.steps.Start(n);
    const AdjacencySets adjacency = CliqueAdjacency(g);
    Search search{adjacency, recordSteps ? &result.steps : nullptr, {}, {}, {}, 0};
    VertexSet all;
    for (int v = 1; v <= n; ++v)
        all.Insert(v);
    search.Extend(all, VertexSet());

    QString allCliques;
    for (const std::vector<int>& clique : search.listed) {
        allCliques += HTMLReportManager::Escape(Translate("Found_click")) + ": ";
        for (int v : clique)
            allCliques += QString::number(v) + ' ';
        allCliques += "<br>";
    }
    const std::vector<int>& best = search.best;
    result.Clear();
    result.Heading(Translate("Max_click_is") + ' ' + QString::number(best.size()));
    result.Line(Translate("Graf_of_max_click") + ':');
    QString members;
    for (int v : best) {
        members += QString::number(v) + ' ';
        result.HighlightVertex(v);
        for (int w : best)
            if (w != v)
                result.HighlightArc(v, w);
    }
    result.Line(members);
    result.ReportLine(Translate("All_click"));
    result.ReportRaw(allCliques + "<br>");
    if (search.maximalCount > ListedCliqueLimit)
        result.ReportLine(Translate("Click_list_cut").arg(ListedCliqueLimit).arg(search.maximalCount));
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

} // namespace ReferenceClique
