#include "files/ExchangeFormats.h"

#include "base/TranslateManager.h"
#include "base/WholeFile.h"
#include "document/AllGrafUnit.h"
#include "files/CsvMatrix.h"
#include "files/DotFile.h"
#include "files/ExchangeGraph.h"
#include "files/ExchangePrescan.h"
#include "files/IgraphFormats.h"
#include "files/MatrixText.h"
#include "files/PlainDot.h"
#include "files/PlainEdgeList.h"
#include "files/PlainGml.h"
#include "files/PlainGraphml.h"

#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <functional>

namespace ExchangeFormats {
namespace {

// Larger files cannot hold a graph the document could take; they are not read at all.
constexpr qint64 MaxFileSize = 64 * 1024 * 1024;

bool Fail(QString* error, const QString& text)
{
    if (error)
        *error = text;
    return false;
}

// A file our own readers leave is read by the library only up to its cap.
bool ByLibrary(Format format, const QByteArray& data, QString& error, const std::function<bool()>& read)
{
    const qint64 cap = ExchangePrescan::LibraryCap(format);
    if (data.size() > cap) {
        error = Translate(QStringLiteral("Exchange_not_plain")).arg(cap / (1024 * 1024));
        return false;
    }
    return read();
}

bool Parse(Format format, const QByteArray& data, TExchangeGraph& out, QString& error)
{
    using IgraphFormats::Kind;
    switch (format) {
    case Format::GraphML:
        return PlainGraphml::Read(data, out) || ByLibrary(format, data, error, [&] {
                   return IgraphFormats::Read(Kind::GraphML, data, out, error);
               });
    case Format::Gml:
        return PlainGml::Read(data, out) || ByLibrary(format, data, error, [&] {
                   return IgraphFormats::Read(Kind::Gml, data, out, error);
               });
    case Format::Pajek:
        return IgraphFormats::Read(Kind::Pajek, data, out, error);
    case Format::EdgeList:
        return PlainEdgeList::Read(data, out) || ByLibrary(format, data, error, [&] {
                   return IgraphFormats::Read(Kind::EdgeList, data, out, error);
               });
    case Format::Csv:
        return CsvMatrix::Read(data, out, error);
    case Format::Dot:
        return PlainDot::Read(data, out) ||
               ByLibrary(format, data, error, [&] { return DotFile::Read(data, out, error); });
    case Format::Unknown:
        break;
    }
    return false;
}

// "file: cause" on one line: a library's message may run over several.
QString FileCause(const QString& fileName, const QString& cause)
{
    const QString first = cause.section(QLatin1Char('\n'), 0, 0).simplified();
    return QFileInfo(fileName).fileName() + (first.isEmpty() ? QString() : QStringLiteral(": ") + first);
}

} // namespace

Format FormatOfFile(const QString& fileName)
{
    const QString suffix = QFileInfo(fileName).suffix().toLower();
    if (suffix == QLatin1String("graphml"))
        return Format::GraphML;
    if (suffix == QLatin1String("gml"))
        return Format::Gml;
    if (suffix == QLatin1String("dot") || suffix == QLatin1String("gv"))
        return Format::Dot;
    if (suffix == QLatin1String("net"))
        return Format::Pajek;
    if (suffix == QLatin1String("edgelist") || suffix == QLatin1String("txt"))
        return Format::EdgeList;
    if (suffix == QLatin1String("csv"))
        return Format::Csv;
    return Format::Unknown;
}

namespace {

// Whether a ".txt" holds a graph of the program's own: a "[Main]" section, or matrix lines of
// comma-separated whole numbers up to the first marker of the older text format. An edge
// list separates its fields by blanks, which no matrix entry holds.
bool HoldsProgramGraph(QFile& file)
{
    const QByteArray positionMarker("XYposition"), typeMarker("GrafType");
    int matrixLines = 0;
    while (!file.atEnd()) {
        QByteArray line = file.readLine(1 << 20);
        if (line.startsWith("\xEF\xBB\xBF"))
            line.remove(0, 3);
        line = line.trimmed();
        if (line == "[Main]")
            return true;
        if (line.isEmpty())
            continue;
        if (line == positionMarker || line == typeMarker)
            return matrixLines > 0;
        for (const QByteArray& entry : line.split(',')) {
            double value = 0;
            if (!MatrixText::ParseEntry(QString::fromLatin1(entry), value))
                return false;
        }
        // More lines than a matrix can have: the readers refuse it by its size.
        if (++matrixLines > TAllGraf::MaxPoints)
            return true;
    }
    return matrixLines > 0;
}

} // namespace

Format ImportFormatOfFile(const QString& fileName)
{
    const Format format = FormatOfFile(fileName);
    if (format != Format::EdgeList || !fileName.endsWith(QLatin1String(".txt"), Qt::CaseInsensitive))
        return format;
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return format;
    return HoldsProgramGraph(file) ? Format::Unknown : format;
}

bool IsProgramGraphName(const QString& fileName)
{
    const QString suffix = QFileInfo(fileName).suffix().toLower();
    return suffix.isEmpty() || suffix == QLatin1String("grafa") || suffix == QLatin1String("txt");
}

Format FormatNamed(const QString& name)
{
    const QString key = name.toLower();
    if (key == QLatin1String("pajek"))
        return Format::Pajek;
    if (key == QLatin1String("gv"))
        return Format::Dot;
    return FormatOfFile(QStringLiteral("x.") + key);
}

namespace {

// The prescan's refusal as the user reads it, naming the file and the limit.
QString RefusalText(const ExchangePrescan::Verdict& verdict, const QString& fileName)
{
    using Kind = ExchangePrescan::Verdict::Kind;
    switch (verdict.kind) {
    case Kind::TooLarge:
        return Translate(QStringLiteral("File_too_large")).arg(fileName).arg(verdict.limit / (1024 * 1024));
    case Kind::TooManyVertices:
        return Translate(QStringLiteral("Version_not_support_count"));
    case Kind::TooManyArcs:
        return Translate(QStringLiteral("Exchange_too_many_arcs")).arg(fileName).arg(verdict.limit);
    case Kind::TooLong:
        return Translate(QStringLiteral("Exchange_too_long"))
            .arg(fileName)
            .arg(verdict.line)
            .arg(verdict.limit);
    case Kind::TooManyKeys:
        return Translate(QStringLiteral("Exchange_too_many_keys")).arg(fileName).arg(verdict.limit);
    case Kind::Accepted:
        break;
    }
    return QString();
}

} // namespace

ImportResult ImportGraph(TAllGraf& graf, const QString& fileName, Format format, ImportWeights weights)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) {
        graf.Host().ShowError(Translate(QStringLiteral("Exchange_parse_error")).arg(file.errorString()));
        return ImportResult::Unreadable;
    }
    // Too large to be a graph of the program's: refused before a byte is read.
    const qint64 cap =
        format == Format::Unknown ? MaxFileSize : std::min(MaxFileSize, ExchangePrescan::SizeCap(format));
    if (file.size() > cap) {
        ExchangePrescan::Verdict verdict;
        verdict.kind = ExchangePrescan::Verdict::Kind::TooLarge;
        verdict.limit = cap;
        graf.Host().ShowError(RefusalText(verdict, fileName));
        return ImportResult::Unreadable;
    }
    // A file that grows while it is read, or a device, stops at the cap all the same.
    const QByteArray data = file.read(file.isSequential() ? cap + 1 : std::min(cap, file.size()) + 1);
    if (format != Format::Unknown) {
        const ExchangePrescan::Verdict verdict = ExchangePrescan::Prescan(format, data);
        if (verdict.kind != ExchangePrescan::Verdict::Kind::Accepted) {
            graf.Host().ShowError(RefusalText(verdict, fileName));
            return verdict.kind == ExchangePrescan::Verdict::Kind::TooLarge ? ImportResult::Unreadable
                                                                            : ImportResult::Refused;
        }
    }
    TExchangeGraph source;
    QString error;
    if (format == Format::Unknown || !Parse(format, data, source, error)) {
        graf.Host().ShowError(
            Translate(QStringLiteral("Exchange_parse_error")).arg(FileCause(fileName, error)));
        return ImportResult::Unreadable;
    }
    return ApplyExchangeGraph(graf, source, weights) ? ImportResult::Imported : ImportResult::Refused;
}

bool ExportGraph(const TAllGraf& graf, const QString& fileName, Format format, QString* error)
{
    const TExchangeGraph graph = ExchangeGraphOf(graf);
    QByteArray data;
    QString reason;
    bool written = true;
    switch (format) {
    case Format::GraphML:
        written = IgraphFormats::Write(IgraphFormats::Kind::GraphML, graph, data, reason);
        break;
    case Format::Gml:
        written = IgraphFormats::Write(IgraphFormats::Kind::Gml, graph, data, reason);
        break;
    case Format::Pajek:
        written = IgraphFormats::Write(IgraphFormats::Kind::Pajek, graph, data, reason);
        break;
    case Format::EdgeList:
        written = IgraphFormats::Write(IgraphFormats::Kind::EdgeList, graph, data, reason);
        break;
    case Format::Csv:
        data = CsvMatrix::Write(graph);
        break;
    case Format::Dot:
        data = DotFile::Write(graph);
        break;
    case Format::Unknown:
        return Fail(error, Translate(QStringLiteral("Exchange_unknown_format")).arg(fileName));
    }
    if (!written)
        return Fail(error, reason);
    return WriteWholeFile(fileName, data, error);
}

} // namespace ExchangeFormats
