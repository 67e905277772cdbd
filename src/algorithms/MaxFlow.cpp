#include "algorithms/MaxFlow.h"

#include "base/TranslationManager.h"
#include "document/GraphDocument.h"

#include <algorithm>
#include <functional>
#include <limits>

namespace {

using Arg = StepTrace::Argument;
using VertexState = StepTrace::VertexState;
using ArcState = StepTrace::ArcState;

constexpr int None = GraphDocument::Infinity;
// The capacity of the arcs from the super-source and into the super-sink.
constexpr int AuxiliaryCapacity = 30000;

struct Degrees {
    GraphDocument::VertexArray<int> in{};
    GraphDocument::VertexArray<int> out{};

    explicit Degrees(const GraphDocument& g)
    {
        for (int u = 1; u <= g.VertexCount; ++u) {
            out[u] = g.OutCount(u);
            for (int v : g.OutArcs(u))
                ++in[v];
        }
    }
    bool Source(int v) const { return in[v] == 0 && out[v] > 0; }
    bool Sink(int v) const { return out[v] == 0 && in[v] > 0; }
};

// The flow of arc u->v of the document as the picture shows it: its capacity less what is left.
int FlowOf(const GraphDocument& g, const ResidualNetwork& network, int u, int v)
{
    const int left = network.At(u, v);
    return g.Arc(u, v).Weight - (left == None ? 0 : left);
}

// The flow computation on the document's arcs among vertices 1..graphCount, with the
// auxiliary vertices (if any) numbered after them.
class FlowRun {
  public:
    FlowRun(const GraphDocument& graf, int vertexCount, bool recordSteps)
        : g(graf), graphCount(graf.VertexCount), network(vertexCount)
    {
        for (int u = 1; u <= graphCount; ++u)
            for (int v : g.OutArcs(u))
                network.AddArc(u, v, g.Arc(u, v).Weight);
        if (recordSteps)
            result.steps.Start(graphCount);
    }

    ResidualNetwork& Network() { return network; }
    StepTrace& Trace() { return result.steps; }
    AlgorithmResult& Result() { return result; }

    // Augments until no path is left; flowInto tells the total after each path.
    template <typename Total> void Augment(int source, int sink, Total flowInto)
    {
        StepTrace& steps = result.steps;
        for (;;) {
            const AugmentingPath path = FindAugmentingPath(network, source, sink);
            if (path.vertices.size() < 2)
                break;
            network.Augment(path.vertices, path.bottleneck);
            if (!steps.Enabled())
                continue;
            // Narrated between the graph's own vertices: the auxiliary ends are not drawn.
            const auto real = [this](int v) { return v >= 1 && v <= graphCount; };
            std::vector<int> shown;
            for (int v : path.vertices)
                if (real(v))
                    shown.push_back(v);
            if (shown.size() < 2)
                continue;
            for (std::size_t k = 1; k < shown.size(); ++k)
                steps.SetArc(ArcOf(shown[k - 1], shown[k]).first, ArcOf(shown[k - 1], shown[k]).second,
                             ArcState::Examined);
            steps.Step("step_flow_path", {Arg::Vertex(shown.front()), Arg::Vertex(shown.back()),
                                          Arg::Number(int(shown.size()) - 1), Arg::Number(path.bottleneck),
                                          Arg::Number(flowInto())});
            for (std::size_t k = 1; k < shown.size(); ++k)
                for (const auto& [u, v] :
                     {std::pair{shown[k - 1], shown[k]}, std::pair{shown[k], shown[k - 1]}}) {
                    if (!g.HasArc(u, v))
                        continue;
                    const int flow = std::max(FlowOf(g, network, u, v), 0);
                    steps.SetArc(u, v, flow > 0 ? ArcState::Chosen : ArcState::None);
                    steps.Step("step_flow_arc", {Arg::Vertex(u), Arg::Vertex(v), Arg::Number(flow),
                                                 Arg::Number(g.Arc(u, v).Weight)});
                }
        }
    }

