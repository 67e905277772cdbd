#include "cli/CliCommands.h"

#include "algorithms/RunAlgorithm.h"
#include "base/ProgramPaths.h"
#include "base/TranslateManager.h"
#include "cli/CliHost.h"
#include "cli/JsonResult.h"
#include "commands/Configuration.h"
#include "commands/GraphFileCommands.h"
#include "commands/GraphSession.h"
#include "drawing/Canvas.h"
#include "files/GrafaFile.h"
#include "files/MatrixText.h"

#include <QCommandLineParser>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QTemporaryDir>
#include <cstdio>
#include <optional>

namespace CliCommands {

namespace {

void Print(FILE* stream, const QString& text)
{
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stream);
}

int BadUsage(const QString& problem)
{
    Print(stderr, problem + QLatin1Char('\n') + Usage());
    return BadArguments;
}

bool WriteFile(const QString& fileName, const QByteArray& bytes)
{
    QSaveFile file(fileName);
    if (file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit())
        return true;
    Print(stderr, fileName + QStringLiteral(": ") + file.errorString() + QLatin1Char('\n'));
    return false;
}

// Options after the positional arguments: "--name value" pairs and bare flags.
struct Options {
    QStringList positional;
    QHash<QString, QString> values;
    QSet<QString> flags;

    std::optional<int> Integer(const QString& name, int def) const
    {
        if (!values.contains(name))
            return def;
        bool ok = false;
        const int value = values[name].toInt(&ok);
        return ok ? std::optional<int>(value) : std::nullopt;
    }
};

std::optional<Options> ParseOptions(const QStringList& arguments, const QStringList& valueOptions,
                                    const QStringList& flagOptions, QString& problem)
{
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    for (const QString& name : valueOptions)
        parser.addOption(QCommandLineOption(name.mid(2), QString(), QStringLiteral("value")));
    for (const QString& name : flagOptions)
        parser.addOption(QCommandLineOption(name.mid(2)));
    if (!parser.parse(QStringList{QStringLiteral("nodeloom-cli")} + arguments)) {
        problem = parser.errorText();
        return std::nullopt;
    }
    Options options;
    options.positional = parser.positionalArguments();
    for (const QString& name : valueOptions)
        if (parser.isSet(name.mid(2)))
            options.values.insert(name, parser.value(name.mid(2)));
    for (const QString& name : flagOptions)
        if (parser.isSet(name.mid(2)))
            options.flags.insert(name);
    return options;
}

bool IsPictureName(const QString& name)
{
    return name.endsWith(QLatin1String(".png"), Qt::CaseInsensitive) ||
           name.endsWith(QLatin1String(".bmp"), Qt::CaseInsensitive) ||
           name.endsWith(QLatin1String(".svg"), Qt::CaseInsensitive);
}

// A session with a fresh document as the program's new-graph command leaves it: undirected,
// unweighted, vertices numbered from 1.
struct CliSession {
    CliHost host;
    GraphSession session{host};
    TAllGraf* graf = nullptr;

    CliSession(bool directed = false, bool weighted = false)
    {
        session.Naming().SetKind(CTitleGraf::Numbers);
        session.Naming().SetNumbers(1);
        graf = &session.CreateDocument();
        graf->NewGraf(directed, weighted);
        // The program's default look; the private program folder holds no settings file,
        // so a user's settings never change what the tool prints or draws.
        CConfiguration(TranslateManager()).LoadSettings(*graf, false);
        host.SetDocument(graf);
    }

    bool Open(const QString& fileName) { return GraphFileCommands::OpenGraphFile(session, fileName); }
};

bool SavePicture(CliSession& cli, const QString& out);

// The report file and the settings stay out of the program's folder: runs in parallel must
// not share them, and the folder need not be writable.
class PrivateProgramFolder {
  public:
    PrivateProgramFolder() { ProgramPaths::SetProgramFolderOverride(folder.path()); }
    ~PrivateProgramFolder() { ProgramPaths::SetProgramFolderOverride(QString()); }
    bool IsValid() const { return folder.isValid(); }

