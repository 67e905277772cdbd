#pragma once

#include "cli/CliHost.h"
#include "commands/GraphSession.h"
#include "files/ExchangeFormats.h"

#include <QString>
#include <QTemporaryDir>
#include <cstdio>

// The exit statuses of every command of nodeloom-cli.
enum ExitCode {
    Ok = 0,             // done as asked
    FileUnreadable = 1, // an input could not be read at all: missing, unreadable, not a graph file
    BadArguments = 2,   // usage: unknown command or option, a vertex outside the graph, ...
    Refused = 3,        // the input was read but refused by a rule of the program, with its reason
    WriteFailed = 4,    // an output could not be written
};

// Writes text as UTF-8 to a standard stream.
void Print(FILE* stream, const QString& text);
// A file name as messages show it: as it is, or, when it holds a control character (a line
// end, an escape sequence for the terminal), in double quotes with those characters written
// as \n, \t, \x1b and the like, and quotes and backslashes inside escaped.
QString QuotedName(const QString& name);
// The text with every control character but its line ends written as an escape.
QString EscapeControls(const QString& text);
// One line on standard error: "name: reason", the name quoted as QuotedName gives it.
void PrintReason(const QString& name, const QString& reason);

// While one exists, whatever this thread prints to stdout or stderr is kept here instead,
// so that runs on several threads can be printed whole and in the order given.
class CapturedOutput {
  public:
    CapturedOutput();
    ~CapturedOutput();
    CapturedOutput(const CapturedOutput&) = delete;
    CapturedOutput& operator=(const CapturedOutput&) = delete;

    QByteArray out;
    QByteArray err;

  private:
    CapturedOutput* previous;
};

// A session with a fresh document as the program's new-graph command leaves it: undirected,
// unweighted, vertices numbered from 1, the program's default look.
struct CliSession {
    CliHost host;
    GraphSession session{host};
    GraphDocument* graf = nullptr;

    explicit CliSession(bool directed = false, bool weighted = false);

    // Opens a graph file. FileUnreadable with a reason line when it cannot be read as a graph
    // file at all; Refused when a rule of the program refused what it holds (its message was
    // printed); Ok otherwise. A name in no format the program knows is FileUnreadable, unless
    // anyName reads it as a graph file.
    ExitCode Open(const QString& fileName, bool anyName = false);
    // Imports a file of one of the exchange formats, with the same exit statuses as Open:
    // FileUnreadable also when the file does not parse (the parser's text was printed).
    ExitCode Import(const QString& fileName, ExchangeFormats::Format format,
                    ImportWeights weights = ImportWeights::Keep);
    // The size of the drawing as pictures show it.
    QSize Canvas() const { return graf->CanvasSize(host.DrawingArea()); }
    // Messages printed so far.
    qsizetype MessageCount() const { return host.Messages().size(); }
};

// The report file and the settings stay out of the program's folder: runs in parallel must
// not share them, and the folder need not be writable.
class PrivateProgramFolder {
  public:
    PrivateProgramFolder();
    ~PrivateProgramFolder();
    bool IsValid() const { return folder.isValid(); }
    QString ErrorString() const { return folder.errorString(); }

  private:
    QTemporaryDir folder;
};

// Outputs: each writes its file atomically, or prints why not and returns false.
bool WriteOutputFile(const QString& fileName, const QByteArray& bytes);
bool SaveGrafOutput(CliSession& cli, const QString& fileName);
// SVG is drawn from the document itself; PNG and BMP take the picture as the window would show it.
bool SavePictureOutput(CliSession& cli, const QString& fileName);
bool IsPictureName(const QString& name);
