#pragma once

#include <QPointF>
#include <QString>
#include <QStringList>
#include <vector>

class TAllGraf;

// A graph as the exchange formats hold it, before it meets the document's limits: any number
// of vertices, real weights, loops and parallel arcs. Readers fill it; ApplyExchangeGraph
// decides what fits.
struct TExchangeGraph {
    struct Edge {
        int From = 0, To = 0; // 0-based vertex indices
        double Weight = 1;
        // An undirected edge of a graph that also has arcs.
        bool BothWays = false;
    };

    bool Directed = false;
    // Directed arcs and undirected edges side by side.
    bool Mixed = false;
    bool Weighted = false;
    QStringList Names;
    // Either empty or one position per vertex.
    std::vector<QPointF> Positions;
    std::vector<Edge> Edges;

    int VertexCount() const { return int(Names.size()); }
};

// The document's graph: names, positions and each arc once (each edge once, tail < head,
// when undirected).
TExchangeGraph ExchangeGraphOf(const TAllGraf& graf);

// Replaces the document's graph by the given one, all or nothing. Refused, with a message
// and the document unchanged: more than 255 vertices; weights that do not round to 1..50000.
// Carried over with a warning: weights rounded, loops dropped, parallel arcs merged, a mixed
// graph made directed. True when the graph was replaced.
bool ApplyExchangeGraph(TAllGraf& graf, const TExchangeGraph& source);
