#pragma once

#include <QString>

// What convert says about the formats it reads and writes, from the catalogue of file formats.
namespace ConvertFormats {

// The usage text's lines under convert, indented as the rest of the usage text.
QString UsageLines();
// "convert writes .grafa, .png, ... or .csv files": every extension convert writes.
QString WrittenExtensions();
// Whether a --from-format or --to-format name is the program's own graph file ("grafa").
bool NamesOwnGraph(const QString& name);
// Whether convert writes a file of that name as the program's own graph file.
bool IsOwnGraphName(const QString& fileName);

} // namespace ConvertFormats