  private:
    QTemporaryDir folder;
};

bool UseLanguageFile(const QString& path)
{
    const QFileInfo info(path);
    if (!info.isFile())
        return false;
    ProgramPaths::SetLanguageFolderOverride(info.absolutePath());
    TranslateManager().LoadLanguage(info.fileName());
    return true;
}

int RunCommand(const QStringList& arguments)
{
    QString problem;
    const auto options =
        ParseOptions(arguments,
                     {QStringLiteral("--from"), QStringLiteral("--to"), QStringLiteral("--lang"),
                      QStringLiteral("--report"), QStringLiteral("--image"), QStringLiteral("--json")},
                     {QStringLiteral("--time"), QStringLiteral("--steps")}, problem);
    if (!options)
        return BadUsage(problem);
    if (options->positional.size() != 2)
        return BadUsage(QStringLiteral("run needs NAME and FILE"));
    const QString name = options->positional[0];
    const QString fileName = options->positional[1];
    const AlgorithmInfo* info = FindAlgorithm(name);
    if (!info)
        return BadUsage(QStringLiteral("unknown algorithm ") + name);
    if (!info->run)
        return BadUsage(name + QStringLiteral(": not built yet"));
    const std::optional<int> first = options->Integer(QStringLiteral("--from"), 0);
    const std::optional<int> second = options->Integer(QStringLiteral("--to"), 0);
    if (!first || !second)
        return BadUsage(QStringLiteral("--from and --to take vertex numbers"));
    if (options->values.contains(QStringLiteral("--image")) &&
        !IsPictureName(options->values[QStringLiteral("--image")]))
        return BadUsage(QStringLiteral("--image writes .png, .bmp or .svg files"));
    if (options->values.contains(QStringLiteral("--lang")) &&
        !UseLanguageFile(options->values[QStringLiteral("--lang")]))
        return BadUsage(QStringLiteral("no language file ") + options->values[QStringLiteral("--lang")]);

    CliSession cli;
    if (!cli.Open(fileName))
        return FileUnreadable;

    const qsizetype messagesBefore = cli.host.Messages().size();
    AlgorithmRun run;
    RunOptions runOptions;
    runOptions.recordSteps = options->flags.contains(QStringLiteral("--steps"));
    QElapsedTimer writing;
    RunAlgorithm(*cli.graf, name, *first, *second, &run, runOptions);
    const bool messageShown = cli.host.Messages().size() > messagesBefore;
    const int exitCode = !run.ran && messageShown ? Refused : Ok;

    const QStringList lines = cli.session.Outp().Lines();
    for (const QString& line : lines)
        Print(stdout, line + QLatin1Char('\n'));
    std::fflush(stdout);
    writing.start();

    // The report exactly as the run saved it; nothing saved gives an empty report.
    QByteArray report;
    if (!cli.host.ShownReport().isEmpty()) {
        QFile saved(cli.host.ShownReport());
        if (saved.open(QIODevice::ReadOnly))
            report = saved.readAll();
    }
    if (options->values.contains(QStringLiteral("--report")) &&
        !WriteFile(options->values[QStringLiteral("--report")], report))
        return FileUnreadable;
    if (options->values.contains(QStringLiteral("--image")) &&
        !SavePicture(cli, options->values[QStringLiteral("--image")]))
        return FileUnreadable;
    if (options->values.contains(QStringLiteral("--json"))) {
        JsonResult json;
        json.name = name;
        json.exitCode = exitCode;
        json.outp = lines;
        json.messages = cli.host.Messages().mid(messagesBefore);
        json.report = QString::fromUtf8(report);
        if (!WriteFile(options->values[QStringLiteral("--json")], json.ToJson(*cli.graf, run)))
            return FileUnreadable;
    }
    // The algorithm alone, and apart from it everything written: panes, report, pictures.
    if (options->flags.contains(QStringLiteral("--time"))) {
        const qint64 writeNs = run.writeNs + writing.nsecsElapsed();
        Print(stderr, QStringLiteral("time_ms: %1\nwrite_ms: %2\n")
                          .arg(double(run.elapsedNs) / 1e6, 0, 'f', 3)
                          .arg(double(writeNs) / 1e6, 0, 'f', 3));
    }
    return exitCode;
}

QString VerticesText(AlgorithmInfo::Vertices vertices)
{
    switch (vertices) {
    case AlgorithmInfo::Vertices::None:
        return QStringLiteral("none");
    case AlgorithmInfo::Vertices::StartAndFinish:
        return QStringLiteral("from,to");
    case AlgorithmInfo::Vertices::One:
        return QStringLiteral("from");
    }
    return QString();
}

QString RuleText(const AlgorithmInfo& info)
{
    if (!info.applicable)
        return info.warnWhenWeighted ? QStringLiteral("any (weights ignored)") : QStringLiteral("any");
    // The rule is named by the message that refuses it, in the program's own words.
    return Translate(QLatin1String(info.refusalKey));
}

// One line a row: name, vertices needed, rule, caption, separated by tabs.
int ListCommand(const QStringList& arguments)
{
    if (!arguments.isEmpty())
        return BadUsage(QStringLiteral("list takes no arguments"));
    for (const AlgorithmInfo& info : Algorithms()) {
        QString caption = Translate(QLatin1String(info.captionKey));
        caption.remove(QLatin1Char('&'));
        Print(stdout, QLatin1String(info.name) + QLatin1Char('\t') + VerticesText(info.vertices) +
                          QLatin1Char('\t') + RuleText(info) + QLatin1Char('\t') + caption +
                          (info.run ? QString() : QStringLiteral("\t(not built yet)")) + QLatin1Char('\n'));
    }
    return Ok;
}

int MatrixCommand(const QStringList& arguments)
{
    if (arguments.size() != 1 || arguments[0].startsWith(QLatin1String("--")))
        return BadUsage(QStringLiteral("matrix needs FILE"));
    CliSession cli;
    if (!cli.Open(arguments[0]))
        return FileUnreadable;
    for (const QString& line : cli.graf->MatrixToMemo())
        Print(stdout, line + QLatin1Char('\n'));
    return Ok;
}

bool SaveGraf(CliSession& cli, const QString& out)
{
    QString error;
    if (GrafaFile::SaveGrafa(*cli.graf, out, &error))
        return true;
    Print(stderr, out + QStringLiteral(": ") + error + QLatin1Char('\n'));
    return false;
}

// SVG is drawn from the document itself; PNG and BMP take the picture as shown.
bool SavePicture(CliSession& cli, const QString& out)
{
    QString error;
    const bool saved = out.endsWith(QLatin1String(".svg"), Qt::CaseInsensitive)
                           ? SaveDocumentSvg(*cli.graf, out, &error)
                           : SaveCanvasImage(cli.host.Picture(), out, &error);
    if (!saved)
        Print(stderr, out + QStringLiteral(": ") + error + QLatin1Char('\n'));
    return saved;
}

int ConvertCommand(const QStringList& arguments)
{
    if (arguments.size() != 2 || arguments[0].startsWith(QLatin1String("--")))
        return BadUsage(QStringLiteral("convert needs FILE and OUT"));
    const QString out = arguments[1];
    const bool picture = IsPictureName(out);
    if (!out.endsWith(QLatin1String(".grafa")) && !picture)
        return BadUsage(QStringLiteral("convert writes .grafa, .png, .bmp or .svg files"));
    CliSession cli;
    if (!cli.Open(arguments[0]))
        return FileUnreadable;
    if (picture)
        return SavePicture(cli, out) ? Ok : FileUnreadable;
    return SaveGraf(cli, out) ? Ok : FileUnreadable;
}

int FromMatrixCommand(const QStringList& arguments)
{
    QString problem;
    const auto options =
        ParseOptions(arguments, {}, {QStringLiteral("--directed"), QStringLiteral("--weighted")}, problem);
    if (!options)
        return BadUsage(problem);
    if (options->positional.size() != 2)
        return BadUsage(QStringLiteral("from-matrix needs TEXT and OUT.grafa"));
    // TEXT is a file holding the matrix, or the matrix itself with its lines on separate lines.
    QString text = options->positional[0];
    if (QFileInfo(text).isFile()) {
        QFile file(text);
        if (!file.open(QIODevice::ReadOnly)) {
            Print(stderr, text + QStringLiteral(": ") + file.errorString() + QLatin1Char('\n'));
            return FileUnreadable;
        }
        text = QString::fromUtf8(file.readAll());
    }
    QStringList lines = text.split(QLatin1Char('\n'));
    for (QString& line : lines)
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();

    CliSession cli(options->flags.contains(QStringLiteral("--directed")),
                   options->flags.contains(QStringLiteral("--weighted")));
    if (!MatrixText::ApplyTextMatrix(*cli.graf, lines))
        return FileUnreadable;
    return SaveGraf(cli, options->positional[1]) ? Ok : FileUnreadable;
}

} // namespace

