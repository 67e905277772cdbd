#pragma once

#include <QByteArray>
#include <cstddef>
#include <memory>
#include <unordered_set>
#include <vector>

struct Graph;

// The parts of a document that undo brings back, packed small: numbers as variable-length
// integers, each arc's text point as its offset from the middle of the arc, the out-arcs of each
// vertex in a piece of their own. Pieces equal to those of the state recorded before share their
// memory, so a step that moves a vertex or changes a weight in a complete graph of 255 vertices
// keeps a few kilobytes, and even a step that changes every arc keeps under half a megabyte.
class GraphSnapshot {
  public:
    static GraphSnapshot Take(const Graph& graf);
    // Writes every recorded part back; table slots past the counts are left empty, as the editing
    // operations keep them.
    void Restore(Graph& graf) const;
    std::unique_ptr<Graph> Unpacked() const;

    // Points every piece equal to one of earlier's (or to an earlier piece of this snapshot) at
    // that copy.
    void ShareWith(const GraphSnapshot* earlier);
    // The bytes this snapshot holds, leaving out pieces whose memory is already in seen.
    std::size_t MemoryBytes(std::unordered_set<const void*>& seen) const;

    bool operator==(const GraphSnapshot&) const = default;

  private:
    std::vector<QByteArray> pieces;
};
