// Undo on the largest graph: the memory a hundred recorded steps keep, and the time one takes.
#include "BenchGraphs.h"
#include "commands/GraphSession.h"

#include <benchmark/benchmark.h>

namespace {

// A lesson's edits on the complete weighted digraph of 255 vertices: moves of a vertex (with
// its arcs' texts), weights, labels, arcs taken away and put back, and now and then a vertex
// deleted. Each is recorded first, as the commands do.
void LessonStep(GraphSession& session, int step)
{
    GraphDocument& g = *session.Document();
    session.RecordState();
    const int v = 1 + (step * 37) % g.VertexCount;
    const int w = 1 + (step * 53 + 1) % g.VertexCount;
    switch (step % 6) {
    case 0:
    case 1:
        g.Vertices[v].X += 13;
        g.Vertices[v].Y += 7;
        for (int u = 1; u <= g.VertexCount; ++u)
            if (u != v) {
                g.CenterArcText(v, u);
                g.CenterArcText(u, v);
            }
        break;
    case 2:
        if (v != w)
            g.SetArcWeight(v, w, 1 + step);
        break;
    case 3:
        g.AddLabel(QStringLiteral("step %1").arg(step), 10 * step, 20);
        break;
    case 4:
        if (v != w) {
            g.DeleteArc(v, w);
            g.AddArc(v, w, 7);
        }
        break;
    default:
        if (step % 30 == 5)
            g.DeleteVertex(v);
        else
            g.ActiveVertex = v;
        break;
    }
}

// Every arc's weight changed at every step, to scattered values: the most a step can hold.
void EveryArcStep(GraphSession& session, int step)
{
    GraphDocument& g = *session.Document();
    session.RecordState();
    for (int a = 1; a <= g.VertexCount; ++a)
        for (const int b : g.OutArcs(a))
            g.ArcRef(a, b).Weight =
                1 + int((a * 7919LL + b * 104729LL + step * 15485863LL) % GraphDocument::MaxWeight);
}

template <void (*Step)(GraphSession&, int)> void BM_HundredUndoSteps(benchmark::State& state)
{
    std::size_t memory = 0;
    for (auto _ : state) {
        state.PauseTiming();
        SilentProgramHost host;
        GraphSession session(host);
        GraphDocument& g = session.CreateDocument();
        auto complete = BenchGraphs::Complete(true, true);
        UndoHistory::Restore(g, *UndoHistory::TakeSnapshot(*complete));
        state.ResumeTiming();
        for (int step = 0; step < UndoHistory::DefaultUndoSteps + 1; ++step)
            Step(session, step);
        memory = session.History().MemoryBytes();
        state.PauseTiming();
        for (int i = 0; i < UndoHistory::DefaultUndoSteps; ++i)
            session.Undo();
        benchmark::DoNotOptimize(g.VertexCount);
        state.ResumeTiming();
    }
    state.counters["historyMB"] = double(memory) / 1e6;
    state.counters["documentKB"] = double(sizeof(GraphDocument)) / 1e3;
    // The model of the complete digraph on 255 vertices, its tables included.
    auto complete = BenchGraphs::Complete(true, true);
    state.counters["completeGraphKB"] = double(sizeof(GraphDocument) + complete->HeapBytes()) / 1e3;
}
BENCHMARK_TEMPLATE(BM_HundredUndoSteps, LessonStep)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK_TEMPLATE(BM_HundredUndoSteps, EveryArcStep)->Unit(benchmark::kMillisecond)->Iterations(3);

// One undo and one redo on the complete graph with a full history.
void BM_UndoRedoComplete255(benchmark::State& state)
{
    SilentProgramHost host;
    GraphSession session(host);
    GraphDocument& g = session.CreateDocument();
    auto complete = BenchGraphs::Complete(true, true);
    UndoHistory::Restore(g, *UndoHistory::TakeSnapshot(*complete));
    for (int step = 0; step < UndoHistory::DefaultUndoSteps + 1; ++step)
        LessonStep(session, step);
    for (auto _ : state) {
        session.Undo();
        session.Redo();
        benchmark::DoNotOptimize(g.VertexCount);
    }
}
BENCHMARK(BM_UndoRedoComplete255)->Unit(benchmark::kMillisecond);

} // namespace