QString Usage()
{
    return QStringLiteral("usage:\n"
                          "  nodeloom-cli run NAME FILE [--from N] [--to N] [--lang LANGFILE]\n"
                          "                   [--report OUT.html] [--image OUT.png|OUT.bmp|OUT.svg]\n"
                          "                   [--json OUT.json] [--steps] [--time]\n"
                          "  nodeloom-cli list\n"
                          "  nodeloom-cli matrix FILE\n"
                          "  nodeloom-cli convert FILE OUT.grafa|OUT.png|OUT.bmp|OUT.svg\n"
                          "  nodeloom-cli from-matrix TEXT OUT.grafa [--directed] [--weighted]\n");
}

int Run(const QStringList& arguments)
{
    if (arguments.isEmpty())
        return BadUsage(QStringLiteral("no command"));
    const QString command = arguments[0];
    PrivateProgramFolder programFolder;
    if (!programFolder.IsValid())
        return BadUsage(QStringLiteral("no temporary folder for the report"));
    const QStringList rest = arguments.mid(1);
    if (command == QLatin1String("run"))
        return RunCommand(rest);
    if (command == QLatin1String("list"))
        return ListCommand(rest);
    if (command == QLatin1String("matrix"))
        return MatrixCommand(rest);
    if (command == QLatin1String("convert"))
        return ConvertCommand(rest);
    if (command == QLatin1String("from-matrix"))
        return FromMatrixCommand(rest);
    return BadUsage(QStringLiteral("unknown command ") + command);
}

} // namespace CliCommands
