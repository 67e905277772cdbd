// The dispatcher: checks a command against its row, runs the algorithm, presents the result.
#include "algorithms/RunAlgorithm.h"

#include "base/TranslationManager.h"
#include "document/GraphDocument.h"
#include "document/ProgramHost.h"

#include <QElapsedTimer>

namespace {

using Vertices = AlgorithmInfo::Vertices;

// The vertices a row needs must exist; anything else would index past the document.
bool VerticesExist(const AlgorithmInfo& info, const GraphDocument& g, int first, int second)
{
    switch (info.vertices) {
    case Vertices::StartAndFinish:
        return g.IsVertex(first) && g.IsVertex(second);
    case Vertices::One:
        return first <= g.VertexCount; // 0 is "none selected", the runner refuses it
    case Vertices::None:
        return true;
    }
    return false;
}

} // namespace

void RunAlgorithm(GraphDocument& graf, ProgramHost& host, ResultPanes& panes, const QString& name, int first,
                  int second, AlgorithmRun* run, RunOptions options)
{
    AlgorithmRun local;
    AlgorithmRun& outcome = run ? *run : local;
    outcome = AlgorithmRun{};

    graf.ClearActive();
    if (graf.VertexCount == 0 || first < 0 || second < 0)
        return;
    const AlgorithmInfo* info = FindAlgorithm(name);
    if (!info || !info->run || !VerticesExist(*info, graf, first, second))
        return;

    const bool applicable = RuleHolds(*info, graf);
    if (info->beforeCheck) {
        AlgorithmResult shown;
        info->beforeCheck(graf, applicable, shown);
        PresentResult(graf, host, panes, shown, false);
    }
    if (!applicable) {
        if (info->refusalKey)
            host.ShowError(Translate(QLatin1String(info->refusalKey)));
        return;
    }
    if (info->warnWhenWeighted && graf.Weighted)
        host.ShowError(Translate(QStringLiteral("Algor_not_for_load")) + QLatin1Char('\r') +
                       Translate(QStringLiteral("Find_trace_ignory_load")));

    QElapsedTimer timer;
    timer.start();
    outcome.result = info->run(AlgorithmCall{graf, first, second, options.recordSteps});
    outcome.elapsedNs = timer.nsecsElapsed();
    outcome.ran = !outcome.result.refused;

    timer.restart();
    PresentResult(graf, host, panes, outcome.result, info->commonTail);
    outcome.writeNs = timer.nsecsElapsed();
}
