#include "cli/CliGenerate.h"

#include "base/TranslationManager.h"
#include "cli/CliSession.h"
#include "commands/GraphGenerators.h"
#include "commands/GraphLayouts.h"

#include <QCommandLineParser>
#include <optional>

namespace CliGenerate {

namespace {

using GraphGenerators::Param;

int BadUsage(const QString& problem)
{
    Print(stderr, problem + QLatin1Char('\n') + Usage());
    return BadArguments;
}

QString LayoutNames()
{
    QStringList names;
    for (const auto& info : GraphLayouts::Kinds())
        names << QLatin1String(info.name);
    return names.join(QStringLiteral(", "));
}

QString FamilyUsage(const GraphGenerators::FamilyInfo& info)
{
    QString line = QLatin1String(info.name);
    for (const Param param : {info.first, info.second})
        if (param != Param::None)
            line += QLatin1Char(' ') + GraphGenerators::ParamLetter(param).toUpper();
    if (info.probability)
        line += QStringLiteral(" P");
    return line;
}

// The written output: a graph file, a picture or an exchange format, by the name.
int WriteOutput(CliSession& cli, const QString& out)
{
    if (IsPictureName(out))
        return SavePictureOutput(cli, out) ? Ok : WriteFailed;
    const ExchangeFormats::Format format = ExchangeFormats::FormatOfFile(out);
    if (format != ExchangeFormats::Format::Unknown) {
        FileError error;
        if (ExchangeFormats::ExportGraph(*cli.graf, out, format, &error))
            return Ok;
        PrintReason(out, error.Text());
        return WriteFailed;
    }
    return SaveGrafOutput(cli, out) ? Ok : WriteFailed;
}

std::optional<unsigned> Seed(const QCommandLineParser& parser)
{
    if (!parser.isSet(QStringLiteral("seed")))
        return 1u;
    bool ok = false;
    const unsigned seed = parser.value(QStringLiteral("seed")).toUInt(&ok);
    return ok ? std::optional<unsigned>(seed) : std::nullopt;
}

} // namespace

QString Usage()
{
    QString families;
    int column = 0;
    for (const auto& info : GraphGenerators::Families()) {
        const QString item = FamilyUsage(info);
        if (column > 0 && column + item.size() > 60) {
            families += QStringLiteral(",\n                     ");
            column = 0;
        } else if (column > 0) {
            families += QStringLiteral(", ");
        }
        families += item;
        column += int(item.size()) + 2;
    }
    return QStringLiteral(
               "  nodeloom-cli generate KIND [PARAMS] OUT.grafa [--directed] [--weights MIN..MAX]\n"
               "                   [--seed S] [--layout NAME] [--naming numbers|letters|manual[:START]]\n"
               "                   KIND PARAMS: %1\n"
               "  nodeloom-cli layout NAME IN.grafa OUT.grafa [--root N] [--seed S]\n"
               "                   NAME: %2\n")
        .arg(families, LayoutNames());
}

int GenerateCommand(const QStringList& arguments)
{
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.addOption(QCommandLineOption(QStringLiteral("directed")));
    for (const char* name : {"weights", "seed", "layout", "naming"})
        parser.addOption(QCommandLineOption(QLatin1String(name), QString(), QStringLiteral("value")));
    if (!parser.parse(QStringList{QStringLiteral("nodeloom-cli")} + arguments))
        return BadUsage(parser.errorText());
    QStringList positional = parser.positionalArguments();
    if (positional.isEmpty())
        return BadUsage(QStringLiteral("generate needs KIND and OUT"));
    const GraphGenerators::FamilyInfo* info = GraphGenerators::FamilyNamed(positional.takeFirst());
    if (!info)
        return BadUsage(QStringLiteral("unknown kind ") + arguments.value(0));
    const int wanted = (info->first != Param::None) + (info->second != Param::None) + info->probability + 1;
    if (positional.size() != wanted)
        return BadUsage(QStringLiteral("generate ") + FamilyUsage(*info) + QStringLiteral(" OUT"));

    GraphGenerators::Params params;
    params.family = info->family;
    params.directed = parser.isSet(QStringLiteral("directed"));
    bool ok = true;
    if (info->first != Param::None)
        params.first = positional.takeFirst().toInt(&ok);
    if (ok && info->second != Param::None)
        params.second = positional.takeFirst().toInt(&ok);
    if (ok && info->probability)
        params.probability = positional.takeFirst().toDouble(&ok);
    if (!ok)
        return BadUsage(QStringLiteral("the parameters of ") + FamilyUsage(*info) +
                        QStringLiteral(" are numbers"));
    const QString out = positional.takeFirst();

    if (parser.isSet(QStringLiteral("weights"))) {
        const QStringList range = parser.value(QStringLiteral("weights")).split(QStringLiteral(".."));
        bool minOk = false, maxOk = false;
        if (range.size() == 2) {
            params.minWeight = range[0].toInt(&minOk);
            params.maxWeight = range[1].toInt(&maxOk);
        } else if (range.size() == 1) {
            params.minWeight = params.maxWeight = range[0].toInt(&minOk);
            maxOk = minOk;
        }
        if (!minOk || !maxOk)
            return BadUsage(QStringLiteral("--weights takes MIN..MAX"));
        params.weights = params.minWeight == params.maxWeight ? GraphGenerators::Weights::Constant
                                                              : GraphGenerators::Weights::Random;
        params.constantWeight = params.minWeight;
    }
    const auto seed = Seed(parser);
    if (!seed)
        return BadUsage(QStringLiteral("--seed takes a whole number from 0 to 4294967295"));
    params.seed = *seed;
    if (parser.isSet(QStringLiteral("layout"))) {
        params.layout = GraphLayouts::KindNamed(parser.value(QStringLiteral("layout")));
        if (!params.layout)
            return BadUsage(QStringLiteral("--layout is one of ") + LayoutNames());
    }
    if (parser.isSet(QStringLiteral("naming"))) {
        const QString naming = parser.value(QStringLiteral("naming"));
        const QString kind = naming.section(QLatin1Char(':'), 0, 0);
        const QString start = naming.section(QLatin1Char(':'), 1);
        if (kind == QLatin1String("numbers")) {
            params.namingKind = VertexNaming::Numbers;
            params.namingStart = start.isEmpty() ? QStringLiteral("1") : start;
        } else if (kind == QLatin1String("letters")) {
            params.namingKind = VertexNaming::Letters;
            params.namingStart = start.isEmpty() ? QStringLiteral("A") : start;
        } else if (kind == QLatin1String("manual")) {
            params.namingKind = VertexNaming::Manual;
        } else {
            return BadUsage(QStringLiteral("--naming is numbers, letters or manual, with :START"));
        }
    }

    CliSession cli;
    cli.host.SetShowsPictures(IsPictureName(out));
    if (!GraphGenerators::GenerateCommand(cli.session, params))
        return Refused;
    return WriteOutput(cli, out);
}

int LayoutCommand(const QStringList& arguments)
{
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    for (const char* name : {"root", "seed"})
        parser.addOption(QCommandLineOption(QLatin1String(name), QString(), QStringLiteral("value")));
    if (!parser.parse(QStringList{QStringLiteral("nodeloom-cli")} + arguments))
        return BadUsage(parser.errorText());
    const QStringList positional = parser.positionalArguments();
    if (positional.size() != 3)
        return BadUsage(QStringLiteral("layout needs NAME, IN.grafa and OUT.grafa"));
    const auto kind = GraphLayouts::KindNamed(positional[0]);
    if (!kind)
        return BadUsage(QStringLiteral("layout NAME is one of ") + LayoutNames());
    GraphLayouts::Options options;
    const auto seed = Seed(parser);
    if (!seed)
        return BadUsage(QStringLiteral("--seed takes a whole number from 0 to 4294967295"));
    options.seed = *seed;
    bool rootOk = true;
    if (parser.isSet(QStringLiteral("root")))
        options.root = parser.value(QStringLiteral("root")).toInt(&rootOk);

    CliSession cli;
    cli.host.SetShowsPictures(IsPictureName(positional[2]));
    if (const ExitCode opened = cli.Open(positional[1]); opened != Ok)
        return opened;
    if (!rootOk || (parser.isSet(QStringLiteral("root")) && !cli.graf->IsVertex(options.root))) {
        PrintReason(parser.value(QStringLiteral("root")),
                    cli.graf->VertexCount == 0 ? Translate(QStringLiteral("Cli_no_vertices"))
                                               : Translate(QStringLiteral("Cli_vertex_out_of_range"))
                                                     .arg(parser.value(QStringLiteral("root")))
                                                     .arg(cli.graf->VertexCount));
        return BadArguments;
    }
    const qsizetype before = cli.MessageCount();
    if (!GraphLayouts::LayoutCommand(cli.session, *kind, options) && cli.MessageCount() > before)
        return Refused;
    return WriteOutput(cli, positional[2]);
}

} // namespace CliGenerate
