#include "cli/CliCommands.h"

#include "algorithms/RunAlgorithm.h"
#include "base/ProgramPaths.h"
#include "base/TranslationManager.h"
#include "cli/BatchRun.h"
#include "cli/CliGenerate.h"
#include "cli/CliSession.h"
#include "cli/ConvertFormats.h"
#include "cli/FrameFiles.h"
#include "cli/JsonResult.h"
#include "commands/WalkthroughPage.h"
#include "files/MatrixText.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QThread>
#include <algorithm>
#include <cstdio>
#include <optional>

namespace CliCommands {

namespace {

// The reason and where the usage is: the whole summary would bury the reason.
int BadUsage(const QString& problem)
{
    Print(stderr, EscapeControls(problem) + QLatin1Char('\n') + Translate(QStringLiteral("Cli_see_help")) +
                      QLatin1Char('\n'));
    return BadArguments;
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

const QString kEnglishFile = QStringLiteral("grafEnglish.lang");

// A language file by its path; "en" and "ru" name the shipped English texts and the built-in
// ones when no file of that name is at hand.
bool UseLanguageFile(const QString& path)
{
    const QFileInfo info(path);
    if (!info.isFile()) {
        if (path == QLatin1String("ru")) {
            TranslateManager().UseBuiltIn();
            return true;
        }
        if (path == QLatin1String("en") &&
            QFileInfo(ProgramPaths::LanguageFolder() + u'/' + kEnglishFile).isFile()) {
            TranslateManager().LoadLanguage(kEnglishFile);
            return true;
        }
        return false;
    }
    ProgramPaths::SetLanguageFolderOverride(info.absolutePath());
    TranslateManager().LoadLanguage(info.fileName());
    return true;
}

// Without --lang the texts follow the locale's messages category, as other command-line tools
// do: the first of LC_ALL, LC_MESSAGES and LANG that is set decides, and English ("en…") gets
// the English texts; every other language keeps the built-in ones.
void FollowLocale()
{
    for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const QByteArray value = qgetenv(variable);
        if (value.isEmpty())
            continue;
        if (value.startsWith("en"))
            TranslateManager().LoadLanguage(kEnglishFile);
        return;
    }
}

// The vertices the row needs, checked against the graph: a vertex that does not exist is a
// usage error naming the valid range; the same vertex twice is the program's own refusal.
int CheckVertices(const AlgorithmInfo& info, const GraphDocument& g, int first, int second, bool firstGiven)
{
    auto outside = [&g](int v) {
        PrintReason(QString::number(v),
                    g.VertexCount == 0
                        ? Translate(QStringLiteral("Cli_no_vertices"))
                        : Translate(QStringLiteral("Cli_vertex_out_of_range")).arg(v).arg(g.VertexCount));
        return BadArguments;
    };
    switch (info.vertices) {
    case AlgorithmInfo::Vertices::StartAndFinish:
        if (!g.IsVertex(first))
            return outside(first);
        if (!g.IsVertex(second))
            return outside(second);
        if (first == second) {
            PrintReason(QLatin1String(info.name),
                        Translate(QStringLiteral("First_and_last_must_be_different")));
            return Refused;
        }
        return Ok;
    case AlgorithmInfo::Vertices::One:
        // No --from is "no vertex selected", which the program itself refuses with its message.
        if (firstGiven && !g.IsVertex(first))
            return outside(first);
        return Ok;
    case AlgorithmInfo::Vertices::None:
        if (g.VertexCount == 0) {
            PrintReason(QLatin1String(info.name), Translate(QStringLiteral("Cli_no_vertices")));
            return Refused;
        }
        return Ok;
    }
    return Ok;
}

// What `run` does with every file: the algorithm, its vertices and the outputs asked for.
struct RunRequest {
    QString name;
    const AlgorithmInfo* info = nullptr;
    int first = 0;
    int second = 0;
    bool firstGiven = false;
    bool time = false;
    std::optional<QString> report;
    std::optional<QString> json;
    QString image;
    QString stepsFile;
    QString framesFolder;
    QString framesFormat;
    QString walkthrough;
};

// A file that could not be run still has its record: what it is, how it ended and why.
QByteArray FailedRunJson(const RunRequest& request, const QString& fileName, int exitCode,
                         const QStringList& messages)
{
    QJsonObject object;
    object.insert(QStringLiteral("file"), fileName);
    object.insert(QStringLiteral("name"), request.name);
    object.insert(QStringLiteral("exit"), exitCode);
    object.insert(QStringLiteral("messages"), QJsonArray::fromStringList(messages));
    return QJsonDocument(object).toJson(QJsonDocument::Compact);
}

// Runs the algorithm on one file and writes its outputs. With jsonLine, also gives the run's
// JSON record with its "file" on one line.
int RunFile(const RunRequest& request, const QString& fileName, QByteArray* jsonLine)
{
    const AlgorithmInfo& info = *request.info;
    CliSession cli;
    // The picture is drawn only when one is asked for.
    cli.host.SetShowsPictures(!request.image.isEmpty());
    if (const ExitCode opened = cli.Open(fileName); opened != Ok) {
        if (jsonLine)
            *jsonLine = FailedRunJson(request, fileName, opened, cli.host.Messages());
        return opened;
    }
    if (const int checked = CheckVertices(info, *cli.graf, request.first, request.second, request.firstGiven);
        checked != Ok) {
        if (jsonLine)
            *jsonLine = FailedRunJson(request, fileName, checked, cli.host.Messages());
        return checked;
    }

    const qsizetype messagesBefore = cli.MessageCount();
    AlgorithmRun run;
    RunOptions runOptions;
    runOptions.recordSteps =
        !request.stepsFile.isEmpty() || !request.framesFolder.isEmpty() || !request.walkthrough.isEmpty();
    RunAlgorithm(*cli.graf, cli.host, cli.session.Panes(), request.name, request.first, request.second, &run,
                 runOptions);
    const bool messageShown = cli.MessageCount() > messagesBefore;
    int exitCode = !run.ran && messageShown ? Refused : Ok;

    QElapsedTimer writing;
    writing.start();
    const QStringList lines = cli.session.Outp().Lines();
    for (const QString& line : lines)
        Print(stdout, line + QLatin1Char('\n'));
    std::fflush(stdout);

    // The report exactly as the run saved it; nothing saved gives an empty report.
    QByteArray report;
    if (!cli.host.ShownReport().isEmpty()) {
        QFile saved(cli.host.ShownReport());
        if (saved.open(QIODevice::ReadOnly))
            report = saved.readAll();
    }
    // Every output that can be written is written; any that cannot makes the status 4.
    bool written = true;
    // A report the run could not save (its reason is printed) is not written as an empty one.
    const bool reportLost =
        cli.host.ShownReport().isEmpty() &&
        std::any_of(run.result.output.cbegin(), run.result.output.cend(),
                    [](const OutputItem& item) { return item.kind == OutputItem::Kind::ShowReport; });
    if (request.report)
        written &= !reportLost && WriteOutputFile(*request.report, report);
    if (!request.image.isEmpty())
        written &= SavePictureOutput(cli, request.image);
    if (!request.stepsFile.isEmpty()) {
        QJsonObject steps;
        steps.insert(QStringLiteral("name"), request.name);
        steps.insert(QStringLiteral("cut"), run.result.steps.Cut());
        steps.insert(QStringLiteral("frames"), StepsJson(*cli.graf, run.result.steps));
        written &= WriteOutputFile(request.stepsFile, QJsonDocument(steps).toJson(QJsonDocument::Indented));
    }
    if (!request.framesFolder.isEmpty())
        written &=
            SaveFrames(*cli.graf, cli.Canvas(), run.result.steps, request.framesFolder, request.framesFormat);
    if (!request.walkthrough.isEmpty()) {
        WalkthroughTask task;
        task.name = request.name;
        task.title = WalkthroughTitle(request.name);
        task.graphName = QFileInfo(fileName).fileName();
        if (info.vertices != AlgorithmInfo::Vertices::None)
            task.first = request.first;
        if (info.vertices == AlgorithmInfo::Vertices::StartAndFinish)
            task.second = request.second;
        task.messages = cli.host.Messages().mid(messagesBefore);
        written &= WriteOutputFile(request.walkthrough, WalkthroughPage(*cli.graf, run.result, task));
    }
    if (!written)
        exitCode = WriteFailed;
    if (request.json || jsonLine) {
        JsonResult json;
        json.name = request.name;
        json.exitCode = exitCode;
        json.outp = lines;
        json.messages = cli.host.Messages().mid(messagesBefore);
        json.report = QString::fromUtf8(report);
        const QByteArray record = json.ToJson(*cli.graf, run);
        if (request.json && !WriteOutputFile(*request.json, record))
            exitCode = WriteFailed;
        if (jsonLine) {
            QJsonObject object = QJsonDocument::fromJson(record).object();
            object.insert(QStringLiteral("file"), fileName);
            *jsonLine = QJsonDocument(object).toJson(QJsonDocument::Compact);
        }
    }
    // The algorithm alone, and apart from it everything written: panes, report, pictures.
    if (request.time) {
        const qint64 writeNs = run.writeNs + writing.nsecsElapsed();
        Print(stderr, QStringLiteral("time_ms: %1\nwrite_ms: %2\n")
                          .arg(double(run.elapsedNs) / 1e6, 0, 'f', 3)
                          .arg(double(writeNs) / 1e6, 0, 'f', 3));
    }
    return exitCode;
}

// The files of a run: each FILE as given, each folder's entries named like graph files
// (".grafa"), by name. Entries that cannot be read, broken links and folders so named are
// taken too, so that each gets its error line and counts in the exit status. A folder
// without any stays as it is, so that it is reported like any other file that is not a graph.
QStringList RunFiles(const QStringList& arguments, bool& sawFolder)
{
    QStringList files;
    for (const QString& argument : arguments) {
        const QFileInfo info(argument);
        if (!info.isDir()) {
            files.append(argument);
            continue;
        }
        sawFolder = true;
        const QDir folder(argument);
        const QStringList names = folder.entryList({QStringLiteral("*.grafa")},
                                                   QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot,
                                                   QDir::Name | QDir::IgnoreCase);
        if (names.isEmpty())
            files.append(argument);
        for (const QString& name : names)
            files.append(folder.filePath(name));
    }
    return files;
}

// Many files: each run on a thread of its own, printed in the order given; the exit status
// is the highest of the runs'.
int RunBatch(const RunRequest& request, const QStringList& files, int jobs,
             const std::optional<QString>& jsonl)
{
    // Created here, before any worker reads it: the workers only translate.
    TranslateManager();
    QByteArray lines;
    int worst = Ok;
    RunInOrder(
        files.size(), jobs,
        [&request, &files, &jsonl](qsizetype i, QByteArray& json) {
            return RunFile(request, files[i], jsonl ? &json : nullptr);
        },
        [&](qsizetype i, const BatchOutcome& outcome) {
            worst = std::max(worst, outcome.exitCode);
            if (jsonl) {
                lines += outcome.json + '\n';
            } else {
                Print(stdout, QStringLiteral("== ") + QuotedName(files[i]) + QStringLiteral(" ==\n"));
                std::fwrite(outcome.out.constData(), 1, size_t(outcome.out.size()), stdout);
                std::fflush(stdout);
            }
            // Among many files, every line on standard error says which file it is about.
            const QByteArray prefix = QuotedName(files[i]).toUtf8() + ": ";
            QByteArray err;
            for (const QByteArray& line : outcome.err.split('\n'))
                if (!line.isEmpty())
                    err += (line.startsWith(prefix) ? line : prefix + line) + '\n';
            std::fwrite(err.constData(), 1, size_t(err.size()), stderr);
            std::fflush(stderr);
        });
    if (jsonl) {
        if (*jsonl == QLatin1String("-")) {
            std::fwrite(lines.constData(), 1, size_t(lines.size()), stdout);
            std::fflush(stdout);
        } else if (!WriteOutputFile(*jsonl, lines)) {
            worst = std::max<int>(worst, WriteFailed);
        }
    }
    return worst;
}

int RunCommand(const QStringList& arguments)
{
    QString problem;
    const auto options =
        ParseOptions(arguments,
                     {QStringLiteral("--from"), QStringLiteral("--to"), QStringLiteral("--report"),
                      QStringLiteral("--image"), QStringLiteral("--json"), QStringLiteral("--steps"),
                      QStringLiteral("--frames"), QStringLiteral("--frames-format"),
                      QStringLiteral("--walkthrough"), QStringLiteral("--jobs"), QStringLiteral("--jsonl")},
                     {QStringLiteral("--time")}, problem);
    if (!options)
        return BadUsage(problem);
    if (options->positional.size() < 2)
        return BadUsage(QStringLiteral("run needs NAME and FILE"));
    RunRequest request;
    request.info = FindAlgorithmOrAlias(options->positional[0]);
    if (!request.info)
        return BadUsage(QStringLiteral("unknown algorithm ") + QuotedName(options->positional[0]));
    // Every output names the run by its dispatcher name, whichever name was given.
    request.name = QLatin1String(request.info->name);
    if (!request.info->run)
        return BadUsage(request.name + QStringLiteral(": not built yet"));
    const std::optional<int> first = options->Integer(QStringLiteral("--from"), 0);
    const std::optional<int> second = options->Integer(QStringLiteral("--to"), 0);
    if (!first || !second)
        return BadUsage(QStringLiteral("--from and --to take vertex numbers"));
    request.first = *first;
    request.second = *second;
    request.firstGiven = options->values.contains(QStringLiteral("--from"));
    request.time = options->flags.contains(QStringLiteral("--time"));
    if (options->values.contains(QStringLiteral("--report")))
        request.report = options->values[QStringLiteral("--report")];
    if (options->values.contains(QStringLiteral("--json")))
        request.json = options->values[QStringLiteral("--json")];
    request.image = options->values.value(QStringLiteral("--image"));
    if (!request.image.isEmpty() && !IsPictureName(request.image))
        return BadUsage(QStringLiteral("--image writes .png, .bmp or .svg files"));
    request.framesFormat = options->values.value(QStringLiteral("--frames-format"), QStringLiteral("png"));
    if (request.framesFormat != QLatin1String("png") && request.framesFormat != QLatin1String("svg"))
        return BadUsage(QStringLiteral("--frames-format is png or svg"));
    request.stepsFile = options->values.value(QStringLiteral("--steps"));
    request.framesFolder = options->values.value(QStringLiteral("--frames"));
    request.walkthrough = options->values.value(QStringLiteral("--walkthrough"));
    const std::optional<int> jobs = options->Integer(QStringLiteral("--jobs"), QThread::idealThreadCount());
    if (!jobs || *jobs < 1)
        return BadUsage(QStringLiteral("--jobs takes a number of runs at once, 1 or more"));
    std::optional<QString> jsonl;
    if (options->values.contains(QStringLiteral("--jsonl")))
        jsonl = options->values[QStringLiteral("--jsonl")];

    bool sawFolder = false;
    const QStringList files = RunFiles(options->positional.mid(1), sawFolder);
    const bool batch = files.size() > 1 || sawFolder || jsonl;
    if (batch &&
        (request.report || request.json || !request.image.isEmpty() || !request.stepsFile.isEmpty() ||
         !request.framesFolder.isEmpty() || !request.walkthrough.isEmpty()))
        return BadUsage(QStringLiteral("--report, --image, --json, --steps, --frames and --walkthrough "
                                       "take one FILE; for many, use --jsonl"));
    if (batch)
        return RunBatch(request, files, *jobs, jsonl);
    return RunFile(request, files.front(), nullptr);
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

// The caption key of the menu that holds a row.
const char* FamilyKey(AlgorithmMenu menu)
{
    switch (menu) {
    case AlgorithmMenu::PathSearch:
        return "FindTrace";
    case AlgorithmMenu::Euler:
        return "ElerTrace";
    case AlgorithmMenu::Hamilton:
        return "GameltonTrace";
    case AlgorithmMenu::Special:
        return "AdvanceAlgoritm";
    case AlgorithmMenu::Algorithms:
        break;
    }
    return "Algoritm";
}

// One line a row: name, vertices needed, rule, caption, menu, alias, separated by tabs.
int ListCommand(const QStringList& arguments)
{
    if (!arguments.isEmpty())
        return BadUsage(QStringLiteral("list takes no arguments"));
    for (const AlgorithmInfo& info : Algorithms()) {
        const QString caption = TranslatePlain(QLatin1String(info.captionKey));
        // The menu a row sits in tells apart rows of one caption (the Euler and the Hamiltonian
        // "find cycle"); it and then the alias go last so that the columns before them keep
        // their places.
        Print(stdout, QLatin1String(info.name) + QLatin1Char('\t') + VerticesText(info.vertices) +
                          QLatin1Char('\t') + RuleText(info) + QLatin1Char('\t') + caption +
                          QLatin1Char('\t') + TranslatePlain(QLatin1String(FamilyKey(info.menu))) +
                          QLatin1Char('\t') + QLatin1String(info.alias) +
                          (info.run ? QString() : QStringLiteral("\t(not built yet)")) + QLatin1Char('\n'));
    }
    return Ok;
}

int MatrixCommand(const QStringList& arguments)
{
    if (arguments.size() != 1 || arguments[0].startsWith(QLatin1String("--")))
        return BadUsage(QStringLiteral("matrix needs FILE"));
    CliSession cli;
    cli.host.SetShowsPictures(false);
    if (const ExitCode opened = cli.Open(arguments[0]); opened != Ok)
        return opened;
    for (const QString& line : cli.graf->MatrixToMemo())
        Print(stdout, line + QLatin1Char('\n'));
    return Ok;
}

int ConvertCommand(const QStringList& arguments)
{
    using ExchangeFormats::Format;
    QString problem;
    const QString fromOption = QStringLiteral("--from-format"), toOption = QStringLiteral("--to-format");
    const QString noWeights = QStringLiteral("--no-weights");
    const auto options = ParseOptions(arguments, {fromOption, toOption}, {noWeights}, problem);
    if (!options)
        return BadUsage(problem);
    if (options->positional.size() != 2)
        return BadUsage(QStringLiteral("convert needs FILE and OUT"));
    const QString in = options->positional[0], out = options->positional[1];
    // The format of each side: named by the option, else by the file's extension. Files
    // in none of the exchange formats are the program's own graph files.
    Format from = ExchangeFormats::ImportFormatOfFile(in);
    if (options->values.contains(fromOption)) {
        const QString name = options->values[fromOption].toLower();
        from = ExchangeFormats::FormatNamed(name);
        if (from == Format::Unknown && !ConvertFormats::NamesOwnGraph(name))
            return BadUsage(QStringLiteral("unknown format ") + name);
    }
    Format to = ExchangeFormats::FormatOfFile(out);
    bool grafa = ConvertFormats::IsOwnGraphName(out);
    bool picture = to == Format::Unknown && IsPictureName(out);
    if (options->values.contains(toOption)) {
        const QString name = options->values[toOption].toLower();
        to = ExchangeFormats::FormatNamed(name);
        grafa = ConvertFormats::NamesOwnGraph(name);
        picture = false;
        if (to == Format::Unknown && !grafa)
            return BadUsage(QStringLiteral("unknown format ") + name);
    }
    if (to == Format::Unknown && !grafa && !picture)
        return BadUsage(ConvertFormats::WrittenExtensions());
    CliSession cli;
    cli.host.SetShowsPictures(picture);
    const bool namedGrafa = from == Format::Unknown && options->values.contains(fromOption);
    const ImportWeights weights =
        options->flags.contains(noWeights) ? ImportWeights::Drop : ImportWeights::Keep;
    const ExitCode opened =
        from == Format::Unknown ? cli.Open(in, namedGrafa) : cli.Import(in, from, weights);
    if (opened != Ok)
        return opened;
    if (to != Format::Unknown) {
        FileError error;
        if (ExchangeFormats::ExportGraph(*cli.graf, out, to, &error))
            return Ok;
        PrintReason(out, error.Text());
        return WriteFailed;
    }
    const bool saved = picture ? SavePictureOutput(cli, out) : SaveGrafOutput(cli, out);
    return saved ? Ok : WriteFailed;
}

// Why a matrix text was refused without a message: empty, or more lines than entries.
QString SilentMatrixRefusal(const QStringList& lines)
{
    int rows = 0;
    for (const QString& line : lines)
        rows += line.isEmpty() ? 0 : 1;
    if (rows == 0)
        return Translate(QStringLiteral("Cli_matrix_empty"));
    const qsizetype width = lines.first().count(QLatin1Char(',')) + 1;
    return Translate(QStringLiteral("Cli_matrix_not_square")).arg(rows).arg(width);
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
    QString source = QStringLiteral("from-matrix");
    if (QFileInfo(text).isFile()) {
        QFile file(text);
        if (!file.open(QIODevice::ReadOnly)) {
            PrintReason(text, Translate(QStringLiteral("Cli_file_not_readable")));
            return FileUnreadable;
        }
        source = text;
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
    cli.host.SetShowsPictures(false);
    const qsizetype before = cli.MessageCount();
    if (!MatrixText::ApplyTextMatrix(*cli.graf, cli.session.Host(), lines)) {
        if (cli.MessageCount() == before)
            PrintReason(source, SilentMatrixRefusal(lines));
        return Refused;
    }
    return SaveGrafOutput(cli, options->positional[1]) ? Ok : WriteFailed;
}

} // namespace

QString Usage()
{
    return QStringLiteral(
               "usage:\n"
               "  nodeloom-cli run NAME FILE [--from N] [--to N]\n"
               "                   [--report OUT.html] [--image OUT.png|OUT.bmp|OUT.svg]\n"
               "                   [--json OUT.json] [--steps OUT.json] [--frames DIR\n"
               "                   [--frames-format png|svg]] [--walkthrough OUT.html] [--time]\n"
               "                   --frames writes at most 10000 frames of 2048 MB in all\n"
               "  nodeloom-cli run NAME FILE|FOLDER... [--from N] [--to N]\n"
               "                   [--jobs N] [--jsonl OUT.jsonl|-] [--time]\n"
               "                   many files at once, each folder's .grafa files by name; prints\n"
               "                   each file's result under \"== FILE ==\" in the order given, or\n"
               "                   with --jsonl writes one JSON line per file; exits with the\n"
               "                   highest status of the runs\n"
               "  nodeloom-cli list\n"
               "                   one row per algorithm: name, vertices, rule, caption, menu,\n"
               "                   alias; run takes the name or the alias (dijkstra, floyd, ...)\n"
               "  nodeloom-cli matrix FILE\n"
               "  nodeloom-cli convert FILE OUT [--from-format F] [--to-format F] [--no-weights]\n") +
           ConvertFormats::UsageLines() +
           QStringLiteral(
               "  nodeloom-cli from-matrix TEXT OUT.grafa [--directed] [--weighted]\n"
               "  nodeloom-cli generate KIND [PARAMS] OUT.grafa [--directed] [--weights MIN..MAX]\n"
               "                   [--seed S] [--layout NAME] [--naming numbers|letters|manual[:START]]\n"
               "                   (nodeloom-cli generate alone lists the kinds and layouts)\n"
               "  nodeloom-cli layout NAME IN.grafa OUT.grafa [--root N] [--seed S]\n"
               "  every command also takes --lang LANGFILE|en|ru: its texts and messages in that\n"
               "                   language; without it they follow LC_ALL, LC_MESSAGES or LANG\n"
               "                   (en... gives English, any other language the built-in Russian)\n"
               "  nodeloom-cli --help | -h\n"
               "  nodeloom-cli --version | -v\n"
               "exit status:\n"
               "  0  done as asked\n"
               "  1  an input file could not be read (missing, unreadable, not a graph file)\n"
               "  2  usage error (unknown command or option, a vertex outside the graph,\n"
               "     an algorithm not built)\n"
               "  3  the input was read but refused by a rule of the program (the reason is printed)\n"
               "  4  an output could not be written\n");
}

int Run(const QStringList& arguments)
{
    if (arguments.isEmpty())
        return BadUsage(QStringLiteral("no command"));
    // Help and version as every command-line tool gives them: on stdout, status 0, also
    // after a command ("nodeloom-cli run --help").
    const QStringList helpWords{QStringLiteral("--help"), QStringLiteral("-h"), QStringLiteral("-?"),
                                QStringLiteral("help")};
    if (helpWords.contains(arguments[0]) ||
        (arguments.size() == 2 && helpWords.mid(0, 3).contains(arguments[1]))) {
        Print(stdout, Usage());
        return Ok;
    }
    if (arguments[0] == QLatin1String("--version") || arguments[0] == QLatin1String("-v")) {
        Print(stdout,
              QStringLiteral("nodeloom-cli ") + QCoreApplication::applicationVersion() + QLatin1Char('\n'));
        return Ok;
    }
    const QString command = arguments[0];
    PrivateProgramFolder programFolder;
    if (!programFolder.IsValid()) {
        // Not a usage error: the report and settings of the run have nowhere to go.
        PrintReason(QDir::tempPath(), programFolder.ErrorString());
        return WriteFailed;
    }
    QStringList rest = arguments.mid(1);
    // Every command speaks the language of --lang, else the locale's: its results, messages
    // and refusals.
    if (!rest.contains(QStringLiteral("--lang")))
        FollowLocale();
    if (const qsizetype at = rest.indexOf(QStringLiteral("--lang")); at >= 0) {
        if (at + 1 >= rest.size())
            return BadUsage(QStringLiteral("--lang needs LANGFILE"));
        const QString language = rest.takeAt(at + 1);
        rest.removeAt(at);
        if (!UseLanguageFile(language))
            return BadUsage(QStringLiteral("no language file ") + QuotedName(language));
    }
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
    if (command == QLatin1String("generate"))
        return CliGenerate::GenerateCommand(rest);
    if (command == QLatin1String("layout"))
        return CliGenerate::LayoutCommand(rest);
    return BadUsage(QStringLiteral("unknown command ") + QuotedName(command));
}

} // namespace CliCommands
