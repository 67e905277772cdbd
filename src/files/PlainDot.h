#pragma once

#include "files/ExchangeGraph.h"

#include <QByteArray>

// A fast reader for the plain DOT that this program and many tools write: one graph of node
// statements and single edges, each statement on its own line and ended by ";", with
// attribute lists. cgraph takes over a second for a complete graph. Anything beyond that
// plain form (comments, subgraphs, default attributes, chains of edges, ports, HTML strings,
// "strict", a character set, more graphs, errors) is left to cgraph: false, and out
// untouched. Where it answers, it answers as cgraph would.
namespace PlainDot {

bool Read(const QByteArray& data, ExchangeGraph& out);

} // namespace PlainDot
