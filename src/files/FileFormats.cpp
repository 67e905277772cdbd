#include "files/FileFormats.h"

#include "base/TranslationManager.h"
#include "files/CsvMatrix.h"
#include "files/DotFile.h"
#include "files/ExchangePrescan.h"
#include "files/IgraphFormats.h"
#include "files/PlainDot.h"
#include "files/PlainEdgeList.h"
#include "files/PlainGml.h"
#include "files/PlainGraphml.h"

namespace FileFormats {
namespace {

using ExchangeFormats::Format;
using IgraphFormats::Kind;

// A file our own readers leave is read by the library only up to its cap.
template <typename Read> bool ByLibrary(Format format, const QByteArray& data, FileError& error, Read read)
{
    const qint64 cap = ExchangePrescan::LibraryCap(format);
    if (data.size() > cap) {
        error =
            FileError::Message(QStringLiteral("Exchange_not_plain"), {QString::number(cap / (1024 * 1024))});
        return false;
    }
    return read();
}

bool ReadGraphml(const QByteArray& data, ExchangeGraph& out, FileError& error)
{
    return PlainGraphml::Read(data, out) || ByLibrary(Format::GraphML, data, error, [&] {
               return IgraphFormats::Read(Kind::GraphML, data, out, error);
           });
}

bool ReadGml(const QByteArray& data, ExchangeGraph& out, FileError& error)
{
    return PlainGml::Read(data, out) || ByLibrary(Format::Gml, data, error, [&] {
               return IgraphFormats::Read(Kind::Gml, data, out, error);
           });
}

bool ReadDot(const QByteArray& data, ExchangeGraph& out, FileError& error)
{
    return PlainDot::Read(data, out) ||
           ByLibrary(Format::Dot, data, error, [&] { return DotFile::Read(data, out, error); });
}

bool ReadPajek(const QByteArray& data, ExchangeGraph& out, FileError& error)
{
    return IgraphFormats::Read(Kind::Pajek, data, out, error);
}

bool ReadEdgeList(const QByteArray& data, ExchangeGraph& out, FileError& error)
{
    return PlainEdgeList::Read(data, out) || ByLibrary(Format::EdgeList, data, error, [&] {
               return IgraphFormats::Read(Kind::EdgeList, data, out, error);
           });
}

template <Kind kind> bool WriteByLibrary(const ExchangeGraph& graph, QByteArray& data, FileError& error)
{
    return IgraphFormats::Write(kind, graph, data, error);
}

bool WriteDot(const ExchangeGraph& graph, QByteArray& data, FileError&)
{
    data = DotFile::Write(graph);
    return true;
}

bool WriteCsv(const ExchangeGraph& graph, QByteArray& data, FileError&)
{
    data = CsvMatrix::Write(graph);
    return true;
}

FileFormat Exchange(Format format, const char* name, QStringList extensions, const char* cliName,
                    decltype(FileFormat::read) read, decltype(FileFormat::write) write,
                    const char* filterKey = nullptr)
{
    return {.kind = FileKind::Exchange,
            .format = format,
            .name = name,
            .filterKey = filterKey,
            .extensions = std::move(extensions),
            .cliName = cliName,
            .read = read,
            .write = write,
            .imports = true,
            .exports = true};
}

const std::vector<FileFormat>& Table()
{
    static const std::vector<FileFormat> table = {
        {.kind = FileKind::Graph,
         .name = "Nodeloom graph",
         .filterKey = "DialogFilters",
         .extensions = {QStringLiteral("grafa")},
         .cliName = "grafa",
         .opens = true,
         .saves = true},
        // The older text form, read only; a ".txt" holding an edge list is imported instead.
        {.kind = FileKind::Graph,
         .name = "older text graph",
         .extensions = {QStringLiteral("txt")},
         .opens = true},

        Exchange(Format::GraphML, "GraphML", {QStringLiteral("graphml")}, "graphml", ReadGraphml,
                 WriteByLibrary<Kind::GraphML>),
        Exchange(Format::Gml, "GML", {QStringLiteral("gml")}, "gml", ReadGml, WriteByLibrary<Kind::Gml>),
        Exchange(Format::Dot, "DOT", {QStringLiteral("dot"), QStringLiteral("gv")}, "dot", ReadDot, WriteDot),
        Exchange(Format::Pajek, "Pajek", {QStringLiteral("net")}, "pajek", ReadPajek,
                 WriteByLibrary<Kind::Pajek>),
        Exchange(Format::EdgeList, "edge list", {QStringLiteral("edgelist"), QStringLiteral("txt")},
                 "edgelist", ReadEdgeList, WriteByLibrary<Kind::EdgeList>, "Edge_list_format"),
        Exchange(Format::Csv, "CSV", {QStringLiteral("csv")}, "csv", CsvMatrix::Read, WriteCsv),

        // Pictures are drawn by the drawing layer; the catalogue only names them.
        {.kind = FileKind::Picture, .name = "PNG", .extensions = {QStringLiteral("png")}},
        {.kind = FileKind::Picture, .name = "BMP", .extensions = {QStringLiteral("bmp")}},
        {.kind = FileKind::Picture, .name = "SVG", .extensions = {QStringLiteral("svg")}},
        {.kind = FileKind::Picture, .name = "PDF", .extensions = {QStringLiteral("pdf")}, .exports = true},
    };
    return table;
}

} // namespace

const std::vector<FileFormat>& All()
{
    return Table();
}

std::vector<const FileFormat*> OfKind(FileKind kind)
{
    std::vector<const FileFormat*> rows;
    for (const FileFormat& row : Table())
        if (row.kind == kind)
            rows.push_back(&row);
    return rows;
}

const FileFormat* Of(Format format)
{
    for (const FileFormat& row : Table())
        if (row.kind == FileKind::Exchange && row.format == format)
            return &row;
    return nullptr;
}

const FileFormat* WithExtension(FileKind kind, const QString& extension)
{
    for (const FileFormat& row : Table())
        if (row.kind == kind && row.extensions.contains(extension))
            return &row;
    return nullptr;
}

QString Filter(const FileFormat& format)
{
    QStringList patterns;
    for (const QString& extension : format.extensions)
        patterns.append(QStringLiteral("*.") + extension);
    const QString name =
        format.filterKey ? Translate(QLatin1String(format.filterKey)) : QLatin1String(format.name);
    return name + QStringLiteral(" (") + patterns.join(QLatin1Char(' ')) + QLatin1Char(')');
}

} // namespace FileFormats
