#include "cli/CliSession.h"

#include "base/IniFile.h"
#include "base/ProgramPaths.h"
#include "base/TranslationManager.h"
#include "base/WholeFile.h"
#include "commands/GraphFileCommands.h"
#include "commands/ProgramSettings.h"
#include "drawing/Canvas.h"
#include "drawing/DocumentDrawing.h"
#include "files/FileFormats.h"
#include "files/GrafaFile.h"

#include <QFile>
#include <QFileInfo>
#include <algorithm>

namespace {

CapturedOutput*& ThreadCapture()
{
    thread_local CapturedOutput* capture = nullptr;
    return capture;
}

} // namespace

CapturedOutput::CapturedOutput() : previous(ThreadCapture())
{
    ThreadCapture() = this;
}

CapturedOutput::~CapturedOutput()
{
    ThreadCapture() = previous;
}

void Print(FILE* stream, const QString& text)
{
    const QByteArray bytes = text.toUtf8();
    if (CapturedOutput* capture = ThreadCapture()) {
        (stream == stderr ? capture->err : capture->out).append(bytes);
        return;
    }
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stream);
}

namespace {

bool IsControl(char16_t code)
{
    return code < 0x20 || (code >= 0x7f && code < 0xa0) || code == 0x2028 || code == 0x2029;
}

void AppendEscape(QString& text, char16_t code)
{
    switch (code) {
    case u'\n':
        text += QStringLiteral("\\n");
        break;
    case u'\r':
        text += QStringLiteral("\\r");
        break;
    case u'\t':
        text += QStringLiteral("\\t");
        break;
    default:
        text += code > 0xff ? QStringLiteral("\\u%1").arg(int(code), 4, 16, QLatin1Char('0'))
                            : QStringLiteral("\\x%1").arg(int(code), 2, 16, QLatin1Char('0'));
    }
}

} // namespace

QString EscapeControls(const QString& text)
{
    QString escaped;
    escaped.reserve(text.size());
    for (const QChar c : text) {
        if (IsControl(c.unicode()) && c != u'\n' && c != u'\r')
            AppendEscape(escaped, c.unicode());
        else
            escaped += c;
    }
    return escaped;
}

QString QuotedName(const QString& name)
{
    if (std::none_of(name.cbegin(), name.cend(), [](QChar c) { return IsControl(c.unicode()); }) &&
        !name.startsWith(QLatin1Char('"')))
        return name;
    QString quoted = QStringLiteral("\"");
    for (const QChar c : name) {
        if (IsControl(c.unicode()))
            AppendEscape(quoted, c.unicode());
        else if (c == u'"' || c == u'\\')
            quoted += QLatin1Char('\\') + c;
        else
            quoted += c;
    }
    return quoted + QLatin1Char('"');
}

void PrintReason(const QString& name, const QString& reason)
{
    Print(stderr, QuotedName(name) + QStringLiteral(": ") + reason + QLatin1Char('\n'));
}

CliSession::CliSession(bool directed, bool weighted)
{
    session.Naming().SetKind(VertexNaming::Numbers);
    session.Naming().SetNumbers(1);
    graf = &session.CreateDocument();
    graf->StartNewGraph(directed, weighted);
    // Nothing here places or hits labels with the mouse: measuring a long text is wasted work.
    graf->MeasuresLabels = false;
    // The program's default look; the private program folder holds no settings file, so a
    // user's settings never change what the tool prints or draws.
    ProgramSettings(TranslateManager()).LoadSettings(*graf, host, false);
    host.SetDocument(graf);
}

