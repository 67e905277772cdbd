#include "files/ExchangeFormats.h"

#include "base/WholeFile.h"
#include "document/GraphDocument.h"
#include "document/ProgramHost.h"
#include "files/ExchangeGraph.h"
#include "files/ExchangePrescan.h"
#include "files/FileFormats.h"
#include "files/MatrixText.h"

#include <QFile>
#include <QFileInfo>
#include <algorithm>

namespace ExchangeFormats {
namespace {

// Larger files cannot hold a graph the document could take; they are not read at all.
constexpr qint64 MaxFileSize = 64 * 1024 * 1024;

bool Fail(FileError* error, const FileError& reason)
{
    if (error)
        *error = reason;
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
    const FileFormat* row =
        FileFormats::WithExtension(FileKind::Exchange, QFileInfo(fileName).suffix().toLower());
    return row ? row->format : Format::Unknown;
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
        if (++matrixLines > GraphDocument::MaxVertices)
            return true;
    }
    return matrixLines > 0;
}

} // namespace

Format ImportFormatOfFile(const QString& fileName)
{
    const Format format = FormatOfFile(fileName);
    // An extension the program's own graph files share with an exchange format (".txt"): what
    // the file holds decides.
    if (format == Format::Unknown ||
        !FileFormats::WithExtension(FileKind::Graph, QFileInfo(fileName).suffix().toLower()))
        return format;
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return format;
    return HoldsProgramGraph(file) ? Format::Unknown : format;
}

bool IsProgramGraphName(const QString& fileName)
{
    const QString suffix = QFileInfo(fileName).suffix().toLower();
    return suffix.isEmpty() || FileFormats::WithExtension(FileKind::Graph, suffix);
}

Format FormatNamed(const QString& name)
{
    const QString key = name.toLower();
    for (const FileFormat* row : FileFormats::OfKind(FileKind::Exchange))
        if (key == QLatin1String(row->cliName))
            return row->format;
    // Any of a format's extensions names it too, as the last part of a dotted name.
    return FormatOfFile(QStringLiteral("x.") + key);
}

namespace {

// The prescan's refusal as the user reads it, naming the file and the limit.
FileError Refusal(const ExchangePrescan::Verdict& verdict, const QString& fileName)
{
    using Kind = ExchangePrescan::Verdict::Kind;
    const QString limit = QString::number(verdict.limit);
    FileError error;
    switch (verdict.kind) {
    case Kind::TooLarge:
        error = FileError::Message(QStringLiteral("File_too_large"),
                                   {fileName, QString::number(verdict.limit / (1024 * 1024))});
        break;
    case Kind::TooManyVertices:
        error = FileError::Message(QStringLiteral("Version_not_support_count"));
        break;
    case Kind::TooManyArcs:
        error = FileError::Message(QStringLiteral("Exchange_too_many_arcs"), {fileName, limit});
        break;
    case Kind::TooLong:
        error = FileError::Message(QStringLiteral("Exchange_too_long"),
                                   {fileName, QString::number(verdict.line), limit})
                    .AtLine(verdict.line);
        break;
    case Kind::TooManyKeys:
        error = FileError::Message(QStringLiteral("Exchange_too_many_keys"), {fileName, limit});
        break;
    case Kind::Accepted:
        break;
    }
    return error.InFile(fileName);
}

} // namespace

ImportResult ImportGraph(GraphDocument& graf, ProgramHost& host, const QString& fileName, Format format,
                         ImportWeights weights)
{
    auto show = [&host](const FileError& error) { host.ShowError(error.Text()); };
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) {
        show(FileError::Message(QStringLiteral("Exchange_parse_error"), {file.errorString()})
                 .InFile(fileName));
        return ImportResult::Unreadable;
    }
    // Too large to be a graph of the program's: refused before a byte is read.
    const qint64 cap =
        format == Format::Unknown ? MaxFileSize : std::min(MaxFileSize, ExchangePrescan::SizeCap(format));
    if (file.size() > cap) {
        ExchangePrescan::Verdict verdict;
        verdict.kind = ExchangePrescan::Verdict::Kind::TooLarge;
        verdict.limit = cap;
        show(Refusal(verdict, fileName));
        return ImportResult::Unreadable;
    }
    // A file that grows while it is read, or a device, stops at the cap all the same.
    const QByteArray data = file.read(file.isSequential() ? cap + 1 : std::min(cap, file.size()) + 1);
    if (format != Format::Unknown) {
        const ExchangePrescan::Verdict verdict = ExchangePrescan::Prescan(format, data);
        if (verdict.kind != ExchangePrescan::Verdict::Kind::Accepted) {
            show(Refusal(verdict, fileName));
            return verdict.kind == ExchangePrescan::Verdict::Kind::TooLarge ? ImportResult::Unreadable
                                                                            : ImportResult::Refused;
        }
    }
    ExchangeGraph source;
    FileError cause;
    const FileFormat* row = FileFormats::Of(format);
    if (!row || !row->read(data, source, cause)) {
        show(FileError::Message(QStringLiteral("Exchange_parse_error"), {FileCause(fileName, cause.Text())})
                 .InFile(fileName)
                 .AtLine(cause.line));
        return ImportResult::Unreadable;
    }
    return ApplyExchangeGraph(graf, host, source, weights) ? ImportResult::Imported : ImportResult::Refused;
}

bool ExportGraph(const GraphDocument& graf, const QString& fileName, Format format, FileError* error)
{
    const FileFormat* row = FileFormats::Of(format);
    if (!row)
        return Fail(
            error,
            FileError::Message(QStringLiteral("Exchange_unknown_format"), {fileName}).InFile(fileName));
    QByteArray data;
    FileError reason;
    if (!row->write(ExchangeGraphOf(graf), data, reason))
        return Fail(error, reason.InFile(fileName));
    QString written;
    if (!WriteWholeFile(fileName, data, &written))
        return Fail(error, FileError::Verbatim(written).InFile(fileName));
    return true;
}

} // namespace ExchangeFormats
