#pragma once

#include "files/ExchangeGraph.h"

#include <QByteArray>

// A fast reader for the plain GraphML that this program and most tools write: one graph of
// nodes and edges, typed keys with defaults, names, labels, positions and weights as data.
// The library's reader costs about a second on a complete graph. Anything beyond that plain
// form (a document type, ports, nested graphs, hyperedges, edges against the graph's
// direction, data of unexpected type, errors) is left to the library: false, and out
// untouched. Where it answers, it answers as the library's reader would.
namespace PlainGraphml {

bool Read(const QByteArray& data, ExchangeGraph& out);

} // namespace PlainGraphml
