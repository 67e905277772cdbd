// Redrawing the whole document, the work done after every change.
#include "document/GraphDocument.h"
#include "drawing/DocumentDrawing.h"

#include <QImage>
#include <benchmark/benchmark.h>
#include <cmath>
#include <memory>
#include <numbers>
#include <random>

namespace {

std::unique_ptr<GraphDocument> NewDocument(bool directed, bool weighted)
{
    auto graf = std::make_unique<GraphDocument>();
    graf->StartNewGraph(directed, weighted);
    return graf;
}

void Bend(GraphDocument& graf, int a, int b, int offset)
{
    graf.ArcRef(a, b).MoveTextPoint(offset, 0);
    graf.ArcRef(a, b).MoveTextPoint(0, -offset);
    if (!graf.Directed) {
        graf.ArcRef(b, a).SetTextPoint(graf.Arc(a, b).X(), graf.Arc(a, b).Y());
    }
}

// 30 vertices in a 6 x 5 grid, 60 directed arcs to grid neighbours, every fourth bent.
std::unique_ptr<GraphDocument> SmallDirected()
{
    auto graf = NewDocument(true, true);
    for (int i = 0; i < 30; ++i)
        graf->AddVertex(60 + (i % 6) * 120, 60 + (i / 6) * 120, QString(), i + 1, 10);
    int arcs = 0;
    for (int i = 1; i <= 30 && arcs < 60; ++i) {
        const int right = (i % 6 != 0) ? i + 1 : 0;
        const int down = i + 6 <= 30 ? i + 6 : 0;
        for (int head : {right, down})
            if (head && arcs < 60) {
                graf->AddArc(i, head, 10 + arcs);
                if (arcs % 4 == 0)
                    Bend(*graf, i, head, 25);
                ++arcs;
            }
    }
    for (int i = 1; arcs < 60; ++i, ++arcs)
        graf->AddArc(i + 7, i, 5);
    return graf;
}

// 100 vertices, 1000 random undirected weighted edges, a tenth bent.
std::unique_ptr<GraphDocument> MediumUndirected()
{
    auto graf = NewDocument(false, true);
    for (int i = 0; i < 100; ++i)
        graf->AddVertex(50 + (i % 10) * 110, 50 + (i / 10) * 110, QString(), i + 1, 10);
    std::mt19937 random(7);
    std::uniform_int_distribution<int> vertex(1, 100), cost(1, 999);
    int edges = 0;
    while (edges < 1000) {
        const int a = vertex(random), b = vertex(random);
        if (a == b || graf->HasArc(a, b))
            continue;
        graf->AddArc(a, b, cost(random));
        if (edges % 10 == 0)
            Bend(*graf, a, b, 30);
        ++edges;
    }
    return graf;
}

// The complete undirected graph on 255 vertices around a circle.
std::unique_ptr<GraphDocument> CompleteUndirected()
{
    auto graf = NewDocument(false, false);
    for (int i = 0; i < 255; ++i) {
        const double angle = 2 * std::numbers::pi * i / 255;
        graf->AddVertex(650 + int(600 * std::cos(angle)), 650 + int(600 * std::sin(angle)), QString(), i + 1,
                        10);
    }
    for (int a = 1; a <= 255; ++a)
        for (int b = a + 1; b <= 255; ++b)
            graf->AddArc(a, b, 1);
    return graf;
}

void RunDrawAll(benchmark::State& state, GraphDocument& graf, int width, int height)
{
    QImage surface(width, height, QImage::Format_RGB32);
    for (auto _ : state) {
        DrawAll(graf, surface);
        benchmark::DoNotOptimize(surface.constBits());
    }
}

void BM_DrawAll_30Vertices60Arcs(benchmark::State& state)
{
    auto graf = SmallDirected();
    RunDrawAll(state, *graf, 800, 650);
}

void BM_DrawAll_100Vertices1000Edges(benchmark::State& state)
{
    auto graf = MediumUndirected();
    RunDrawAll(state, *graf, 1200, 1200);
}

void BM_DrawAll_Complete255(benchmark::State& state)
{
    auto graf = CompleteUndirected();
    RunDrawAll(state, *graf, 1300, 1300);
}

// What the window draws: an 800 x 600 view into the middle of a larger drawing.
void RunDrawVisible(benchmark::State& state, GraphDocument& graf, QSize canvas)
{
    QImage view(800, 600, QImage::Format_RGB32);
    const QPoint scroll((canvas.width() - 800) / 2, (canvas.height() - 600) / 2);
    for (auto _ : state) {
        DrawVisible(graf, view, canvas, scroll);
        benchmark::DoNotOptimize(view.constBits());
    }
}

void BM_DrawVisible_100Vertices1000Edges(benchmark::State& state)
{
    auto graf = MediumUndirected();
    RunDrawVisible(state, *graf, QSize(1200, 1200));
}

void BM_DrawVisible_Complete255(benchmark::State& state)
{
    auto graf = CompleteUndirected();
    RunDrawVisible(state, *graf, QSize(1300, 1300));
}

} // namespace

BENCHMARK(BM_DrawAll_30Vertices60Arcs)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DrawAll_100Vertices1000Edges)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DrawAll_Complete255)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DrawVisible_100Vertices1000Edges)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DrawVisible_Complete255)->Unit(benchmark::kMillisecond);
