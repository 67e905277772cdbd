#include "files/ExchangeFormats.h"
#include "ScriptedHost.h"
#include "base/TranslationManager.h"
#include "commands/GraphFileCommands.h"
#include "commands/GraphSession.h"
#include "document/GraphDocument.h"
#include "files/IgraphAdapter.h"

#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cstdio>
#include <map>

using ExchangeFormats::Format;

// Messages shown as text when a comparison fails.
static void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}

namespace {

// Everything the exchange formats carry, keyed by names so vertex order does not matter.
struct Shape {
    quint8 directed = 0, weighted = 0;
    QStringList names;
    std::map<std::pair<QString, QString>, int> arcs;
    std::vector<std::pair<int, int>> positions;
    bool operator==(const Shape&) const = default;
};

void PrintTo(const Shape& s, std::ostream* out)
{
    *out << int(s.directed) << "/" << int(s.weighted) << " [" << s.names.join('|').toStdString() << "]";
    for (const auto& [arc, w] : s.arcs)
        *out << " " << arc.first.toStdString() << ">" << arc.second.toStdString() << ":" << w;
    for (const auto& [x, y] : s.positions)
        *out << " (" << x << "," << y << ")";
}

Shape ShapeOf(const GraphDocument& g, bool withPositions = true)
{
    Shape s;
    // As the files say it: 2 directed, 1 weighted.
    s.directed = g.Directed ? 2 : 0;
    s.weighted = g.Weighted ? 1 : 0;
    for (int v = 1; v <= g.VertexCount; ++v) {
        s.names.append(g.VertexName(v));
        if (withPositions)
            s.positions.emplace_back(g.Vertices[v].X, g.Vertices[v].Y);
        for (int w : g.OutArcs(v))
            s.arcs[{g.VertexName(v), g.VertexName(w)}] = g.MatrixEntry(v, w);
    }
    return s;
}

struct ExchangeFormatsTest : ::testing::Test {
    QTemporaryDir dir;
    ScriptedHost host;
    std::unique_ptr<GraphDocument> g = Fresh();