    // The picture, the verdict and the last frame.
    AlgorithmResult Finish(int total)
    {
        result.resultCount = -1;
        result.drawsPicture = true;
        result.picture.vertexCount = graphCount;
        for (int u = 1; u <= graphCount; ++u)
            for (int v : g.OutArcs(u)) {
                const int flow = FlowOf(g, network, u, v);
                const int capacity = g.Arc(u, v).Weight;
                result.picture.arcs.push_back(
                    {u, v,
                     QString::number(flow > 0 ? flow : 0) + QLatin1Char('/') + QString::number(capacity),
                     flow > 0});
            }
        result.steps.Step("step_flow_done", {Arg::Number(total)});
        result.Clear();
        result.Heading(Translate(QStringLiteral("Max_stream_is")) + QString::number(total));
        result.ShowReport();
        return std::move(result);
    }

  private:
    // The arc of the document a residual step u->v stands for: u->v itself, or v->u when the
    // step cancels flow.
    std::pair<int, int> ArcOf(int u, int v) const
    {
        return g.HasArc(u, v) ? std::pair{u, v} : std::pair{v, u};
    }

    const GraphDocument& g;
    const int graphCount;
    ResidualNetwork network;
    AlgorithmResult result;
};

AlgorithmResult Refusal(const char* key)
{
    AlgorithmResult result;
    result.resultCount = -1;
    result.Refuse(Translate(QLatin1String(key)));
    return result;
}

} // namespace

ResidualNetwork::ResidualNetwork(int vertexCount)
    : count(std::max(vertexCount, 0)), residual(std::size_t(count + 1) * std::size_t(count + 1), None),
      neighbours(std::size_t(count) + 1)
{
}

void ResidualNetwork::AddArc(int u, int v, int capacity)
{
    if (capacity < 1 || u < 1 || v < 1 || u > count || v > count || u == v)
        return;
    if (At(u, v) == None && At(v, u) == None) {
        neighbours[std::size_t(u)].push_back(v);
        neighbours[std::size_t(v)].push_back(u);
    }
    residual[Index(u, v)] = capacity;
}

void ResidualNetwork::Augment(const std::vector<int>& path, int bottleneck)
{
    for (std::size_t k = 1; k < path.size(); ++k) {
        int& forward = residual[Index(path[k - 1], path[k])];
        int& backward = residual[Index(path[k], path[k - 1])];
        forward -= bottleneck;
        if (forward == 0)
            forward = None;
        backward = backward == None ? bottleneck : backward + bottleneck;
    }
}

AugmentingPath FindAugmentingPath(const ResidualNetwork& network, int source, int sink)
{
    AugmentingPath path;
    const int n = network.Count();
    if (source < 1 || sink < 1 || source > n || sink > n || source == sink)
        return path;

    // Dijkstra with a heap, stopped once the sink is fixed: every vertex the walk back can use
    // lies strictly nearer than the sink, so it is fixed by then, and a vertex not yet fixed is
    // never mistaken for a predecessor (its distance is at least the sink's). Heap entries are
    // distance and vertex in one integer; the buffers stay between the calls of one flow.
    constexpr long long unreached = std::numeric_limits<long long>::max() / 4;
    constexpr int vertexBits = 9;
    static_assert(GraphDocument::MaxVertices + 2 < (1 << vertexBits));
    thread_local std::vector<long long> distance;
    thread_local std::vector<unsigned long long> heap;
    distance.assign(std::size_t(n) + 1, unreached);
    heap.clear();
    const auto push = [](long long d, int v) {
        heap.push_back((static_cast<unsigned long long>(d) << vertexBits) | unsigned(v));
        std::push_heap(heap.begin(), heap.end(), std::greater<>());
    };
    distance[std::size_t(source)] = 0;
    push(0, source);
    for (;;) {
        if (heap.empty())
            return path; // the sink cannot be reached
        std::pop_heap(heap.begin(), heap.end(), std::greater<>());
        const unsigned long long entry = heap.back();
        heap.pop_back();
        const int u = int(entry & ((1U << vertexBits) - 1));
        const long long d = static_cast<long long>(entry >> vertexBits);
        if (d != distance[std::size_t(u)])
            continue; // left behind by a later lowering
        if (u == sink)
            break;
        for (int w : network.Neighbours(u)) {
            const int left = network.At(u, w);
            if (left != None && d + left < distance[std::size_t(w)]) {
                distance[std::size_t(w)] = d + left;
                push(d + left, w);
            }
        }
    }

    std::vector<int> reversed{sink};
    for (int o = sink; o != source;) {
        int predecessor = 0;
        for (int j : network.Neighbours(o)) {
            const int left = network.At(j, o);
            if (left != None && distance[std::size_t(j)] < distance[std::size_t(o)] &&
                distance[std::size_t(j)] + left == distance[std::size_t(o)] &&
                (predecessor == 0 || j < predecessor))
                predecessor = j;
        }
        if (predecessor == 0)
            return path; // cannot happen with positive capacities; never loop
        reversed.push_back(predecessor);
        o = predecessor;
    }
    path.vertices.assign(reversed.rbegin(), reversed.rend());
    path.bottleneck = None;
    for (std::size_t k = 1; k < path.vertices.size(); ++k)
        path.bottleneck = std::min(path.bottleneck, network.At(path.vertices[k - 1], path.vertices[k]));
    return path;
}

