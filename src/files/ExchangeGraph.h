#pragma once

#include <QByteArray>
#include <QHash>
#include <QPointF>
#include <QString>
#include <QStringList>
#include <vector>

class GraphDocument;
class ProgramHost;

// A graph as the exchange formats hold it, before it meets the document's limits: any number
// of vertices, real weights, loops and parallel arcs. Readers fill it; ApplyExchangeGraph
// decides what fits.
struct ExchangeGraph {
    struct Edge {
        int From = 0, To = 0; // 0-based vertex indices
        double Weight = 1;
        // An undirected edge of a graph that also has arcs.
        bool BothWays = false;
        // The file's line that gave the weight; 0 when the reader cannot tell.
        int Line = 0;
    };

    bool Directed = false;
    // Directed arcs and undirected edges side by side.
    bool Mixed = false;
    bool Weighted = false;
    QStringList Names;
    // Either empty or one position per vertex.
    std::vector<QPointF> Positions;
    std::vector<Edge> Edges;

    // What the reader left out or filled in, said in the import's warnings: edges of a
    // weighted file without a weight (given 1), graphs after the first, hyperedges, vertex
    // names that lost entities (&...;) the reader could not decode.
    int MissingWeights = 0;
    int OtherGraphs = 0;
    int Hyperedges = 0;
    int UnreadEntities = 0;

    int VertexCount() const { return int(Names.size()); }
};

// A file's vertices by the names it gives them, numbered in the order they are first named.
class NamedVertices {
  public:
    explicit NamedVertices(ExchangeGraph& graph) : graph(graph) {}
    // The vertex of the name, added to the graph when new.
    int Of(const QByteArray& name);

  private:
    ExchangeGraph& graph;
    QHash<QByteArray, int> index;
};

// The document's graph: names, positions and each arc once (each edge once, tail < head,
// when undirected).
ExchangeGraph ExchangeGraphOf(const GraphDocument& graf);

// Whether a weight rounds to one the document takes: 1..50000.
bool WeightFits(double weight);

// A number as QString::toDouble reads it, quickly for plain decimals (the library's parse
// costs thousands of instructions): false for a text longer than 64 characters, which no
// number is and which costs much to parse.
bool ReadNumber(const QString& text, double& value);

// What an import does with weights that do not round to 1..50000: refuses the graph, asks
// the user whether to import it without weights, or imports every graph without them.
enum class ImportWeights { Keep, Ask, Drop };

// Replaces the document's graph by the given one, all or nothing. Refused, with a message
// and the document unchanged: more than 255 vertices; weights that do not round to 1..50000
// (the message names the first such arc and its line), unless the weights are dropped.
// Carried over with a warning: weights rounded or missing, loops dropped, parallel arcs
// merged, a mixed graph made directed, whatever the reader left out. Positions that are all
// the same are no layout: the vertices go on a circle. True when the graph was replaced;
// weightsRefused, when given, tells whether the weights were the reason of a refusal.
bool ApplyExchangeGraph(GraphDocument& graf, ProgramHost& host, const ExchangeGraph& source,
                        ImportWeights weights = ImportWeights::Keep, bool* weightsRefused = nullptr);
