#pragma once

#include <igraph.h>

#include <QtGlobal>
#include <utility>
#include <vector>

class TAllGraf;

// What the generators and layouts need from the igraph C library: its failures turned into
// return codes, graphs freed on every path and its random numbers seeded from ours.
namespace IgraphSupport {

// While alive, igraph reports failures by return code instead of aborting the program.
class LibraryCall {
  public:
    LibraryCall();
    ~LibraryCall();
    LibraryCall(const LibraryCall&) = delete;
    LibraryCall& operator=(const LibraryCall&) = delete;

  private:
    igraph_error_handler_t* oldError;
    igraph_warning_handler_t* oldWarning;
};

// An igraph graph that frees itself; empty until a constructor fills it.
class Graph {
  public:
    Graph() = default;
    ~Graph();
    Graph(const Graph&) = delete;
    Graph& operator=(const Graph&) = delete;

    igraph_t* Get() { return &graph; }
    // A constructor filled the graph: it is freed from then on.
    void Own() { filled = true; }
    bool Filled() const { return filled; }
    // Vertex pairs (0-based) in igraph's edge order.
    std::vector<std::pair<int, int>> Edges();

  private:
    igraph_t graph{};
    bool filled = false;
};

// The document's graph: vertices 0..n-1 for 1..n, each arc once (each edge once when
// undirected), in out-list order.
bool FromDocument(const TAllGraf& graf, Graph& out);

// Seeds igraph's default generator, so that a seed reproduces a graph and a drawing.
void Seed(quint32 seed);
// A whole number in min..max from the seeded generator.
int RandomInteger(int min, int max);
// A number in [0, 1) from the seeded generator.
double RandomUnit();

} // namespace IgraphSupport