    std::unique_ptr<GraphDocument> Fresh()
    {
        auto d = std::make_unique<GraphDocument>();
        d->MeasuresLabels = false;
        d->StartNewGraph(false, false);
        return d;
    }
    QString Path(const QString& name) const { return dir.filePath(name); }
    QString Write(const QString& name, const QByteArray& bytes)
    {
        QFile file(Path(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return Path(name);
    }
    bool Import(GraphDocument& d, const QString& path)
    {
        return ExchangeFormats::ImportGraph(d, host, path, ExchangeFormats::FormatOfFile(path)) ==
               ExchangeFormats::ImportResult::Imported;
    }
    // A directed weighted graph with names that are not numbers.
    void Named()
    {
        g->StartNewGraph(true, true);
        g->Naming().SetKind(VertexNaming::Manual);
        const QStringList names{"Alpha", "Beta two", "Гамма", "D\"q;,"};
        for (int i = 0; i < names.size(); ++i)
            g->AddVertex(40 + 90 * i, 60 + 45 * (i % 3), names[i], g->FreeNameNumber(), g->VertexSize);
        g->AddArc(1, 2, 5);
        g->AddArc(2, 3, 12);
        g->AddArc(3, 1, 7);
        g->AddArc(1, 4, 50000);
        g->AddArc(4, 2, 1);
        g->AddArc(2, 1, 9);
    }
    // An undirected unweighted graph numbered 1..5 with an isolated vertex.
    void Plain()
    {
        g->StartNewGraph(false, false);
        g->Naming().SetKind(VertexNaming::Numbers);
        g->Naming().SetNumbers(1);
        for (int i = 1; i <= 5; ++i)
            g->AddVertex(30 * i, 200 - 20 * i, QString(), g->FreeNameNumber(), g->VertexSize);
        g->AddArc(1, 2, 1);
        g->AddArc(2, 3, 1);
        g->AddArc(3, 1, 1);
        g->AddArc(4, 2, 1);
    }
    QString Message(const char* key) const { return Translate(QString::fromLatin1(key)); }
    bool Shown(const QString& text) const
    {
        for (const auto& m : host.messages)
            if (m.text == text)
                return true;
        return false;
    }
};

const std::vector<QString> kExtensions{"graphml", "gml", "dot", "net", "edgelist", "csv"};

TEST_F(ExchangeFormatsTest, RoundTripsKeepDirectionWeightsNamesArcsAndPositions)
{
    for (const bool named : {true, false})
        for (const QString& extension : kExtensions) {
            SCOPED_TRACE(extension.toStdString() + (named ? " named" : " plain"));
            g = Fresh();
            named ? Named() : Plain();
            const QString path = Path("graph." + extension);
            FileError error;
            ASSERT_TRUE(ExchangeFormats::ExportGraph(*g, path, ExchangeFormats::FormatOfFile(path), &error))
                << error.Text().toStdString();
            auto back = Fresh();
            host.messages.clear();
            ASSERT_TRUE(Import(*back, path)) << host.messages.front().text.toStdString();
            EXPECT_TRUE(host.messages.empty()) << host.messages.front().text.toStdString();
            // Edge lists and matrices hold no positions: those come back on a circle.
            const bool positions = extension != "edgelist" && extension != "csv";
            if (extension == "edgelist") // names there hold no blanks
                for (const int v : {1, 2})
                    g->Naming().SetManualName(v, g->VertexName(v).replace(' ', '_'));
            EXPECT_EQ(ShapeOf(*back, positions), ShapeOf(*g, positions));
            EXPECT_EQ(back->Naming().GetKind(), named ? VertexNaming::Manual : VertexNaming::Numbers);
        }
}

TEST_F(ExchangeFormatsTest, GoldenDotWithCommentsQuotedIdsPinnedPositionsAndSubgraph)
{
    ASSERT_TRUE(Import(*g, Write("a.gv", R"(/* a comment */
digraph "my graph" {
  // a line comment
  "node one" [pos="10,-20!"];
  b [pos="100,-50!"]
  subgraph cluster_x { c [pos="50,-80"]; c -> "node one" [weight=4]; }
  "node one" -> b [label="7"];
# a comment line
}
)")));
    Shape expected{2,
                   1,
                   {"node one", "b", "c"},
                   {{{"c", "node one"}, 4}, {{"node one", "b"}, 7}},
                   {{10, 20}, {100, 50}, {50, 80}}};
    EXPECT_EQ(ShapeOf(*g), expected);
    EXPECT_EQ(g->Naming().GetKind(), VertexNaming::Manual);
}

TEST_F(ExchangeFormatsTest, GoldenGraphmlTakesDefaultAttributeValuesAndLaysOutOnACircle)
{
    ASSERT_TRUE(Import(*g, Write("a.graphml", R"(<?xml version="1.0" encoding="UTF-8"?>
<graphml xmlns="http://graphml.graphdrawing.org/xmlns">
  <key id="w" for="edge" attr.name="weight" attr.type="double"><default>3</default></key>
  <key id="n" for="node" attr.name="name" attr.type="string"/>
  <graph id="G" edgedefault="undirected">
    <node id="a"><data key="n">Ann</data></node>
    <node id="b"><data key="n">Bob</data></node>
    <node id="c"><data key="n">Cid</data></node>
    <node id="d"><data key="n">Dan</data></node>
    <edge source="a" target="b"/>
    <edge source="b" target="c"><data key="w">8</data></edge>
  </graph>
</graphml>
)")));
    const Shape s = ShapeOf(*g, false);
    Shape expected{0,
                   1,
                   {"Ann", "Bob", "Cid", "Dan"},
                   {{{"Ann", "Bob"}, 3}, {{"Bob", "Ann"}, 3}, {{"Bob", "Cid"}, 8}, {{"Cid", "Bob"}, 8}},
                   {}};
    EXPECT_EQ(s, expected);
    // The host's 600×400 area: a circle about its centre, first vertex at the top.
    EXPECT_EQ(g->Vertices[1].X, 300);
    EXPECT_LT(g->Vertices[1].Y, 200);
    EXPECT_EQ(g->Vertices[3].X, 300);
    EXPECT_EQ(g->Vertices[1].Y + g->Vertices[3].Y, 400);
    EXPECT_EQ(g->Vertices[2].Y, 200);
}

TEST_F(ExchangeFormatsTest, GoldenPajekWithArcsAndEdgesIsDirectedWithEdgesBothWays)
{
    ASSERT_TRUE(Import(*g, Write("a.net", R"(*Vertices 3
1 "x" 0.0 0.0
2 "y" 1.0 0.5
3 "z" 0.5 1.0
*Arcs
1 2 5
*Edges
2 3 2
)")));
    Shape expected{2, 1, {"x", "y", "z"}, {{{"x", "y"}, 5}, {{"y", "z"}, 2}, {{"z", "y"}, 2}}, {}};
    EXPECT_EQ(ShapeOf(*g, false), expected);
    EXPECT_TRUE(Shown(Message("Exchange_mixed_directed")));
    // Coordinates in 0..1 are scaled into the 600×400 area, keeping their proportions.
    EXPECT_EQ(g->Vertices[1].X, g->Vertices[1].Y);
    EXPECT_EQ(g->Vertices[3].Y - g->Vertices[1].Y, 2 * (g->Vertices[2].Y - g->Vertices[1].Y));
    EXPECT_EQ(g->Vertices[3].Y, 400 - g->Vertices[1].Y);
}

TEST_F(ExchangeFormatsTest, GoldenEdgeListsGmlAndCsv)
{
    ASSERT_TRUE(Import(*g, Write("a.txt", "1 2\n2 3\n\n3 1\n")));
    EXPECT_EQ(ShapeOf(*g, false), (Shape{0,
                                         0,
                                         {"1", "2", "3"},
                                         {{{"1", "2"}, 1},
                                          {{"2", "1"}, 1},
                                          {{"2", "3"}, 1},
                                          {{"3", "2"}, 1},
                                          {{"3", "1"}, 1},
                                          {{"1", "3"}, 1}},
                                         {}}));
    EXPECT_EQ(g->Naming().GetKind(), VertexNaming::Numbers);

    ASSERT_TRUE(Import(*g, Write("a.gml", "graph [\n directed 1\n node [ id 10 label \"p\" x 20 y 30 ]\n"
                                          " node [ id 20 label \"q\" x 40 y 60 ]\n"
                                          " edge [ source 20 target 10 weight 4 ]\n]\n")));
    EXPECT_EQ(ShapeOf(*g), (Shape{2, 1, {"p", "q"}, {{{"q", "p"}, 4}}, {{20, 30}, {40, 60}}}));

    ASSERT_TRUE(Import(*g, Write("a.csv", " ;u;v;w\nu;0;2;0\nv;0;;3\nw;1;0;0\n")));
    EXPECT_EQ(ShapeOf(*g, false),
              (Shape{2, 1, {"u", "v", "w"}, {{{"u", "v"}, 2}, {{"v", "w"}, 3}, {{"w", "u"}, 1}}, {}}));
    ASSERT_TRUE(Import(*g, Write("b.csv", "0,1,1\n1,0,0\n1,0,0\n")));
    EXPECT_EQ(ShapeOf(*g, false), (Shape{0,
                                         0,
                                         {"1", "2", "3"},
                                         {{{"1", "2"}, 1}, {{"2", "1"}, 1}, {{"1", "3"}, 1}, {{"3", "1"}, 1}},
                                         {}}));
}

TEST_F(ExchangeFormatsTest, WhatDoesNotFitIsRefusedWithTheDocumentUnchanged)
{
    QByteArray many;
    for (int i = 1; i <= 256; ++i)
        many += "v" + QByteArray::number(i) + " v" + QByteArray::number(i % 256 + 1) + "\n";
    const std::vector<std::pair<QString, QString>> cases{
        {Write("many.edgelist", many), Message("Version_not_support_count")},
        {Write("weights.edgelist", "a b 0.2\nb c 70000\nc a 5\n"),
         Message("Exchange_weights_refused_arc")
             .arg(2)
             .arg(Message("Exchange_weight_arc_line").arg("a – b", "0.2").arg(1))},
        {Write("nan.gml", "graph [ node [ id 1 ] node [ id 2 ] edge [ source 1 target 2 weight -3 ] ]"),
         Message("Exchange_weights_refused_arc")
             .arg(1)
             .arg(Message("Exchange_weight_arc").arg("1 – 2", "-3"))},
        {Write("broken.dot", "digraph {\n a -> b;\n a -> ;\n}\n"), QString()},
        {Write("broken.graphml", "<graphml><graph><node id=\"a\"/><edge source=\"a\" target=\"zz\"/>"),
         QString()},
        {Write("broken.csv", "0,1\n1,0,4\n"), QString()},
    };
    for (const auto& [path, text] : cases) {
        SCOPED_TRACE(path.toStdString());
        g = Fresh();
        Named();
        const Shape before = ShapeOf(*g);
        host.messages.clear();
        EXPECT_FALSE(Import(*g, path));
        ASSERT_EQ(host.messages.size(), 1u);
        EXPECT_EQ(host.messages[0].kind, ProgramHost::MessageKind::Error);
        if (!text.isEmpty())
            EXPECT_EQ(host.messages[0].text, text);
        else
            EXPECT_TRUE(host.messages[0].text.startsWith(Message("Exchange_parse_error").arg(QString())))
                << host.messages[0].text.toStdString();
        EXPECT_EQ(ShapeOf(*g), before);
        EXPECT_EQ(g->Naming().GetKind(), VertexNaming::Manual);
    }
    // The parser's own text names the line at fault.
    host.messages.clear();
    Import(*g, Path("broken.dot"));
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_TRUE(host.messages[0].text.contains("line 3")) << host.messages[0].text.toStdString();
    // Also where the library names none, on one line with the file's name.
    host.messages.clear();
    Import(*g, Write("broken.edgelist", "# directed\na b\nb c 1x\n"));
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_TRUE(host.messages[0].text.contains("broken.edgelist: line 3: "))
        << host.messages[0].text.toStdString();
    EXPECT_FALSE(host.messages[0].text.contains('\n'));
}

TEST_F(ExchangeFormatsTest, WhatFitsAfterChangesIsCountedInWarnings)
{
    ASSERT_TRUE(
        Import(*g, Write("c.edgelist", "# directed\na a 2\na b 2.5\nb c 1.2\na b 7\nb b 1\nc a 3\n")));
    EXPECT_EQ(ShapeOf(*g, false),
              (Shape{2, 1, {"a", "b", "c"}, {{{"a", "b"}, 3}, {{"b", "c"}, 1}, {{"c", "a"}, 3}}, {}}));
    const std::vector<QString> warnings{Message("Exchange_weights_rounded").arg(2),
                                        Message("Exchange_loops_dropped").arg(2),
                                        Message("Exchange_parallel_merged").arg(1)};
    ASSERT_EQ(host.messages.size(), warnings.size());
    for (std::size_t i = 0; i < warnings.size(); ++i) {
        EXPECT_EQ(host.messages[i].text, warnings[i]);
        EXPECT_EQ(host.messages[i].kind, ProgramHost::MessageKind::Warning);
    }
    // Undirected: the reverse of an edge is the same edge.
    host.messages.clear();
    ASSERT_TRUE(Import(*g, Write("d.edgelist", "a b\nb a\n")));
    EXPECT_EQ(g->OutCount(1), 1);
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].text, Message("Exchange_parallel_merged").arg(1));
}

TEST_F(ExchangeFormatsTest, DamagedFilesGiveAnErrorWithoutACrash)
{
    QRandomGenerator random(18);
    for (const QString& extension : kExtensions) {
        SCOPED_TRACE(extension.toStdString());
        g = Fresh();
        Named();
        const QString good = Path("good." + extension);
        ASSERT_TRUE(ExchangeFormats::ExportGraph(*g, good, ExchangeFormats::FormatOfFile(good)));
        QFile file(good);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        int refused = 0;
        for (int round = 0; round < 60; ++round) {
            QByteArray damaged = bytes;
            switch (round % 3) {
            case 0:
                damaged.truncate(qsizetype(random.bounded(int(bytes.size()))));
                break;
            case 1:
                for (int k = 0; k < 4; ++k)
                    damaged[random.bounded(int(damaged.size()))] = char(random.bounded(256));
                break;
            default:
                damaged.insert(random.bounded(int(damaged.size())),
                               QByteArray("\"{<[*;,\0", 8).mid(random.bounded(8), 2));
                break;
            }
            auto d = Fresh();
            d->StartNewGraph(false, false);
            host.messages.clear();
            const bool read = Import(*d, Write("bad." + extension, damaged));
            if (!read) {
                ++refused;
                ASSERT_FALSE(host.messages.empty());
                EXPECT_EQ(host.messages.back().kind, ProgramHost::MessageKind::Error);
                EXPECT_EQ(d->VertexCount, 0);
            }
        }
        EXPECT_GT(refused, 0);
    }
}

TEST_F(ExchangeFormatsTest, GraphmlReadByIgraphHasTheSameArcsAndWeights)
{
    Named();
    const QString path = Path("cross.graphml");
    ASSERT_TRUE(ExchangeFormats::ExportGraph(*g, path, Format::GraphML));
    const Igraph::LibraryCall call(true);
    FILE* in = std::fopen(path.toLocal8Bit().constData(), "r");
    ASSERT_NE(in, nullptr);
    Igraph::Graph owned;
    igraph_t* read = owned.Get();
    ASSERT_EQ(igraph_read_graph_graphml(read, in, 0), IGRAPH_SUCCESS);
    owned.Own();
    std::fclose(in);
    EXPECT_TRUE(igraph_is_directed(read));
    ASSERT_EQ(igraph_vcount(read), g->VertexCount);
    std::map<std::pair<int, int>, int> arcs, expected;
    const auto edges = owned.Edges();
    for (std::size_t e = 0; e < edges.size(); ++e)
        arcs[{edges[e].first + 1, edges[e].second + 1}] = int(EAN(read, "weight", igraph_integer_t(e)));
    for (int v = 1; v <= g->VertexCount; ++v)
        for (int w : g->OutArcs(v))
            expected[{v, w}] = g->Arc(v, w).Weight;
    EXPECT_EQ(arcs, expected);
    EXPECT_STREQ(VAS(read, "name", 2), "Гамма");
}

TEST_F(ExchangeFormatsTest, WhatAReaderLeavesOutOrFillsInIsCountedInWarnings)
{
    struct Case {
        const char* name;
        QByteArray text;
        Shape shape;
        std::vector<QString> warnings;
    };
    const QByteArray graphmlHead = "<?xml version=\"1.0\"?>\n"
                                   "<!DOCTYPE graphml [ <!ENTITY who \"Smith\"> ]>\n"
                                   "<graphml xmlns=\"http://graphml.graphdrawing.org/xmlns\">\n"
                                   "<key id=\"w\" for=\"edge\" attr.name=\"weight\" attr.type=\"double\"/>\n"
                                   "<key id=\"n\" for=\"node\" attr.name=\"name\" attr.type=\"string\"/>\n";
    const std::vector<Case> cases{
        // Only some edges weighted: the others weigh 1, as in DOT.
        {"part.graphml",
         graphmlHead +
             "<graph edgedefault=\"undirected\"><node id=\"a\"/><node id=\"b\"/><node id=\"c\"/>\n"
             "<edge source=\"a\" target=\"b\"/>\n<edge source=\"b\" target=\"c\"><data key=\"w\">4</data>"
             "</edge></graph></graphml>\n",
         {0, 1, {"a", "b", "c"}, {{{"a", "b"}, 1}, {{"b", "a"}, 1}, {{"b", "c"}, 4}, {{"c", "b"}, 4}}, {}},
         {Message("Exchange_weights_missing").arg(1)}},
        {"part.dot",
         "graph { a -- b; b -- c [weight=4]; }",
         {0, 1, {"a", "b", "c"}, {{{"a", "b"}, 1}, {{"b", "a"}, 1}, {{"b", "c"}, 4}, {{"c", "b"}, 4}}, {}},
         {Message("Exchange_weights_missing").arg(1)}},
        {"part.net",
         "*Vertices 3\n*Arcs\n1 2\n2 3 4\n",
         {2, 1, {"1", "2", "3"}, {{{"1", "2"}, 1}, {{"2", "3"}, 4}}, {}},
         {Message("Exchange_weights_missing").arg(1)}},
        // One directed edge in an undirected graph; entities the document type declares; a
        // hyperedge and a second graph, which the program cannot take.
        {"mixed.graphml",
         graphmlHead +
             "<graph edgedefault=\"undirected\"><node id=\"a\"><data key=\"n\">&who;</data></node>\n"
             "<node id=\"b\"><data key=\"n\">Mr &who;</data></node><node id=\"c\"/>\n"
             "<edge source=\"c\" target=\"b\" directed=\"true\"/><edge source=\"a\" target=\"b\"/>\n"
             "<hyperedge><endpoint node=\"a\"/><endpoint node=\"b\"/><endpoint node=\"c\"/></hyperedge>"
             "</graph>\n<graph edgedefault=\"directed\"><node id=\"z\"/></graph></graphml>\n",
         {2,
          0,
          {"Smith", "Mr Smith", "c"},
          {{{"c", "Mr Smith"}, 1}, {{"Smith", "Mr Smith"}, 1}, {{"Mr Smith", "Smith"}, 1}},
          {}},
         {Message("Exchange_mixed_directed"), Message("Exchange_other_graphs").arg(1),
          Message("Exchange_hyperedges_dropped").arg(1)}},
        {"two.dot",
         "digraph { a -> b }\ngraph { x -- y -- z }\ndigraph { q }\n",
         {2, 0, {"a", "b"}, {{{"a", "b"}, 1}}, {}},
         {Message("Exchange_other_graphs").arg(2)}},
        {"latin.gv",
         "digraph { charset=latin1; \"caf\xE9\" -> \"na\xEFve\" }",
         {2, 0, {"café", "naïve"}, {{{"café", "naïve"}, 1}}, {}},
         {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        host.messages.clear();
        ASSERT_TRUE(Import(*g, Write(c.name, c.text)))
            << (host.messages.empty() ? std::string() : host.messages.front().text.toStdString());
        EXPECT_EQ(ShapeOf(*g, false), c.shape);
        std::vector<QString> shown;
        for (const auto& m : host.messages)
            shown.push_back(m.text);
        EXPECT_EQ(shown, c.warnings);
    }
}

TEST_F(ExchangeFormatsTest, CsvFirstRowIsAHeaderOnlyWhenItNamesColumns)
{
    // A number that does not parse is refused where it stands, not taken for a name.
    const std::vector<std::pair<QByteArray, QString>> refused{
        {"1e400,1\n1,0\n", Message("Exchange_csv_bad_number").arg(1).arg(1).arg("1e400")},
        {QByteArray("0\0,1\n1,0\n", 9),
         Message("Exchange_csv_bad_number").arg(1).arg(1).arg(QString("0") + QChar::ReplacementCharacter)},
        {"0,1\n1,x\n", Message("Exchange_csv_bad_number").arg(2).arg(2).arg("x")},
        {",a,b\na,0,1\nb,1e999,0\n", Message("Exchange_csv_bad_number").arg(3).arg(2).arg("1e999")},
    };
    for (const auto& [text, reason] : refused) {
        SCOPED_TRACE(text.toStdString());
        host.messages.clear();
        EXPECT_FALSE(Import(*g, Write("r.csv", text)));
        ASSERT_EQ(host.messages.size(), 1u);
        EXPECT_EQ(host.messages[0].text, Message("Exchange_parse_error").arg("r.csv: " + reason));
    }
    // The program's own matrices of numbered graphs: an empty corner before numeric names.
    ASSERT_TRUE(Import(*g, Write("own.csv", ",1,2\n1,0,3\n2,3,0\n")));
    EXPECT_EQ(ShapeOf(*g, false), (Shape{0, 1, {"1", "2"}, {{{"1", "2"}, 3}, {{"2", "1"}, 3}}, {}}));
    ASSERT_TRUE(Import(*g, Write("names.csv", "from;p;q\np;0;1\nq;0;0\n")));
    EXPECT_EQ(ShapeOf(*g, false), (Shape{2, 0, {"p", "q"}, {{{"p", "q"}, 1}}, {}}));
}

TEST_F(ExchangeFormatsTest, GraphvizWeightsThatDoNotFitNameTheirArcAndLineAndMayBeLeftOut)
{
    // Graphviz's weight is a layout hint, often 0; a default for the edges after it counts.
    const QString hinted =
        Write("hint.gv", "graph G {\n  a -- b [weight=2];\n  b -- c [weight=0]\n  c -- a\n}\n");
    const QString defaulted = Write("default.gv", "digraph {\n edge [weight=0]\n a -> b\n\n b -> c\n}\n");
    const std::vector<std::pair<QString, QString>> reasons{
        {hinted, Message("Exchange_weights_refused_arc")
                     .arg(1)
                     .arg(Message("Exchange_weight_arc_line").arg("b – c", "0").arg(3))},
        {defaulted, Message("Exchange_weights_refused_arc")
                        .arg(2)
                        .arg(Message("Exchange_weight_arc_line").arg("a → b", "0").arg(2))},
    };
    for (const auto& [path, reason] : reasons) {
        SCOPED_TRACE(path.toStdString());
        host.messages.clear();
        EXPECT_FALSE(Import(*g, path));
        ASSERT_EQ(host.messages.size(), 1u);
        EXPECT_EQ(host.messages[0].text, reason);
    }
    host.messages.clear();
    ASSERT_EQ(ExchangeFormats::ImportGraph(*g, host, hinted, Format::Dot, ImportWeights::Drop),
              ExchangeFormats::ImportResult::Imported);
    EXPECT_EQ(ShapeOf(*g, false), (Shape{0,
                                         0,
                                         {"a", "b", "c"},
                                         {{{"a", "b"}, 1},
                                          {{"b", "a"}, 1},
                                          {{"b", "c"}, 1},
                                          {{"c", "b"}, 1},
                                          {{"c", "a"}, 1},
                                          {{"a", "c"}, 1}},
                                         {}}));
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(ExchangeFormatsTest, PositionsThatAreAllTheSameGoOnACircle)
{
    // As networkx writes Pajek: 0.0 0.0 for every vertex.
    ASSERT_TRUE(
        Import(*g, Write("flat.net", "*Vertices 4\n1 \"a\" 0.0 0.0\n2 \"b\" 0.0 0.0\n3 \"c\" 0.0 0.0\n"
                                     "4 \"d\" 0.0 0.0\n*Edges\n1 2\n")));
    // The host's 600×400 area: a circle about its centre, first vertex at the top.
    EXPECT_EQ(g->Vertices[1].X, 300);
    EXPECT_LT(g->Vertices[1].Y, 200);
    EXPECT_EQ(g->Vertices[3].X, 300);
    EXPECT_EQ(g->Vertices[1].Y + g->Vertices[3].Y, 400);
    EXPECT_EQ(g->Vertices[2].Y, 200);
    EXPECT_EQ(g->Vertices[2].X + g->Vertices[4].X, 600);
    // One vertex alone keeps where it was put.
    ASSERT_TRUE(Import(*g, Write("one.gml", "graph [ node [ id 1 x 100 y 120 ] ]")));
    EXPECT_EQ(g->Vertices[1].X, 100);
    EXPECT_EQ(g->Vertices[1].Y, 120);
}

TEST_F(ExchangeFormatsTest, ExportsAreWhatTheFieldsToolsReadAsTheyAre)
{
    Named();
    FileError error;
    const auto exported = [&](const QString& name) {
        EXPECT_TRUE(
            ExchangeFormats::ExportGraph(*g, Path(name), ExchangeFormats::FormatOfFile(name), &error));
        QFile file(Path(name));
        EXPECT_TRUE(file.open(QIODevice::ReadOnly));
        return QString::fromUtf8(file.readAll());
    };
    // GML nodes carry a label beside the name.
    const QString gml = exported("x.gml");
    EXPECT_TRUE(gml.contains("    name \"Alpha\"\n    label \"Alpha\"\n")) << gml.toStdString();
    // Names with blanks or quotes cannot be GraphML ids: the library's n0, n1, ... stay.
    EXPECT_TRUE(exported("x.graphml").contains("<node id=\"n3\">"));
    // Pajek: coordinates in 0..1 with a shape, the largest coordinate kept in a comment.
    const QString pajek = exported("x.net");
    EXPECT_TRUE(pajek.startsWith(
        "% scale 310\n*Vertices 4\n1 \"Alpha\" 0.129032258064516 0.193548387096774 \"ellipse\"\n"))
        << pajek.toStdString();
    // An edge list says that blanks in names became underscores.
    EXPECT_TRUE(exported("x.edgelist").contains("\n# blanks in names are written as _"));

    g = Fresh();
    Plain();
    g->Naming().SetKind(VertexNaming::Manual);
    for (int v = 1; v <= g->VertexCount; ++v)
        g->Naming().SetManualName(v, QStringLiteral("v-%1.é").arg(v));
    const QString graphml = exported("y.graphml");
    EXPECT_TRUE(graphml.contains("<node id=\"v-1.é\">")) << graphml.toStdString();
    EXPECT_TRUE(graphml.contains("<edge source=\"v-2.é\" target=\"v-4.é\">")) << graphml.toStdString();
    EXPECT_FALSE(exported("y.edgelist").contains("blanks"));
    // Read back, the same graph.
    auto back = Fresh();
    ASSERT_TRUE(Import(*back, Path("y.graphml")));
    EXPECT_EQ(ShapeOf(*back), ShapeOf(*g));
    // Ids of 16 characters at most: every edge repeats them.
    g->Naming().SetManualName(1, QStringLiteral("Екатеринбург-123"));
    EXPECT_TRUE(exported("z.graphml").contains("<node id=\"Екатеринбург-123\">"));
    g->Naming().SetManualName(1, QStringLiteral("Екатеринбург-1234"));
    EXPECT_TRUE(exported("z.graphml").contains("<node id=\"n0\">"));
}

} // namespace

TEST(ExchangeImportCommand, IsOneUndoStepListedAmongRecentFilesAndARefusalLeavesNoStep)
{
    QTemporaryDir dir;
    ScriptedHost host;
    GraphSession session(host);
    GraphDocument& d = session.CreateDocument();
    d.StartNewGraph(false, false);
    // The user's own look, which an imported graph is drawn in like every other.
    session.Style().ActiveVertex.BrushColor = 0x336699;
    session.Style().NormalArc.PenSize = 5;
    const DrawingStyle look = session.Style();
    d.AddVertex(50, 50, QString(), d.FreeNameNumber(), d.VertexSize);
    const QString good = dir.filePath("g.dot"), bad = dir.filePath("b.dot");
    for (const auto& [path, text] : {std::pair{good, QByteArray("digraph { a -> b [weight=3]; }")},
                                     std::pair{bad, QByteArray("digraph { a -> }")}}) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
    }
    EXPECT_FALSE(GraphFileCommands::ImportGraphFile(session, bad, Format::Dot));
    EXPECT_FALSE(session.History().CanUndo());
    EXPECT_TRUE(session.RecentFiles().isEmpty());
    ASSERT_TRUE(GraphFileCommands::ImportGraphFile(session, good, Format::Dot));
    EXPECT_EQ(d.VertexCount, 2);
    EXPECT_EQ(d.MatrixEntry(1, 2), 3);
    EXPECT_TRUE(session.RecentFiles().contains(good));
    EXPECT_EQ(d.Style(), look);
    session.Undo();
    EXPECT_EQ(d.VertexCount, 1);
    EXPECT_FALSE(d.Directed);
    session.Redo();
    EXPECT_EQ(d.MatrixEntry(1, 2), 3);
}

TEST(ExchangeImportCommand, WeightsThatDoNotFitAreOfferedToBeLeftOutAsOneUndoStep)
{
    QTemporaryDir dir;
    ScriptedHost host;
    GraphSession session(host);
    GraphDocument& d = session.CreateDocument();
    d.StartNewGraph(false, false);
    d.AddVertex(50, 50, QString(), d.FreeNameNumber(), d.VertexSize);
    const QString path = dir.filePath("hint.dot");
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("digraph {\n a -> b [weight=0];\n b -> c [weight=3];\n}\n");
    file.close();
    // No: nothing changes, and nothing is recorded.
    host.yesNoAnswers = {false};
    EXPECT_FALSE(GraphFileCommands::ImportGraphFile(session, path, Format::Dot));
    ASSERT_EQ(host.questions.size(), 1);
    EXPECT_EQ(host.questions[0], Translate("Exchange_weights_ask")
                                     .arg(1)
                                     .arg(Translate("Exchange_weight_arc_line").arg("a → b", "0").arg(2)));
    EXPECT_TRUE(host.messages.empty());
    EXPECT_EQ(d.VertexCount, 1);
    EXPECT_FALSE(session.History().CanUndo());
    // Yes: the graph without weights, unsaved, taken back in one step.
    host.yesNoAnswers = {true};
    ASSERT_TRUE(GraphFileCommands::ImportGraphFile(session, path, Format::Dot));
    EXPECT_EQ(d.VertexCount, 3);
    EXPECT_FALSE(d.Weighted);
    EXPECT_EQ(d.MatrixEntry(1, 2), 1);
    EXPECT_TRUE(session.HasUnsavedChanges());
    session.Undo();
    EXPECT_EQ(d.VertexCount, 1);
    EXPECT_FALSE(session.History().CanUndo());
}

TEST(ExchangeImportCommand, OpenRefusesANameInNoFormatItKnows)
{
    QTemporaryDir dir;
    ScriptedHost host;
    GraphSession session(host);
    GraphDocument& d = session.CreateDocument();
    d.StartNewGraph(false, false);
    for (const QString& name : {QString("g.gexf"), QString("g.adjlist"), QString("g.gv.gz")}) {
        QFile file(dir.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("0,1\n1,0\n");
        file.close();
        host.messages.clear();
        EXPECT_FALSE(GraphFileCommands::OpenGraphFile(session, dir.filePath(name)));
        ASSERT_EQ(host.messages.size(), 1u);
        EXPECT_EQ(host.messages[0].text, Translate("Exchange_unknown_format").arg(name));
        EXPECT_EQ(d.VertexCount, 0);
        // Asked for outright, the same file is read as a graph file.
        EXPECT_TRUE(GraphFileCommands::OpenGraphFile(session, dir.filePath(name), true));
        EXPECT_EQ(d.VertexCount, 2);
        d.StartNewGraph(false, false);
    }
}
