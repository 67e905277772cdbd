#pragma once

#include "files/ExchangeGraph.h"

#include <QByteArray>

// A fast reader for edge lists: lines of two names and an optional number, with our "#"
// header. The library's reader and the passes that give each edge its line cost most of a
// second on a complete graph with long names. A line it does not take (more or fewer
// fields, a weight that is not a plain number, control characters) is left to the library:
// false, and out untouched. Where it answers, it answers as the library's reader would.
namespace PlainEdgeList {

bool Read(const QByteArray& data, ExchangeGraph& out);

} // namespace PlainEdgeList
