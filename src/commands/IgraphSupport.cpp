#include "commands/IgraphSupport.h"

#include "document/AllGrafUnit.h"

namespace IgraphSupport {

namespace {

void ReturnError(const char*, const char*, int, igraph_error_t)
{
    // The failing call returns its code; what it allocated is freed here as igraph expects.
    IGRAPH_FINALLY_FREE();
}

} // namespace

LibraryCall::LibraryCall()
{
    oldError = igraph_set_error_handler(ReturnError);
    oldWarning = igraph_set_warning_handler(igraph_warning_handler_ignore);
}

LibraryCall::~LibraryCall()
{
    igraph_set_error_handler(oldError);
    igraph_set_warning_handler(oldWarning);
}

Graph::~Graph()
{
    if (filled)
        igraph_destroy(&graph);
}

std::vector<std::pair<int, int>> Graph::Edges()
{
    std::vector<std::pair<int, int>> edges;
    if (!filled)
        return edges;
    const igraph_integer_t count = igraph_ecount(&graph);
    edges.reserve(std::size_t(count));
    for (igraph_integer_t e = 0; e < count; ++e)
        edges.emplace_back(int(IGRAPH_FROM(&graph, e)), int(IGRAPH_TO(&graph, e)));
    return edges;
}

bool FromDocument(const TAllGraf& graf, Graph& out)
{
    const bool directed = graf.IsOrint != 0;
    igraph_vector_int_t edges;
    if (igraph_vector_int_init(&edges, 0) != IGRAPH_SUCCESS)
        return false;
    bool ok = true;
    for (int a = 1; a <= graf.PointCount && ok; ++a)
        for (int b : graf.OutArcs(a))
            if (directed || a < b)
                ok = igraph_vector_int_push_back(&edges, a - 1) == IGRAPH_SUCCESS &&
                     igraph_vector_int_push_back(&edges, b - 1) == IGRAPH_SUCCESS;
    ok = ok && igraph_create(out.Get(), &edges, graf.PointCount, directed) == IGRAPH_SUCCESS;
    if (ok)
        out.Own();
    igraph_vector_int_destroy(&edges);
    return ok;
}

void Seed(quint32 seed)
{
    igraph_rng_seed(igraph_rng_default(), seed);
}

int RandomInteger(int min, int max)
{
    return int(igraph_rng_get_integer(igraph_rng_default(), min, max));
}

double RandomUnit()
{
    return igraph_rng_get_unif01(igraph_rng_default());
}

} // namespace IgraphSupport
