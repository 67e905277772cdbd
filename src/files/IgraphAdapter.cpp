#include "files/IgraphAdapter.h"

#include "document/GraphDocument.h"

#include <cstring>

namespace Igraph {
namespace {

// The handlers are the library's globals; what they keep belongs to the calling thread.
thread_local QString lastError;
thread_local int unknownEntities = 0;

void CountWarning(const char* reason, const char* /*file*/, int /*line*/)
{
    if (reason && std::strncmp(reason, "Unknown XML entity", 18) == 0)
        ++unknownEntities;
}

void KeepError(const char* reason, const char* /*file*/, int /*line*/, igraph_error_t code)
{
    if (lastError.isEmpty())
        lastError = QString::fromUtf8(reason && *reason ? reason : igraph_strerror(code));
    // The failing call returns its code; what it allocated is freed here as igraph expects.
    IGRAPH_FINALLY_FREE();
}

} // namespace

LibraryCall::LibraryCall(bool attributes) : attributes(attributes)
{
    lastError.clear();
    unknownEntities = 0;
    oldError = igraph_set_error_handler(KeepError);
    oldWarning = igraph_set_warning_handler(CountWarning);
    if (attributes)
        oldTable = igraph_set_attribute_table(&igraph_cattribute_table);
}

LibraryCall::~LibraryCall()
{
    igraph_set_error_handler(oldError);
    igraph_set_warning_handler(oldWarning);
    if (attributes)
        igraph_set_attribute_table(oldTable);
}

QString LibraryCall::Error(igraph_error_t code) const
{
    return lastError.isEmpty() ? QString::fromUtf8(igraph_strerror(code)) : lastError;
}

int LibraryCall::UnknownEntities() const
{
    return unknownEntities;
}

Graph::~Graph()
{
    if (filled)
        igraph_destroy(&graph);
}

std::vector<std::pair<int, int>> Graph::Edges() const
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

bool FromDocument(const GraphDocument& graf, Graph& out, Vector* weights)
{
    const bool directed = graf.Directed;
    IntVector edges(0);
    bool ok = edges.Valid() && (!weights || weights->Valid());
    for (int a = 1; a <= graf.VertexCount && ok; ++a)
        for (int b : graf.OutArcs(a))
            if (ok && (directed || a < b)) {
                ok = igraph_vector_int_push_back(edges.Get(), a - 1) == IGRAPH_SUCCESS &&
                     igraph_vector_int_push_back(edges.Get(), b - 1) == IGRAPH_SUCCESS;
                if (ok && weights)
                    ok = igraph_vector_push_back(weights->Get(), graf.Weighted ? graf.Arc(a, b).Weight : 1) ==
                         IGRAPH_SUCCESS;
            }
    ok = ok && igraph_create(out.Get(), edges.Get(), graf.VertexCount, directed) == IGRAPH_SUCCESS;
    if (ok)
        out.Own();
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

} // namespace Igraph
