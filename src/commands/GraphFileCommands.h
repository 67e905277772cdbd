#pragma once

#include "files/ExchangeFormats.h"

#include <QString>

class GraphSession;

// The open, recent-file and save commands after their dialogs: what the windows call.
namespace GraphFileCommands {

// The open command for a chosen name (also a recent-file entry): reads the file (a "Version"
// below 1 means the older text form) without the current labels, and only when it was read
// whole records a snapshot, takes the graph over, recomputes the arc text points, refreshes
// and lists the file among the recent ones. A file that cannot be read shows a message and
// changes nothing: not the graph, not the history, not the recent list. A file in an exchange
// format (a ".txt" edge list among them) is imported instead; any other name but ".grafa",
// ".txt" or none is an unknown format, unless anyName reads it as a graph file. True when read.
bool OpenGraphFile(GraphSession& session, const QString& fileName, bool anyName = false);

// An example graph shipped with the program, opened as Open opens a file (one undo step, the
// same refusals) but kept out of the recent list and in no file: the shipped file is never
// written over, so the graph is unsaved until saved under a name of the user's. True when read.
bool OpenExampleFile(GraphSession& session, const QString& fileName);

// The import command: the graph of a file in one of the exchange formats replaces the
// document's as one undo step, and the file is listed among the recent ones. Weights that do
// not fit are named, with the offer to import the graph without them. A refused import shows
// its message and changes nothing, the history included. True when imported.
bool ImportGraphFile(GraphSession& session, const QString& fileName, ExchangeFormats::Format format);

// The name the save command writes: ".grafa" appended unless the name already ends in it
// (case-sensitive).
QString GrafaFileName(const QString& chosenName);
// The save command for a chosen name: saves without a snapshot and lists the file among the
// recent ones. A failure shows the system's text. True when saved.
bool SaveGraphFile(GraphSession& session, const QString& chosenName);

} // namespace GraphFileCommands
