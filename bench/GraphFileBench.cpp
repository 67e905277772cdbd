#include "algorithms/RunAlgorithm.h"
#include "algorithms/ShortestPaths.h"
#include "base/IniFile.h"
#include "base/ProgramPaths.h"
#include "document/GraphDocument.h"
#include "document/ProgramHost.h"
#include "files/GrafaFile.h"
#include "report/ResultPanes.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <memory>

namespace {

// A complete weighted directed graph on 255 vertices: 65,025 matrix keys in its file.
std::unique_ptr<GraphDocument> CompleteGraf()
{
    auto g = std::make_unique<GraphDocument>();
    g->StartNewGraph(true, true);
    for (int i = 1; i <= GraphDocument::MaxVertices; ++i)
        g->AddVertex(20 * (i % 40), 20 * (i / 40), QString(), g->FreeNameNumber(), 10);
    for (int a = 1; a <= GraphDocument::MaxVertices; ++a)
        for (int b = 1; b <= GraphDocument::MaxVertices; ++b)
            if (a != b)
                g->AddArc(a, b, 1 + (a * 7919 + b * 104729) % GraphDocument::MaxWeight);
    return g;
}

SilentProgramHost silent;

void BM_SaveGrafa(benchmark::State& state)
{
    QTemporaryDir dir;
    auto g = CompleteGraf();
    const QString file = dir.filePath("complete.grafa");
    for (auto _ : state)
        benchmark::DoNotOptimize(GrafaFile::SaveGrafa(*g, file));
}
BENCHMARK(BM_SaveGrafa)->Unit(benchmark::kMillisecond);

void BM_LoadGrafa(benchmark::State& state)
{
    QTemporaryDir dir;
    const QString file = dir.filePath("complete.grafa");
    GrafaFile::SaveGrafa(*CompleteGraf(), file);
    auto g = std::make_unique<GraphDocument>();
    g->StartNewGraph(false, false);
    for (auto _ : state)
        benchmark::DoNotOptimize(GrafaFile::LoadGrafa(*g, silent, file));
    if (g->VertexCount != GraphDocument::MaxVertices)
        state.SkipWithError("the file did not load");
}
BENCHMARK(BM_LoadGrafa)->Unit(benchmark::kMillisecond);

// The algorithm alone: the result built, nothing presented; with and without its step trace.
void BM_DijkstraShortestPath(benchmark::State& state)
{
    auto g = CompleteGraf();
    for (auto _ : state) {
        AlgorithmResult result = DijkstraShortestPath(*g, 1, GraphDocument::MaxVertices, g->VertexCount);
        benchmark::DoNotOptimize(result.resultValue);
    }
}
BENCHMARK(BM_DijkstraShortestPath)->Unit(benchmark::kMicrosecond);

void BM_DijkstraShortestPathWithSteps(benchmark::State& state)
{
    auto g = CompleteGraf();
    for (auto _ : state) {
        AlgorithmResult result =
            DijkstraShortestPath(*g, 1, GraphDocument::MaxVertices, g->VertexCount, true);
        benchmark::DoNotOptimize(result.steps.FrameCount());
    }
}
BENCHMARK(BM_DijkstraShortestPathWithSteps)->Unit(benchmark::kMicrosecond);

// The run as a user starts it: search, texts, report file.
void BM_RunDijkstra(benchmark::State& state)
{
    QTemporaryDir dir;
    ProgramPaths::SetProgramFolderOverride(dir.path());
    auto g = CompleteGraf();
    ResultPanes panes;
    for (auto _ : state) {
        AlgorithmRun run;
        RunAlgorithm(*g, silent, panes, QStringLiteral("FindTraceDekctri"), 1, GraphDocument::MaxVertices,
                     &run);
        benchmark::DoNotOptimize(run.result.resultValue);
    }
    ProgramPaths::SetProgramFolderOverride(QString());
}
BENCHMARK(BM_RunDijkstra)->Unit(benchmark::kMicrosecond);

} // namespace