namespace {

// Why a file cannot be read at all, printed; Ok when it can be tried.
ExitCode CheckInputFile(const QString& fileName)
{
    const QFileInfo info(fileName);
    auto unreadable = [&fileName](const char* key) {
        PrintReason(fileName, Translate(QLatin1String(key)));
        return FileUnreadable;
    };
    if (!info.exists())
        return unreadable("Cli_file_not_found");
    if (!info.isFile())
        return unreadable("Cli_not_graph_file");
    if (!info.isReadable())
        return unreadable("Cli_file_not_readable");
    if (info.size() == 0)
        return unreadable("Cli_file_empty");
    return Ok;
}

// A file cut short, as a copy or a download that stopped leaves it: its last line has no end
// and a key the program always writes is missing; that key, as "[section] key", else empty.
// A hand-made file may leave out keys (they read as 0) and a hand-edited one may lack the
// last line end, so only both together count.
bool EndsWithLineEnd(const QString& fileName)
{
    QFile file(fileName);
    return !file.open(QIODevice::ReadOnly) || file.size() == 0 || !file.seek(file.size() - 1) ||
           file.read(1) == "\n";
}

bool HoldsBinaryBytes(const QByteArray& bytes)
{
    return std::any_of(bytes.cbegin(), bytes.cend(), [](char c) {
        return uchar(c) < 0x20 && c != '\t' && c != '\n' && c != '\r' && c != '\f';
    });
}

QString KeyLostAtTheEnd(const QString& fileName, const IniFile& ini, int count)
{
    if (EndsWithLineEnd(fileName))
        return QString();
    QList<std::pair<QString, QString>> keys;
    for (int i = 1; i <= count; ++i) {
        keys.append({QStringLiteral("GrafPosition"), QStringLiteral("X%1").arg(i)});
        keys.append({QStringLiteral("GrafPosition"), QStringLiteral("Y%1").arg(i)});
    }
    const int labels = std::clamp(ini.ReadInteger(QStringLiteral("Main"), QStringLiteral("CountLabel"), 0), 0,
                                  int(GraphDocument::MaxLabels));
    if (labels > 0)
        keys.append({QStringLiteral("Labels"), QStringLiteral("Y%1").arg(labels)});
    switch (ini.ReadInteger(QStringLiteral("Main"), QStringLiteral("GrafTitleType"), 0)) {
    case VertexNaming::Letters:
        keys.append({QStringLiteral("GrafTitle"), QStringLiteral("IsBig")});
        break;
    case VertexNaming::Manual:
        if (count > 0)
            keys.append({QStringLiteral("GrafTitle"), QStringLiteral("Title%1").arg(count)});
        break;
    default:
        keys.append({QStringLiteral("GrafTitle"), QStringLiteral("BeginNumber")});
    }
    for (const auto& key : keys)
        if (!ini.ValueExists(key.first, key.second))
            return QLatin1Char('[') + key.first + QStringLiteral("] ") + key.second;
    return QString();
}

} // namespace

ExitCode CliSession::Import(const QString& fileName, ExchangeFormats::Format format, ImportWeights weights)
{
    if (const ExitCode checked = CheckInputFile(fileName); checked != Ok)
        return checked;
    switch (ExchangeFormats::ImportGraph(*graf, host, fileName, format, weights)) {
    case ExchangeFormats::ImportResult::Imported:
        return Ok;
    case ExchangeFormats::ImportResult::Unreadable:
        return FileUnreadable;
    case ExchangeFormats::ImportResult::Refused:
        break;
    }
    return Refused;
}

