#pragma once

#include "files/FileError.h"

#include <QString>
#include <QtGlobal>

class GraphDocument;
class ProgramHost;
class IniFile;

// The ".grafa" graph file: an initialisation file with the kind flags, the full weight
// matrix, the vertex positions, the naming scheme and the labels.
namespace GrafaFile {

// Coordinates read from a file are kept within this range either side of 0: a hand-edited
// value cannot overflow the extent arithmetic or ask for an absurd canvas, and every drawing
// the program accepts still fits a picture it can save (8192 pixels a side).
constexpr int MaxCoordinate = 8000;

// The largest graph file of the program's own (".grafa" or the older text) that is read: a
// full 255-vertex matrix with names and 1024 labels of 10000 three-byte characters stays
// below it, and nothing larger is worth the memory its reading takes.
constexpr qint64 MaxGraphFileBytes = 48LL * 1024 * 1024;

// Writes the document into the file, updating it key by key (keys this save does not
// write stay) and replacing it atomically. False with the system's text when it cannot.
bool SaveGrafa(const GraphDocument& graf, const QString& fileName, QString* error = nullptr);

// "Main"/"Version", 0 when absent or not a number.
int FileVersion(const IniFile& file);

// Replaces the document's graph by the file's. Nothing happens unless "Version" is 1.
// Refused before anything changes, with the reason in error: more than 255 vertices; a matrix
// entry outside 0..50000. A diagonal entry is ignored (the document has no loops). A matrix
// that does not fit the file's kind leaves the document empty, with the file's kind and
// naming (a message says why). Warnings about cut texts go to the host. True when the graph
// was read.
bool ReadGrafa(GraphDocument& graf, ProgramHost& host, const IniFile& file, FileError& error);
// ReadGrafa with its refusal shown through the host.
bool LoadGrafa(GraphDocument& graf, ProgramHost& host, const IniFile& file);
bool LoadGrafa(GraphDocument& graf, ProgramHost& host, const QString& fileName);

} // namespace GrafaFile
