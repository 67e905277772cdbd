#pragma once

#include "files/ExchangeGraph.h"
#include "files/FileError.h"

#include <QByteArray>
#include <QString>

// Graphviz DOT: read through the cgraph library, so quoting, comments, subgraphs and
// attribute syntax are taken as Graphviz takes them; written by hand with every id quoted.
// Positions are "pos" in points with y upwards; the drawing's y grows downwards.
namespace DotFile {

bool Read(const QByteArray& data, ExchangeGraph& out, FileError& error);
QByteArray Write(const ExchangeGraph& graph);

} // namespace DotFile
