#pragma once

#include <igraph.h>

#include <QString>
#include <QtGlobal>
#include <utility>
#include <vector>

class GraphDocument;

// The one meeting point of the document and the igraph C library, for the exchange formats,
// the ready-made graphs and layouts, and the tests' oracle: the library's failures turned into
// return codes, its objects freed on every path, the document as a library graph, and the
// library's random numbers seeded from ours.
namespace Igraph {

// While alive, igraph reports failures by return code instead of aborting the program, and
// keeps the first failure's text. With attributes, graphs carry named vertex and edge
// attributes (what the exchange formats read and write).
class LibraryCall {
  public:
    explicit LibraryCall(bool attributes = false);
    ~LibraryCall();
    LibraryCall(const LibraryCall&) = delete;
    LibraryCall& operator=(const LibraryCall&) = delete;

    // The first failure's text, else the library's text for the code.
    QString Error(igraph_error_t code) const;
    // Entities the GraphML reader could not decode and left out, with a warning, so far.
    int UnknownEntities() const;

  private:
    igraph_error_handler_t* oldError;
    igraph_warning_handler_t* oldWarning;
    igraph_attribute_table_t* oldTable = nullptr;
    bool attributes;
};

// A graph that frees itself; empty until a constructor fills it and Own is called.
class Graph {
  public:
    Graph() = default;
    ~Graph();
    Graph(const Graph&) = delete;
    Graph& operator=(const Graph&) = delete;

    igraph_t* Get() { return &graph; }
    const igraph_t* Get() const { return &graph; }
    // A constructor filled the graph: it is freed from then on.
    void Own() { filled = true; }
    bool Filled() const { return filled; }
    // Vertex pairs (0-based) in igraph's edge order.
    std::vector<std::pair<int, int>> Edges() const;

  private:
    igraph_t graph{};
    bool filled = false;
};

// The library's containers, initialised on construction and freed on destruction. Valid is
// false when the library could not allocate them.
template <typename Object, auto init, auto destroy> class Owned {
  public:
    template <typename... Sizes>
    explicit Owned(Sizes... sizes) : valid(init(&object, sizes...) == IGRAPH_SUCCESS)
    {
    }
    ~Owned()
    {
        if (valid)
            destroy(&object);
    }
    Owned(const Owned&) = delete;
    Owned& operator=(const Owned&) = delete;

    bool Valid() const { return valid; }
    Object* Get() { return &object; }
    const Object* Get() const { return &object; }

  private:
    Object object{};
    bool valid;
};

using IntVector = Owned<igraph_vector_int_t, igraph_vector_int_init, igraph_vector_int_destroy>;
using Vector = Owned<igraph_vector_t, igraph_vector_init, igraph_vector_destroy>;
using Matrix = Owned<igraph_matrix_t, igraph_matrix_init, igraph_matrix_destroy>;
using StringVector = Owned<igraph_strvector_t, igraph_strvector_init, igraph_strvector_destroy>;

// The document's graph: vertex v is library vertex v - 1; each arc once (each edge once, from
// its lower end, when undirected) in out-list order; with weights, the arcs' weights (1 in an
// unweighted graph) in the same order.
bool FromDocument(const GraphDocument& graf, Graph& out, Vector* weights = nullptr);

// Seeds the library's default generator, so that a seed reproduces a graph and a drawing.
void Seed(quint32 seed);
// A whole number in min..max from the seeded generator.
int RandomInteger(int min, int max);
// A number in [0, 1) from the seeded generator.
double RandomUnit();

} // namespace Igraph