ExitCode CliSession::Open(const QString& fileName, bool anyName)
{
    if (const ExitCode checked = CheckInputFile(fileName); checked != Ok)
        return checked;
    if (const auto format = ExchangeFormats::ImportFormatOfFile(fileName);
        format != ExchangeFormats::Format::Unknown)
        return Import(fileName, format);
    auto unreadable = [&fileName](const char* key) {
        PrintReason(fileName, Translate(QLatin1String(key)));
        return FileUnreadable;
    };

    if (!anyName && !ExchangeFormats::IsProgramGraphName(fileName)) {
        PrintReason(fileName, Translate(QStringLiteral("Exchange_unknown_format"))
                                  .arg(QLatin1Char('.') + QFileInfo(fileName).suffix()));
        return FileUnreadable;
    }

    // Larger than any graph file: refused unread, in the program's own words.
    if (QFileInfo(fileName).size() > GrafaFile::MaxGraphFileBytes) {
        GraphFileCommands::OpenGraphFile(session, fileName);
        return FileUnreadable;
    }
    // A newer file is not read at all: say so before the program's general message.
    const IniFile ini(fileName);
    const int version = GrafaFile::FileVersion(ini);
    if (version > 1) {
        PrintReason(fileName, Translate(QStringLiteral("Cli_version_unsupported")).arg(version));
        return FileUnreadable;
    }
    // What is wrong with a damaged file, in one line that names it and the limit or the loss.
    if (version < 1) {
        // Neither form of graph file holds control bytes, and the older text form begins with
        // its matrix, never with a section; its reader would only call either bad numbers.
        QFile file(fileName);
        const QByteArray start = file.open(QIODevice::ReadOnly) ? file.read(4096) : QByteArray();
        if (HoldsBinaryBytes(start))
            return unreadable("Cli_not_graph_file");
        if (start.trimmed().startsWith('[')) {
            // The sections of a graph file whose version line was lost with its end.
            if (EndsWithLineEnd(fileName))
                return unreadable("Cli_not_graph_file");
            PrintReason(
                fileName,
                Translate(QStringLiteral("Cli_file_truncated")).arg(QStringLiteral("[Main] Version")));
            return FileUnreadable;
        }
    }
    if (version == 1) {
        const int count = ini.ReadInteger(QStringLiteral("Main"), QStringLiteral("PointCount"), 0);
        if (count > GraphDocument::MaxVertices) {
            PrintReason(fileName, Translate(QStringLiteral("Cli_too_many_vertices"))
                                      .arg(count)
                                      .arg(GraphDocument::MaxVertices));
            return Refused;
        }
        if (const QString missing = KeyLostAtTheEnd(fileName, ini, count); !missing.isEmpty()) {
            PrintReason(fileName, Translate(QStringLiteral("Cli_file_truncated")).arg(missing));
            return FileUnreadable;
        }
    }
    const qsizetype before = MessageCount();
    if (GraphFileCommands::OpenGraphFile(session, fileName, anyName))
        return Ok;
    // The program's own words for a file its readers refused without a reason of their own.
    const QString unexplained = Translate(QStringLiteral("Happend_error")) + QLatin1Char('\r') + fileName;
    if (MessageCount() > before && host.Messages().mid(before) != QStringList{unexplained})
        return Refused;
    return unreadable("Cli_not_graph_file");
}

PrivateProgramFolder::PrivateProgramFolder()
{
    ProgramPaths::SetThreadProgramFolderOverride(folder.path());
}

PrivateProgramFolder::~PrivateProgramFolder()
{
    ProgramPaths::SetThreadProgramFolderOverride(QString());
}

bool WriteOutputFile(const QString& fileName, const QByteArray& bytes)
{
    QString reason;
    if (WriteWholeFile(fileName, bytes, &reason))
        return true;
    PrintReason(fileName, reason);
    return false;
}

bool SaveGrafOutput(CliSession& cli, const QString& fileName)
{
    QString error;
    if (GrafaFile::SaveGrafa(*cli.graf, fileName, &error))
        return true;
    PrintReason(fileName, error);
    return false;
}

bool IsPictureName(const QString& name)
{
    return FileFormats::WithExtension(FileKind::Picture, QFileInfo(name).suffix().toLower()) != nullptr;
}

bool SavePictureOutput(CliSession& cli, const QString& fileName)
{
    QString error;
    const bool pdf = fileName.endsWith(QLatin1String(".pdf"), Qt::CaseInsensitive);
    if (pdf || fileName.endsWith(QLatin1String(".svg"), Qt::CaseInsensitive)) {
        if (pdf ? SaveDocumentPdf(*cli.graf, cli.Canvas(), fileName, &error)
                : SaveDocumentSvg(*cli.graf, cli.Canvas(), fileName, &error))
            return true;
        PrintReason(fileName, error);
        return false;
    }
    const int width = cli.Canvas().width();
    const int height = cli.Canvas().height();
    if (!PictureSizeAllowed(width, height)) {
        PrintReason(fileName, Translate(QStringLiteral("Cli_picture_too_large"))
                                  .arg(width)
                                  .arg(height)
                                  .arg(MaxPictureSide)
                                  .arg(MaxPictureBytes / (1024 * 1024)));
        return false;
    }
    if (SaveCanvasImage(cli.host.Picture(), fileName, &error))
        return true;
    PrintReason(fileName, error);
    return false;
}
