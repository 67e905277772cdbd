#include "files/ExchangePrescan.h"
#include "ScriptedHost.h"
#include "base/TranslationManager.h"
#include "commands/GraphFileCommands.h"
#include "commands/GraphSession.h"
#include "document/GraphDocument.h"
#include "files/GrafaFile.h"

#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using ExchangeFormats::Format;
using ExchangePrescan::Prescan;
using Kind = ExchangePrescan::Verdict::Kind;

namespace {

const std::vector<std::pair<Format, QString>> kFormats{{Format::GraphML, "graphml"},   {Format::Gml, "gml"},
                                                       {Format::Dot, "dot"},           {Format::Pajek, "net"},
                                                       {Format::EdgeList, "edgelist"}, {Format::Csv, "csv"}};

// A cycle through n vertices written by hand in each format, with the noise each format
// allows and that names no vertex: keywords, attribute lists and assignments, graph and
// subgraph names, ports, comments, keys.
QByteArray Cycle(Format format, int n)
{
    QByteArray out;
    const auto v = [](int i) { return QByteArray::number(i); };
    switch (format) {
    case Format::GraphML:
        out = "<?xml version=\"1.0\"?>\n<graphml><!-- <node id=\"x\"/> -->\n"
              "<key id=\"d\" for=\"node\" attr.name=\"description\" attr.type=\"string\"/>\n<graph "
              "edgedefault=\"undirected\">\n";
        for (int i = 1; i <= n; ++i)
            out += "<node id=\"n" + v(i) + "\"/>\n";
        for (int i = 1; i <= n; ++i)
            out += "<edge source=\"n" + v(i) + "\" target=\"n" + v(i % n + 1) + "\"/>\n";
        return out + "</graph></graphml>\n";
    case Format::Gml:
        out = "# node [ id 0 ]\ngraph [ directed 0 label \"node [\"\n";
        for (int i = 1; i <= n; ++i)
            out += "node [ id " + v(i) + " label \"v" + v(i) + "\" ]\n";
        for (int i = 1; i <= n; ++i)
            out += "edge [ source " + v(i) + " target " + v(i % n + 1) + " ]\n";
        return out + "]\n";
    case Format::Dot:
        out = "strict graph G {\n rankdir=LR; graph [label=\"many names here\"]; node [shape=box];\n"
              " edge [color=red]\n /* a -- b -- c */\n subgraph cluster_one { label = \"x y\" }\n";
        for (int i = 1; i <= n; ++i)
            out += " v" + v(i) + ":east -- \"v" + v(i % n + 1) + "\" [weight=2, label=\"w z\"];\n";
        return out + "}\n";
    case Format::Pajek:
        out = "% a comment\n*Vertices " + v(n) + "\n";
        for (int i = 1; i <= n; ++i)
            out += v(i) + " \"v " + v(i) + "\" 0.1 0.2\n";
        out += "*Edges\n";
        for (int i = 1; i <= n; ++i)
            out += v(i) + " " + v(i % n + 1) + " 1\n";
        return out;
    case Format::EdgeList:
        out = "# undirected\n";
        for (int i = 1; i <= n; ++i)
            out += "v" + v(i) + " v" + v(i % n + 1) + " 3\n";
        return out;
    case Format::Csv:
        for (int i = 1; i <= n; ++i) {
            for (int j = 1; j <= n; ++j)
                out += QByteArray(j > 1 ? "," : "") + (j == i % n + 1 || i == j % n + 1 ? "1" : "0");
            out += "\n";
        }
        return out;
    case Format::Unknown:
        break;
    }
    return out;
}

// The text followed by comment lines up to exactly `size` bytes.
QByteArray Padded(QByteArray text, qint64 size, char comment)
{
    const QByteArray line = QByteArray(1, comment) + QByteArray(1022, 'p') + "\n";
    while (text.size() + line.size() + 2 <= size)
        text += line;
    text += QByteArray(1, comment) + QByteArray(size - text.size() - 2, 'p') + "\n";
    EXPECT_EQ(text.size(), size);
    return text;
}

struct PrescanImport : ::testing::Test {
    QTemporaryDir dir;
    ScriptedHost host;
    GraphDocument g;

