#pragma once

#include "files/ExchangeGraph.h"
#include "files/FileError.h"

#include <QString>

class GraphDocument;
class ProgramHost;

// Import and export of the field's common graph formats. The format comes from the file's
// extension unless named; a refused import leaves the document unchanged.
namespace ExchangeFormats {

enum class Format { Unknown, GraphML, Gml, Dot, Pajek, EdgeList, Csv };

// By the extensions of the catalogue's exchange rows (files/FileFormats); Unknown otherwise.
Format FormatOfFile(const QString& fileName);
// The format to read a file as: FormatOfFile, except that a ".txt" holding a "[Main]" section
// or the older text format's matrix is the program's own graph file (Unknown), not an edge
// list. Open, Import and convert all decide by it.
Format ImportFormatOfFile(const QString& fileName);
// By a row's convert name ("pajek") or one of its extensions ("gv"); Unknown otherwise.
Format FormatNamed(const QString& name);
// Whether a file the exchange formats do not take is the program's own graph file by its
// name: ".grafa", ".txt" (the older text form) or no extension at all. Any other name is a
// format the program does not know.
bool IsProgramGraphName(const QString& fileName);

enum class ImportResult {
    Imported,
    Unreadable, // the file could not be read or parsed
    Refused,    // parsed, but the graph does not fit the document
};

// Replaces the document's graph by the file's; messages through the host, each one line
// naming the file and the cause.
ImportResult ImportGraph(GraphDocument& graf, ProgramHost& host, const QString& fileName, Format format,
                         ImportWeights weights = ImportWeights::Keep);
// Writes the document's graph; false with the reason when the file could not be written.
bool ExportGraph(const GraphDocument& graf, const QString& fileName, Format format,
                 FileError* error = nullptr);

} // namespace ExchangeFormats