AlgorithmResult MaxFlow(const GraphDocument& g, bool recordSteps)
{
    const int n = g.VertexCount;
    const Degrees degrees(g);
    int sink = 0;
    for (int v = 1; v <= n; ++v)
        if (degrees.Sink(v)) {
            if (sink != 0)
                return Refusal("Orgraf_have_more_2stok");
            sink = v;
        }
    if (sink == 0)
        return Refusal("Orgraf_must_have_stok");
    int source = 0;
    for (int v = 1; v <= n; ++v)
        if (degrees.Source(v)) {
            if (source != 0)
                return Refusal("Orgraf_has_2istok");
            source = v;
        }
    if (source == 0)
        return Refusal("Orgraf_must_have_stok");

    FlowRun run(g, n, recordSteps);
    const auto total = [&] {
        int sum = 0;
        for (int u = 1; u <= n; ++u)
            if (g.HasArc(u, sink))
                sum += FlowOf(g, run.Network(), u, sink);
        return sum;
    };
    StepTrace& steps = run.Trace();
    steps.SetVertex(source, VertexState::Current);
    steps.SetVertex(sink, VertexState::Finished);
    steps.Step("step_flow_start", {Arg::Vertex(source), Arg::Vertex(sink)});
    run.Augment(source, sink, total);
    return run.Finish(total());
}

AlgorithmResult MaxFlowMulti(const GraphDocument& g, bool recordSteps)
{
    const int n = g.VertexCount;
    const Degrees degrees(g);
    std::vector<int> sinks, sources;
    for (int v = 1; v <= n; ++v)
        if (degrees.Sink(v))
            sinks.push_back(v);
    if (sinks.empty())
        return Refusal("Orgraf_must_have_stok");
    for (int v = 1; v <= n; ++v)
        if (degrees.Source(v))
            sources.push_back(v);
    if (sources.empty())
        return Refusal("Orgraf_must_have_stok");

    const int superSource = n + 1;
    const int superSink = n + 2;
    FlowRun run(g, n + 2, recordSteps);
    for (int x : sources)
        run.Network().AddArc(superSource, x, AuxiliaryCapacity);
    for (int y : sinks)
        run.Network().AddArc(y, superSink, AuxiliaryCapacity);
    const auto total = [&] {
        int sum = 0;
        for (int y : sinks) {
            const int left = run.Network().At(y, superSink);
            sum += AuxiliaryCapacity - (left == None ? 0 : left);
        }
        return sum;
    };
    StepTrace& steps = run.Trace();
    for (int x : sources)
        steps.SetVertex(x, VertexState::Current);
    for (int y : sinks)
        steps.SetVertex(y, VertexState::Finished);
    steps.Step("step_flow_start_multi", {Arg::Number(int(sources.size())), Arg::Number(int(sinks.size()))});
    run.Augment(superSource, superSink, total);
    return run.Finish(total());
}