    PrescanImport()
    {
        g.MeasuresLabels = false;
        g.StartNewGraph(false, false);
    }
    QString Write(const QString& name, const QByteArray& bytes)
    {
        QFile file(dir.filePath(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return file.fileName();
    }
    ExchangeFormats::ImportResult Import(const QString& path)
    {
        host.messages.clear();
        return ExchangeFormats::ImportGraph(g, host, path, ExchangeFormats::FormatOfFile(path));
    }
};

} // namespace

TEST_F(PrescanImport, EveryFormatTakes255VerticesAndRefusesTheNextBeforeReading)
{
    for (const auto& [format, extension] : kFormats) {
        SCOPED_TRACE(extension.toStdString());
        const QByteArray fits = Cycle(format, 255);
        EXPECT_EQ(Prescan(format, fits).kind, Kind::Accepted);
        ASSERT_EQ(Import(Write("fits." + extension, fits)), ExchangeFormats::ImportResult::Imported)
            << host.MessageTexts().join('|').toStdString();
        EXPECT_EQ(g.VertexCount, 255);

        // A matrix may have a row and a column of names besides its numbers: the prescan lets
        // one more through, and the reader counts.
        const QByteArray over = Cycle(format, 256);
        EXPECT_EQ(Prescan(format, format == Format::Csv ? Cycle(format, 257) : over).kind,
                  Kind::TooManyVertices);
        EXPECT_EQ(Import(Write("over." + extension, over)), ExchangeFormats::ImportResult::Refused);
        EXPECT_EQ(host.MessageTexts(), QStringList{Translate("Version_not_support_count")});
        EXPECT_EQ(g.VertexCount, 255);
    }
}

TEST(Prescan, DeclaredAndNamedVertexNumbersAreCountedWithoutBuildingAnything)
{
    // A declaration of two thousand million vertices is refused on its own line.
    EXPECT_EQ(Prescan(Format::Pajek, "*Vertices 2000000000\n").kind, Kind::TooManyVertices);
    EXPECT_EQ(Prescan(Format::Pajek, "*Vertices 255\n").kind, Kind::Accepted);
    // A vertex number beyond the limit in an arc or a list names too many vertices.
    EXPECT_EQ(Prescan(Format::Pajek, "*Vertices 3\n*Arcs\n1 256\n").kind, Kind::TooManyVertices);
    EXPECT_EQ(Prescan(Format::Pajek, "*Vertices 3\n*Arcs\n1 255 256\n").kind, Kind::Accepted);
    EXPECT_EQ(Prescan(Format::Pajek, "*Vertices 3\n*Arcslist\n1 2 3 256\n").kind, Kind::TooManyVertices);
    // Three hundred thousand GML nodes stop at the 256th.
    QByteArray gml = "graph [\n";
    for (int i = 0; i < 300000; ++i)
        gml += "node [ id " + QByteArray::number(i) + " ]\n";
    EXPECT_EQ(Prescan(Format::Gml, gml).kind, Kind::TooManyVertices);
    // The edge list's header names its vertices, isolated ones too.
    QByteArray header = "# vertices:";
    for (int i = 1; i <= 255; ++i)
        header += " v" + QByteArray::number(i);
    EXPECT_EQ(Prescan(Format::EdgeList, header + "\nv1 v2\n").kind, Kind::Accepted);
    EXPECT_EQ(Prescan(Format::EdgeList, header + " w\nv1 v2\n").kind, Kind::TooManyVertices);
    EXPECT_EQ(Prescan(Format::EdgeList, header + "\nv1 w\n").kind, Kind::TooManyVertices);
    // A DOT name quoted or not is one vertex.
    QByteArray dot = "graph {";
    for (int i = 1; i <= 255; ++i)
        dot += " v" + QByteArray::number(i) + " -- \"v" + QByteArray::number(i) + "\";";
    EXPECT_EQ(Prescan(Format::Dot, dot + "}").kind, Kind::Accepted);
    EXPECT_EQ(Prescan(Format::Dot, dot + " w }").kind, Kind::TooManyVertices);
}

TEST(Prescan, TokensStringsAndTextsAreBoundedOnBothSidesAndTheLineIsNamed)
{
    const int most = ExchangePrescan::MaxTokenBytes;
    for (int length : {most, most + 1}) {
        SCOPED_TRACE(length);
        const QByteArray token(length, 'x');
        const std::vector<std::pair<Format, QByteArray>> cases{
            {Format::EdgeList, "a b\n\n" + token + " b\n"},
            {Format::Gml, "graph [\nnode [ id 1 ]\nnode [ id 2 label \"" + token + "\" ]\n]"},
            {Format::Dot, "graph {\na -- b\nc [label=\"" + token + "\"]\n}"},
            {Format::GraphML, "<graphml>\n<graph>\n<node id=\"" + token + "\"/>\n</graph></graphml>"},
            {Format::Pajek, "*Vertices 2\n1 a\n2 \"" + token.left(length - 2) + "\"\n"},
            {Format::Csv, "0,1\n" + token + ",0\n"},
        };
        for (const auto& [format, bytes] : cases) {
            const ExchangePrescan::Verdict verdict = Prescan(format, bytes);
            if (length == most) {
                EXPECT_EQ(verdict.kind, Kind::Accepted) << int(format);
            } else {
                EXPECT_EQ(verdict.kind, Kind::TooLong) << int(format);
                EXPECT_EQ(verdict.line, format == Format::Csv ? 2 : 3) << int(format);
            }
        }
    }
    // Text between GraphML tags has a limit of its own, far above a name's.
    const QByteArray text(ExchangePrescan::MaxXmlTextBytes, 't');
    EXPECT_EQ(Prescan(Format::GraphML, "<graphml><desc>" + text + "</desc></graphml>").kind, Kind::Accepted);
    EXPECT_EQ(Prescan(Format::GraphML, "<graphml><desc>" + text + "t</desc></graphml>").kind, Kind::TooLong);
}

TEST(Prescan, ArcRecordsAndGraphMLKeysAreBoundedOnBothSides)
{
    QByteArray arcs;
    for (qint64 k = 0; k < ExchangePrescan::MaxArcRecords; ++k)
        arcs += "a b\n";
    EXPECT_EQ(Prescan(Format::EdgeList, arcs).kind, Kind::Accepted);
    EXPECT_EQ(Prescan(Format::EdgeList, arcs + "b a\n").kind, Kind::TooManyArcs);

    QByteArray keys = "<graphml>";
    for (int k = 0; k < ExchangePrescan::MaxGraphMLKeys; ++k)
        keys += "<key id=\"k" + QByteArray::number(k) + "\" for=\"node\"/>";
    EXPECT_EQ(Prescan(Format::GraphML, keys + "<graph/></graphml>").kind, Kind::Accepted);
    const ExchangePrescan::Verdict verdict =
        Prescan(Format::GraphML, keys + "<key id=\"z\"/><graph/></graphml>");
    EXPECT_EQ(verdict.kind, Kind::TooManyKeys);
    EXPECT_EQ(verdict.limit, ExchangePrescan::MaxGraphMLKeys);
}

TEST_F(PrescanImport, AFileOverItsFormatsCapIsRefusedUnreadNamingTheCap)
{
    // Pajek comment lines pad a small graph to exactly the cap.
    const qint64 cap = ExchangePrescan::SizeCap(Format::Pajek);
    const QByteArray bytes = Padded("*Vertices 2\n*Edges\n1 2\n", cap, '%');
    EXPECT_EQ(Import(Write("cap.net", bytes)), ExchangeFormats::ImportResult::Imported);
    EXPECT_EQ(g.VertexCount, 2);
    EXPECT_EQ(Import(Write("over.net", bytes + "\n")), ExchangeFormats::ImportResult::Unreadable);
    EXPECT_EQ(
        host.MessageTexts(),
        QStringList{Translate("File_too_large").arg(dir.filePath("over.net")).arg(cap / (1024 * 1024))});
    EXPECT_EQ(g.VertexCount, 2);
}

// Each format's file that only the library reads (a hex weight, a nested list, a comment in DOT,
// a mixed GraphML graph), padded with lines the format ignores to an exact size.
QByteArray LeftToTheLibrary(Format format, qint64 size)
{
    QByteArray head, tail, open, close;
    switch (format) {
    case Format::Gml:
        head = "graph [\n node [ id 1 ]\n node [ id 2 ]\n edge [ source 1 target 2 ]\n extra [\n";
        tail = " ]\n]\n";
        open = "c \"";
        close = "\"";
        break;
    case Format::GraphML:
        head = "<graphml><graph edgedefault=\"undirected\"><node id=\"a\"/><node id=\"b\"/>"
               "<edge source=\"a\" target=\"b\" directed=\"true\"/>\n";
        tail = "</graph></graphml>\n";
        open = "<!-- ";
        close = " -->";
        break;
    case Format::Dot:
        head = "digraph {\n  a -> b;\n";
        tail = "}\n";
        open = "// ";
        break;
    default:
        head = "a b 0x10\n";
        open = "# ";
        break;
    }
    QByteArray text = head;
    const QByteArray line = open + QByteArray(1000, 'p') + close + "\n";
    const qsizetype last = open.size() + close.size() + 1 + tail.size(); // the last line but its p's
    while (text.size() + line.size() + last <= size)
        text += line;
    text += open + QByteArray(size - text.size() - last, 'p') + close + "\n" + tail;
    EXPECT_EQ(text.size(), size);
    return text;
}

TEST_F(PrescanImport, FilesOurReadersLeaveToTheLibrariesAreReadUpToTheirCap)
{
    for (const auto& [format, extension] :
         std::vector<std::pair<Format, QString>>{{Format::Gml, "gml"},
                                                 {Format::GraphML, "graphml"},
                                                 {Format::Dot, "dot"},
                                                 {Format::EdgeList, "edgelist"}}) {
        SCOPED_TRACE(extension.toStdString());
        const qint64 cap = ExchangePrescan::LibraryCap(format);
        ASSERT_LT(cap, ExchangePrescan::SizeCap(format));
        EXPECT_EQ(Import(Write("cap." + extension, LeftToTheLibrary(format, cap))),
                  ExchangeFormats::ImportResult::Imported)
            << host.MessageTexts().join('|').toStdString();
        EXPECT_EQ(g.VertexCount, 2);
        const QString over = Write("over." + extension, LeftToTheLibrary(format, cap + 1));
        EXPECT_EQ(Import(over), ExchangeFormats::ImportResult::Unreadable);
        ASSERT_EQ(host.MessageTexts().size(), 1);
        EXPECT_EQ(host.MessageTexts()[0], Translate("Exchange_parse_error")
                                              .arg("over." + extension + ": " +
                                                   Translate("Exchange_not_plain").arg(cap / (1024 * 1024))));
    }
}

TEST(Prescan, TheProgramsOwnExportsAlwaysPassEvenAtTheirLargest)
{
    // The caps were measured on the largest graph the program holds: complete, directed,
    // weighted, with names of the longest length in a two-byte script.
    ScriptedHost host;
    GraphDocument g;
    g.MeasuresLabels = false;
    g.StartNewGraph(true, true);
    g.Naming().SetKind(VertexNaming::Manual);
    QRandomGenerator random(27);
    for (int i = 1; i <= GraphDocument::MaxVertices; ++i) {
        QString name = QString::number(i) + QStringLiteral(" <\"&'");
        while (name.size() < GraphDocument::MaxNameLength)
            name += QChar(0x0430 + int(random.bounded(32)));
        g.AddVertex(int(random.bounded(8000)), int(random.bounded(8000)), name, g.FreeNameNumber(), 10);
    }
    for (int a = 1; a <= GraphDocument::MaxVertices; ++a)
        for (int b = 1; b <= GraphDocument::MaxVertices; ++b)
            if (a != b)
                g.AddArc(a, b, 10000 + int(random.bounded(40000)));
    QTemporaryDir dir;
    for (const auto& [format, extension] : kFormats) {
        SCOPED_TRACE(extension.toStdString());
        const QString path = dir.filePath("largest." + extension);
        FileError error;
        ASSERT_TRUE(ExchangeFormats::ExportGraph(g, path, format, &error)) << error.Text().toStdString();
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        EXPECT_LT(bytes.size(), ExchangePrescan::SizeCap(format) * 3 / 4);
        const ExchangePrescan::Verdict verdict = Prescan(format, bytes);
        EXPECT_EQ(verdict.kind, Kind::Accepted) << int(verdict.kind) << " line " << verdict.line;
    }
}

TEST(Prescan, RandomExportsWithMarkupInTheirNamesPass)
{
    QRandomGenerator random(2712);
    const QString alphabet = QStringLiteral("ab <>&\"';,[]{}#%=-:/\\*жё\u2028");
    for (int round = 0; round < 40; ++round) {
        ScriptedHost host;
        GraphDocument g;
        g.MeasuresLabels = false;
        g.StartNewGraph(round % 2 == 0, round % 3 == 0);
        g.Naming().SetKind(VertexNaming::Manual);
        const int n = 1 + int(random.bounded(GraphDocument::MaxVertices));
        for (int i = 1; i <= n; ++i) {
            QString name = QString::number(i);
            for (int k = int(random.bounded(20)); k > 0; --k)
                name += alphabet[int(random.bounded(alphabet.size()))];
            g.AddVertex(int(random.bounded(600)), int(random.bounded(400)), name, g.FreeNameNumber(), 10);
        }
        for (int k = int(random.bounded(3 * n)); k > 0; --k) {
            const int a = 1 + int(random.bounded(n)), b = 1 + int(random.bounded(n));
            if (a != b && !g.HasArc(a, b))
                g.AddArc(a, b, 1 + int(random.bounded(50)));
        }
        QTemporaryDir dir;
        for (const auto& [format, extension] : kFormats) {
            const QString path = dir.filePath("random." + extension);
            ASSERT_TRUE(ExchangeFormats::ExportGraph(g, path, format));
            QFile file(path);
            ASSERT_TRUE(file.open(QIODevice::ReadOnly));
            const ExchangePrescan::Verdict verdict = Prescan(format, file.readAll());
            EXPECT_EQ(verdict.kind, Kind::Accepted)
                << "round " << round << " " << extension.toStdString() << " kind " << int(verdict.kind);
        }
    }
}

TEST(VertexNames, LongerNamesAreCutWithAWarningWhereverTheyComeFrom)
{
    const QString longest(GraphDocument::MaxNameLength, QChar(0x0436));
    QTemporaryDir dir;
    ScriptedHost host;
    GraphSession session(host);
    GraphDocument& g = session.CreateDocument();
    g.StartNewGraph(false, false);

    // A graph file: the longest name is kept as it is, a longer one cut.
    for (const QString& name : {longest, longest + "z"}) {
        const QString path = dir.filePath("names.grafa");
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(("[Main]\nIsOrint=0\nIsHaveCost=0\nPointCount=1\nGrafTitleType=2\nVersion=1\n"
                    "[Matrix]\nFrom1To1=0\n[GrafPosition]\nX1=10\nY1=10\n[GrafTitle]\nTitle1=" +
                    name + "\n")
                       .toUtf8());
        file.close();
        host.messages.clear();
        ASSERT_TRUE(GraphFileCommands::OpenGraphFile(session, path));
        EXPECT_EQ(g.VertexName(1), longest);
        EXPECT_EQ(host.MessageTexts(),
                  name == longest ? QStringList() : QStringList{Translate("Name_text_cut")});
    }

    // A name typed in: cut, one undo step, marked unsaved.
    g.Naming().SetKind(VertexNaming::Manual);
    g.ActiveVertex = 1;
    host.messages.clear();
    host.inputs = {{true, "abc" + longest}};
    EXPECT_FALSE(session.HasUnsavedChanges());
    session.RenameSelectedVertex();
    EXPECT_EQ(g.VertexName(1), "abc" + longest.left(GraphDocument::MaxNameLength - 3));
    EXPECT_EQ(host.MessageTexts(), QStringList{Translate("Name_text_cut")});
    EXPECT_TRUE(session.HasUnsavedChanges());
    session.Undo();
    EXPECT_EQ(g.VertexName(1), longest);
    EXPECT_FALSE(session.HasUnsavedChanges());
}

TEST(GraphFiles, AGraphFileOverTheCapIsRefusedUnreadNamingTheCap)
{
    QTemporaryDir dir;
    ScriptedHost host;
    GraphSession session(host);
    GraphDocument& g = session.CreateDocument();
    g.StartNewGraph(false, false);
    const QString path = dir.filePath("huge.grafa");
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(Padded("[Main]\nVersion=1\nPointCount=0\n", GrafaFile::MaxGraphFileBytes, ';'));
    file.close();
    // At the cap the file is read (its padding is no graph: an empty graph).
    EXPECT_TRUE(GraphFileCommands::OpenGraphFile(session, path));
    ASSERT_TRUE(file.open(QIODevice::Append));
    file.write("\n");
    file.close();
    host.messages.clear();
    EXPECT_FALSE(GraphFileCommands::OpenGraphFile(session, path));
    EXPECT_EQ(
        host.MessageTexts(),
        QStringList{Translate("File_too_large").arg(path).arg(GrafaFile::MaxGraphFileBytes / (1024 * 1024))});
}
