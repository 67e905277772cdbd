// Playback: moving to a frame and drawing it; writing the walk-through page.
#include "algorithms/ShortestPaths.h"
#include "commands/WalkthroughPage.h"
#include "document/GraphDocument.h"
#include "drawing/StepPicture.h"

#include <QRandomGenerator>
#include <benchmark/benchmark.h>
#include <memory>

namespace {

// A weighted undirected graph on n vertices laid out on a grid, each joined to about four others.
std::unique_ptr<GraphDocument> SparseGraf(int n)
{
    auto g = std::make_unique<GraphDocument>();
    g->StartNewGraph(false, true);
    for (int i = 0; i < n; ++i)
        g->AddVertex(30 + 60 * (i % 16), 30 + 60 * (i / 16), QString(), g->FreeNameNumber(), 10);
    QRandomGenerator random(7);
    for (int v = 2; v <= n; ++v) {
        g->AddArc(v, 1 + int(random.bounded(v - 1)), 1 + int(random.bounded(90)));
        const int other = 1 + int(random.bounded(n));
        if (other != v && !g->HasArc(v, other))
            g->AddArc(v, other, 1 + int(random.bounded(90)));
    }
    return g;
}

// One step of the bar: the frame's picture rebuilt from the trace and drawn.
void BM_PlaybackFrame255(benchmark::State& state)
{
    auto g = SparseGraf(255);
    const AlgorithmResult result = DijkstraShortestPath(*g, 1, 255, g->VertexCount, true);
    const int middle = result.steps.FrameCount() / 2;
    for (auto _ : state) {
        const QImage picture = RenderStepPicture(*g, result.steps.PictureAt(middle), g->CanvasSize(QSize()));
        benchmark::DoNotOptimize(picture.constBits());
    }
    state.counters["frames"] = result.steps.FrameCount();
}
BENCHMARK(BM_PlaybackFrame255)->Unit(benchmark::kMillisecond);

// The take-home page of a Dijkstra run on 100 vertices; its size is reported.
void BM_WalkthroughPage100(benchmark::State& state)
{
    auto g = SparseGraf(100);
    const AlgorithmResult result = DijkstraShortestPath(*g, 1, 100, g->VertexCount, true);
    const WalkthroughTask task{.name = QStringLiteral("FindTraceDekctri"),
                               .title = WalkthroughTitle(QStringLiteral("FindTraceDekctri")),
                               .first = 1,
                               .second = 100};
    qsizetype bytes = 0;
    for (auto _ : state) {
        const QByteArray page = WalkthroughPage(*g, result, task);
        bytes = page.size();
        benchmark::DoNotOptimize(page.constData());
    }
    state.counters["frames"] = result.steps.FrameCount();
    state.counters["bytes"] = double(bytes);
}
BENCHMARK(BM_WalkthroughPage100)->Unit(benchmark::kMillisecond);

} // namespace
