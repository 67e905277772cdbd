#pragma once

#include "files/ExchangeGraph.h"

#include <QByteArray>
#include <QString>

// GraphML, GML, Pajek and edge lists through the igraph library. Readers return false with
// the library's error text; writers produce the file's bytes.
namespace IgraphFormats {

enum class Kind { GraphML, Gml, Pajek, EdgeList };

bool Read(Kind kind, const QByteArray& data, TExchangeGraph& out, QString& error);
bool Write(Kind kind, const TExchangeGraph& graph, QByteArray& data, QString& error);

} // namespace IgraphFormats
