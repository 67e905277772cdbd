#pragma once

#include "files/ExchangeGraph.h"

#include <QByteArray>

// A fast reader for the plain GML that this program and most tools write: one graph of nodes
// with an integer id and plain names, labels, x and y, and edges with a source, a target and
// a numeric weight; names may carry the "&quot;" and "&amp;" the library writes. The library's
// reader costs some 400 instructions a byte, so a complete graph took half a second. Anything
// beyond that plain form (comments, nested lists, other entities, errors) is left to the
// library: false, and out untouched. Where it answers, it
// answers as the library's reader would.
namespace PlainGml {

bool Read(const QByteArray& data, ExchangeGraph& out);

} // namespace PlainGml
