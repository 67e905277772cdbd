#include "cli/CliSession.h"

#include "base/IniFile.h"
#include "base/ProgramPaths.h"
#include "base/TranslateManager.h"
#include "base/WholeFile.h"
#include "commands/Configuration.h"
#include "commands/GraphFileCommands.h"
#include "drawing/Canvas.h"
#include "drawing/DocumentDrawing.h"
#include "files/GrafaFile.h"

#include <QFileInfo>

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

void PrintReason(const QString& name, const QString& reason)
{
    Print(stderr, name + QStringLiteral(": ") + reason + QLatin1Char('\n'));
}

CliSession::CliSession(bool directed, bool weighted)
{
    session.Naming().SetKind(CTitleGraf::Numbers);
    session.Naming().SetNumbers(1);
    graf = &session.CreateDocument();
    graf->NewGraf(directed, weighted);
    // Nothing here places or hits labels with the mouse: measuring a long text is wasted work.
    graf->MeasuresLabels = false;
    // The program's default look; the private program folder holds no settings file, so a
    // user's settings never change what the tool prints or draws.
    CConfiguration(TranslateManager()).LoadSettings(*graf, false);
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

} // namespace

ExitCode CliSession::Import(const QString& fileName, ExchangeFormats::Format format, ImportWeights weights)
{
    if (const ExitCode checked = CheckInputFile(fileName); checked != Ok)
        return checked;
    switch (ExchangeFormats::ImportGraph(*graf, fileName, format, weights)) {
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

    // A newer file is not read at all: say so before the program's general message.
    const int version = GrafaFile::FileVersion(CIniFile(fileName));
    if (version > 1) {
        PrintReason(fileName, Translate(QStringLiteral("Cli_version_unsupported")).arg(version));
        return FileUnreadable;
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
    return name.endsWith(QLatin1String(".png"), Qt::CaseInsensitive) ||
           name.endsWith(QLatin1String(".bmp"), Qt::CaseInsensitive) ||
           name.endsWith(QLatin1String(".svg"), Qt::CaseInsensitive) ||
           name.endsWith(QLatin1String(".pdf"), Qt::CaseInsensitive);
}

bool SavePictureOutput(CliSession& cli, const QString& fileName)
{
    QString error;
    const bool pdf = fileName.endsWith(QLatin1String(".pdf"), Qt::CaseInsensitive);
    if (pdf || fileName.endsWith(QLatin1String(".svg"), Qt::CaseInsensitive)) {
        if (pdf ? SaveDocumentPdf(*cli.graf, fileName, &error) : SaveDocumentSvg(*cli.graf, fileName, &error))
            return true;
        PrintReason(fileName, error);
        return false;
    }
    const int width = cli.graf->CanvasWidth();
    const int height = cli.graf->CanvasHeight();
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
