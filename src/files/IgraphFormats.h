#pragma once

#include "files/ExchangeGraph.h"
#include "files/FileError.h"

#include <QByteArray>
#include <QString>

// GraphML, GML, Pajek and edge lists through the igraph library. Readers return false with
// the library's own words; writers produce the file's bytes.
namespace IgraphFormats {

enum class Kind { GraphML, Gml, Pajek, EdgeList };

bool Read(Kind kind, const QByteArray& data, ExchangeGraph& out, FileError& error);
bool Write(Kind kind, const ExchangeGraph& graph, QByteArray& data, FileError& error);

} // namespace IgraphFormats
