#pragma once

#include <QString>

class GraphDocument;
class ProgramHost;

// The older plain-text graph file: matrix lines, then the optional marked parts
// "XYposition", "GrafType" and "Labels" ... "EndLabel". Read only.
namespace OldGrafFile {

// "Graf1.0" followed by two digits: directed when the first is 1, weighted when the second is.
bool ParseGrafType(const QString& line, bool& directed, bool& weighted);

// Reads the file into the document (the caller has recorded a snapshot and deleted the labels).
// Refused with a message, before anything changes, when the file cannot be read or holds more
// than 255 matrix lines. A coordinate that is not an integer shows a message and ends the
// reading there; what was read stays. True when the matrix was accepted.
bool LoadOldGraf(GraphDocument& graf, ProgramHost& host, const QString& fileName);

} // namespace OldGrafFile
