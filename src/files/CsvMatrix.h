#pragma once

#include "files/ExchangeGraph.h"
#include "files/FileError.h"

#include <QByteArray>
#include <QString>

// The adjacency matrix as CSV, comma- or semicolon-separated: an optional header row of
// names (then every row starts with its vertex's name), one row per tail vertex, 0 or an
// empty cell for no arc. A matrix that is not symmetric is directed; one with an entry
// other than 0 and 1 is weighted.
namespace CsvMatrix {

bool Read(const QByteArray& data, ExchangeGraph& out, FileError& error);
QByteArray Write(const ExchangeGraph& graph);

} // namespace CsvMatrix
