#pragma once

#include "files/ExchangeFormats.h"
#include "files/FileError.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <vector>

// What a file of a format holds: a graph of the program's own, another program's graph, or a
// picture of the graph.
enum class FileKind { Graph, Exchange, Picture };

// One row of the catalogue of file formats. The dialogs' filters, convert, nodeloom-cli's usage
// text and the manual's table of formats all come from these rows.
struct FileFormat {
    FileKind kind;
    // The exchange format the row stands for; Unknown for the others.
    ExchangeFormats::Format format = ExchangeFormats::Format::Unknown;
    // The format's name as the tools that write it call it, and the filter's name unless the
    // row has a key for it.
    const char* name;
    // The dialog filter's name by translation key; for the program's own graph files the
    // whole stored filter list of the Open and Save dialogs.
    const char* filterKey = nullptr;
    // Lowercase, without the dot; the first is the one files are written with.
    QStringList extensions;
    // What convert's --from-format and --to-format call it; null when they do not.
    const char* cliName = nullptr;
    // Exchange formats only: the bytes of a file into the graph it holds, and back.
    bool (*read)(const QByteArray& data, ExchangeGraph& out, FileError& error) = nullptr;
    bool (*write)(const ExchangeGraph& graph, QByteArray& data, FileError& error) = nullptr;
    bool opens = false;   // by Open, as the program's own graph file
    bool saves = false;   // by Save and by convert, as the program's own graph file
    bool imports = false; // by Import and by convert
    bool exports = false; // by Export; convert writes every exchange format and picture
};

namespace FileFormats {

// Every row, the program's own graph files first, then the exchange formats, then pictures.
const std::vector<FileFormat>& All();
// The rows of one kind, in catalogue order.
std::vector<const FileFormat*> OfKind(FileKind kind);
// The row of an exchange format; null for Unknown.
const FileFormat* Of(ExchangeFormats::Format format);
// The row of a kind that lists the extension (lowercase, without the dot); null when none does.
const FileFormat* WithExtension(FileKind kind, const QString& extension);

// The row as a Qt dialog filter: "DOT (*.dot *.gv)", its name translated when it has a key.
QString Filter(const FileFormat& format);

} // namespace FileFormats
