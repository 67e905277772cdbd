// The fast GML and edge-list readers against the igraph library's readers on the same bytes:
// wherever a fast one answers, the answer must be the library's.
#include "files/DotFile.h"
#include "files/IgraphFormats.h"
#include "files/PlainDot.h"
#include "files/PlainEdgeList.h"
#include "files/PlainGml.h"
#include "files/PlainGraphml.h"

#include <QRandomGenerator>
#include <QStringList>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace {

std::string Describe(const ExchangeGraph& g)
{
    QString text = QStringLiteral("%1%2 missing=%3 [%4]")
                       .arg(g.Directed ? "directed" : "undirected", g.Weighted ? " weighted" : "")
                       .arg(g.MissingWeights)
                       .arg(g.Names.join(QLatin1Char('|')));
    for (const QPointF& p : g.Positions)
        text += QStringLiteral(" (%1,%2)").arg(p.x()).arg(p.y());
    for (const auto& e : g.Edges) {
        // The library keeps an undirected edge's ends in an order of its own.
        const int a = g.Directed ? e.From : std::min(e.From, e.To),
                  b = g.Directed ? e.To : std::max(e.From, e.To);
        text += QStringLiteral(" %1-%2:%3/%4/%5")
                    .arg(a)
                    .arg(b)
                    .arg(e.Weight, 0, 'g', 17)
                    .arg(e.BothWays)
                    .arg(e.Line);
    }
    text += QStringLiteral(" mixed=%1 other=%2 hyper=%3 entities=%4")
                .arg(g.Mixed)
                .arg(g.OtherGraphs)
                .arg(g.Hyperedges)
                .arg(g.UnreadEntities);
    return text.toStdString();
}

QString Pick(QRandomGenerator& random, const QStringList& choices)
{
    return choices[int(random.bounded(choices.size()))];
}

// A GML text as other tools write it: ids in any order, names, labels or neither, positions
// on all or some nodes, weights integer, real or missing, keys in any order, foreign keys,
// edges before nodes, loops and parallel edges, any blanks between tokens.
QByteArray RandomGml(QRandomGenerator& random)
{
    const QString gap = Pick(random, {" ", "\n", "\n  ", "\t", " \r\n "});
    const int n = int(random.bounded(7));
    QList<int> ids;
    for (int v = 0; v < n; ++v)
        ids.append(int(random.bounded(-5, 40)));
    std::sort(ids.begin(), ids.end());
    ids.erase(std::unique(ids.begin(), ids.end()), ids.end());
    std::shuffle(ids.begin(), ids.end(), random);
    const int positions = int(random.bounded(3)); // none, all, some
    const int weights = int(random.bounded(3));   // none, all, some
    QStringList records;
    for (int id : ids) {
        QStringList keys{QStringLiteral("id %1").arg(id)};
        if (random.bounded(3) > 0)
            keys << QStringLiteral("name \"%1\"")
                        .arg(Pick(random, {"", "a", "Вершина", "x y", "7", "ж1", "a&quot;b",
                                           "&amp;&amp;quot;", "q&quot;"}));
        if (random.bounded(2))
            keys << QStringLiteral("label \"%1\"").arg(Pick(random, {"", "L", "метка"}));
        if (positions == 1 || (positions == 2 && random.bounded(2)))
            keys << QStringLiteral("x %1").arg(Pick(random, {"10", "-3.5", "1e2", "0"}))
                 << QStringLiteral("y %1").arg(Pick(random, {"20", "4.25", "+7", "0"}));
        if (random.bounded(3) == 0)
            keys << Pick(random, {"value 3", "comment \"c\"", "weight 9", "size 1.5"});
        std::shuffle(keys.begin(), keys.end(), random);
        records << QStringLiteral("node [") + gap + keys.join(gap) + gap + QLatin1Char(']');
    }
    for (int k = ids.isEmpty() ? 0 : int(random.bounded(9)); k > 0; --k) {
        QStringList keys{QStringLiteral("source %1").arg(ids[int(random.bounded(ids.size()))]),
                         QStringLiteral("target %1").arg(ids[int(random.bounded(ids.size()))])};
        if (weights == 1 || (weights == 2 && random.bounded(2)))
            keys << QStringLiteral("weight %1").arg(Pick(random, {"5", "2.5", "-1", "50000", "1e3", "0"}));
        if (random.bounded(4) == 0)
            keys << Pick(random, {"id 100", "label \"e\"", "value 2"});
        std::shuffle(keys.begin(), keys.end(), random);
        records << QStringLiteral("edge [") + gap + keys.join(gap) + gap + QLatin1Char(']');
    }
    if (random.bounded(3) == 0)
        std::shuffle(records.begin(), records.end(), random);
    if (random.bounded(2))
        records.prepend(Pick(random, {"directed 0", "directed 1"}));
    if (random.bounded(3) == 0)
        records.prepend(QStringLiteral("label \"g\""));
    QString text =
        QStringLiteral("graph") + gap + QLatin1Char('[') + gap + records.join(gap) + gap + QLatin1Char(']');
    if (random.bounded(2))
        text.prepend(QStringLiteral("Creator \"t\"") + gap + QStringLiteral("Version 1") + gap);
    return text.toUtf8();
}

// Reads random files with a fast reader and with the library's: wherever the fast one answers,
// the answers must be the same. Every generated file is plain, so the fast one must take all.
template <typename Make, typename Fast, typename Library>
void ExpectTheLibrarysAnswers(quint32 seed, Make make, Fast fast, Library library)
{
    QRandomGenerator random(seed);
    constexpr int rounds = 1500;
    int answered = 0;
    for (int round = 0; round < rounds; ++round) {
        const QByteArray bytes = make(random);
        ExchangeGraph quick;
        if (!fast(bytes, quick))
            continue;
        ++answered;
        ExchangeGraph slow;
        FileError error;
        ASSERT_TRUE(library(bytes, slow, error)) << error.Text().toStdString() << "\n" << bytes.toStdString();
        ASSERT_EQ(Describe(quick), Describe(slow)) << bytes.toStdString();
    }
    EXPECT_EQ(answered, rounds);
}

TEST(PlainGml, AnswersAsTheLibraryOnRandomPlainFiles)
{
    ExpectTheLibrarysAnswers(27, RandomGml, PlainGml::Read,
                             [](const QByteArray& bytes, ExchangeGraph& out, FileError& error) {
                                 return IgraphFormats::Read(IgraphFormats::Kind::Gml, bytes, out, error);
                             });
}

TEST(PlainGml, LeavesAnythingBeyondThePlainFormToTheLibrary)
{
    const char* beyond[] = {
        "graph [ node [ id 1 name \"a&lt;b\" ] ]",            // an entity the library does not write
        "# comment\ngraph [ node [ id 1 ] ]",                 // a comment
        "graph [ node [ id 1 graphics [ x 1 y 2 ] ] ]",       // a nested list
        "graph [ node [ id 1 ] node [ id 1 ] ]",              // a repeated id
        "graph [ node [ id 1 ] edge [ source 1 target 2 ] ]", // an unknown end
        "graph [ node [ id 1.5 ] ]",                          // an id not whole
        "graph [ node [ id 1 name 5 ] ]",                     // a name that is a number
        "graph [ node [ id 1 x \"3\" y 4 ] ]",                // a position that is text
        "graph [ node [ id 1 ] edge [ source 1 target 1 weight \"w\" ] ]", // a weight that is text
        "graph [ node [ id 1 ] ] graph [ node [ id 2 ] ]",                 // a second graph
        "graph [ directed 2 ]",                                            // a direction not 0 or 1
        "graph [ node [ id 1 name \"a\" name \"b\" ] ]",                   // a repeated key
        "graph [ node [ id 1 ]",                                           // not closed
        "graph [ node [ id 1 x 1e999 y 0 ] ]",                             // a number out of range
        "Version 1",                                                       // no graph
    };
    for (const char* text : beyond) {
        ExchangeGraph out;
        out.Names = {QStringLiteral("kept")};
        EXPECT_FALSE(PlainGml::Read(text, out)) << text;
        EXPECT_EQ(out.Names, QStringList{QStringLiteral("kept")}) << text;
    }
}

// The program's own export of a weighted, directed graph with names and positions is plain.
TEST(PlainGml, ReadsTheProgramsOwnExport)
{
    ExchangeGraph graph;
    graph.Directed = true;
    graph.Weighted = true;
    graph.Names = {QStringLiteral("Москва"), QStringLiteral("b \"c\" & d"), QStringLiteral("3")};
    graph.Positions = {{10, 20}, {30.5, 40}, {-5, 0}};
    graph.Edges = {{0, 1, 7}, {1, 2, 0.5}, {2, 0, 50000}};
    QByteArray gml;
    FileError error;
    ASSERT_TRUE(IgraphFormats::Write(IgraphFormats::Kind::Gml, graph, gml, error))
        << error.Text().toStdString();
    ExchangeGraph fast, library;
    ASSERT_TRUE(PlainGml::Read(gml, fast)) << gml.toStdString();
    ASSERT_TRUE(IgraphFormats::Read(IgraphFormats::Kind::Gml, gml, library, error));
    EXPECT_EQ(Describe(fast), Describe(library));
    EXPECT_EQ(fast.Names, graph.Names);
    ASSERT_EQ(fast.Edges.size(), 3u);
    EXPECT_EQ(fast.Edges[1].Weight, 0.5);
}

// An edge list as people and tools write it: names of any letters, numbers as names, weights
// in every plain notation or missing, blank lines, tabs and CR LF, our header or none, a
// header listing isolated vertices, loops and parallel edges.
QByteArray RandomEdgeList(QRandomGenerator& random)
{
    const QStringList names{"a", "b", "Вершина", "7", "x_y", "ж", "1.5", "-"};
    QStringList lines;
    if (random.bounded(2))
        lines << Pick(random, {"# directed", "# undirected", "#Directed", "  # a note"});
    if (random.bounded(2)) {
        QStringList listed;
        for (int k = int(random.bounded(5)); k > 0; --k)
            listed << Pick(random, names + QStringList{"lone", "одна"});
        lines << QStringLiteral("# vertices: ") + listed.join(Pick(random, {" ", "  "}));
    }
    const bool weighted = random.bounded(2), some = random.bounded(3) == 0;
    for (int k = int(random.bounded(10)); k > 0; --k) {
        const QString gap = Pick(random, {" ", "\t", "  ", " \t "});
        QString line = Pick(random, names) + gap + Pick(random, names);
        if (weighted && (!some || random.bounded(2)))
            line += gap + Pick(random, {"5", "2.5", "-1", "1e3", "+4", ".5", "50000", "0"});
        if (random.bounded(4) == 0)
            line = Pick(random, {" ", "\t"}) + line + Pick(random, {" ", "\r"});
        lines << line;
        if (random.bounded(6) == 0)
            lines << QString();
    }
    return lines.join(QLatin1Char('\n')).toUtf8() + (random.bounded(2) ? "\n" : "");
}

// GraphML as tools write it: keys of every type under any ids, some with defaults, keys the
// graph does not use (one holding another program's markup), nodes with some data or none,
// ids of any text, names with entities, CDATA and blanks, edges among the nodes, edges
// that repeat the graph's direction, comments and descriptions.
QByteArray RandomGraphml(QRandomGenerator& random)
{
    const QString gap = Pick(random, {"", "\n", "\n  ", " "});
    QStringList keys;
    struct Declared {
        QString id, name, type, domain;
    };
    std::vector<Declared> declared;
    auto declare = [&](const QString& name, const QString& domain, const QStringList& types) {
        if (random.bounded(4) == 0)
            return;
        const QString id = Pick(random, {"d", "k_", "key"}) + QString::number(declared.size());
        const QString type = Pick(random, types);
        QString key = QStringLiteral("<key id=\"%1\" for=\"%2\" attr.name=\"%3\" attr.type=\"%4\"")
                          .arg(id, domain, name, type);
        if (random.bounded(4) == 0) {
            const QString value = type == "string"                  ? Pick(random, {"", "dflt"})
                                  : type == "boolean"               ? QStringLiteral("true")
                                  : type == "int" || type == "long" ? Pick(random, {"3", "-2"})
                                                                    : Pick(random, {"1.5", "7", "2e1"});
            key += QStringLiteral("><default>%1</default></key>").arg(value);
        } else {
            key += QStringLiteral("/>");
        }
        keys << key;
        declared.push_back({id, name, type, domain});
    };
    declare("name", "node", {"string"});
    declare("label", "node", {"string"});
    declare("x", "node", {"double", "int", "float"});
    declare("y", "node", {"double", "long"});
    declare("weight", "edge", {"double", "int"});
    declare("colour", Pick(random, {"node", "edge", "all"}), {"string", "boolean", "double"});
    declare("graphics", "node", {"string"});
    std::shuffle(keys.begin(), keys.end(), random);
    auto dataFor = [&](const QString& domain) {
        QStringList data;
        for (const auto& key : declared) {
            if ((key.domain != domain && key.domain != "all") || random.bounded(3) == 0)
                continue;
            QString value;
            if (key.name == "graphics")
                value = QStringLiteral("<y:Shape xmlns:y=\"urn:y\"><y:Fill c=\"1\"/>t</y:Shape>");
            else if (key.type == "string")
                value = Pick(random, {"", "a", "Вершина", "x &amp; y", "<![CDATA[<c>]]>", " s ", "7"});
            else if (key.type == "boolean")
                value = Pick(random, {"true", "false"});
            else if (key.type == "int" || key.type == "long")
                value = Pick(random, {"5", "-1", "50000", "0"});
            else
                value = Pick(random, {"5", "2.5", "-1", "1e3", "0.125"});
            data << QStringLiteral("<data key=\"%1\">%2</data>").arg(key.id, value);
        }
        std::shuffle(data.begin(), data.end(), random);
        return data.join(gap);
    };
    const bool directed = random.bounded(2);
    QStringList ids;
    for (int v = int(random.bounded(6)); v > 0; --v) {
        const QString id = Pick(random, {"n", "v", "узел", "a b", ""}) + QString::number(ids.size());
        ids << id;
    }
    QStringList elements;
    for (const QString& id : ids)
        elements << QStringLiteral("<node id=\"%1\">").arg(id) + dataFor("node") + QStringLiteral("</node>");
    for (int k = ids.isEmpty() ? 0 : int(random.bounded(8)); k > 0; --k) {
        QString edge = QStringLiteral("<edge source=\"%1\" target=\"%2\"")
                           .arg(ids[int(random.bounded(ids.size()))], ids[int(random.bounded(ids.size()))]);
        if (random.bounded(4) == 0)
            edge += directed ? QStringLiteral(" directed=\"true\"") : QStringLiteral(" directed=\"false\"");
        elements << edge + QLatin1Char('>') + dataFor("edge") + QStringLiteral("</edge>");
    }
    if (random.bounded(3) == 0)
        elements.insert(int(random.bounded(elements.size() + 1)), QStringLiteral("<desc>d</desc><!-- c -->"));
    return (QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                           "<graphml xmlns=\"http://graphml.graphdrawing.org/xmlns\">") +
            gap + keys.join(gap) + gap +
            (!directed && random.bounded(4) == 0 ? QStringLiteral("<graph>")
                                                 : QStringLiteral("<graph id=\"G\" edgedefault=\"%1\">")
                                                       .arg(directed ? "directed" : "undirected")) +
            gap + elements.join(gap) + gap + QStringLiteral("</graph></graphml>\n"))
        .toUtf8();
}

TEST(PlainGraphml, AnswersAsTheLibraryOnRandomPlainFiles)
{
    ExpectTheLibrarysAnswers(29, RandomGraphml, PlainGraphml::Read,
                             [](const QByteArray& bytes, ExchangeGraph& out, FileError& error) {
                                 return IgraphFormats::Read(IgraphFormats::Kind::GraphML, bytes, out, error);
                             });
}

TEST(PlainGraphml, LeavesAnythingBeyondThePlainFormToTheLibrary)
{
    const QByteArray head = "<graphml><key id=\"w\" for=\"edge\" attr.name=\"weight\" attr.type=\"double\"/>"
                            "<graph edgedefault=\"directed\"><node id=\"a\"/><node id=\"b\"/>";
    const QByteArray beyond[] = {
        "<!DOCTYPE g [<!ENTITY e \"x\">]>" + head + "</graph></graphml>",                // a document type
        head + "<edge source=\"a\" target=\"b\" directed=\"false\"/></graph></graphml>", // a mixed graph
        head + "<hyperedge><endpoint node=\"a\"/></hyperedge></graph></graphml>",
        head + "<node id=\"a\"/></graph></graphml>",                  // a repeated id
        head + "<edge source=\"a\" target=\"c\"/></graph></graphml>", // an unknown end
        head + "<edge source=\"a\" target=\"b\"><data key=\"w\">heavy</data></edge></graph></graphml>",
        head + "<edge source=\"a\" target=\"b\"><data key=\"q\">1</data></edge></graph></graphml>",
        head + "</graph><graph edgedefault=\"directed\"/></graphml>", // a second graph
        head + "<node id=\"c\"><graph edgedefault=\"directed\"/></node></graph></graphml>",
        head + "</graph>",                                                         // not closed
        "<graphml><graph edgedefault=\"both\"><node id=\"a\"/></graph></graphml>", // an unknown direction
    };
    for (const QByteArray& text : beyond) {
        ExchangeGraph out;
        out.Names = {QStringLiteral("kept")};
        EXPECT_FALSE(PlainGraphml::Read(text, out)) << text.toStdString();
        EXPECT_EQ(out.Names, QStringList{QStringLiteral("kept")}) << text.toStdString();
    }
}

// DOT as tools write it: names plain, numeric, quoted, with escaped quotes or other letters;
// node statements with positions and other attributes; edges with weights, numeric or other
// labels, several attribute lists; graph attributes; blank lines and CR LF.
QByteArray RandomDot(QRandomGenerator& random)
{
    const bool directed = random.bounded(2);
    const QStringList names{"a",  "_x1",     "1",           "-2",   ".5",
                            "3.", "\"a b\"", "\"Вершина\"", "Узел", "\"q\\\"uote\""};
    const QString eol = Pick(random, {"\n", "\r\n"});
    QStringList lines{(directed ? Pick(random, {"digraph G {", "DiGraph \"name\" {", "digraph{"})
                                : Pick(random, {"graph {", "graph g1 {", "Graph\t\"x\" {"}))};
    for (int k = int(random.bounded(12)); k > 0; --k) {
        const QString indent = Pick(random, {"", "  ", "\t"});
        switch (random.bounded(6)) {
        case 0:
            lines << indent + Pick(random, names) +
                         Pick(random, {"", " [pos=\"10,20!\"]", " [label=\"l\", pos=\"1.5,-2\"]",
                                       " [color=red][pos=\"3,4\"]", " [pos=\" 7 , 8 \"]"}) +
                         QLatin1Char(';');
            break;
        case 1:
            lines << indent + Pick(random, {"rankdir=LR;", "label=\"t\";", "size=\"4,4\";"});
            break;
        case 2:
            lines << QString();
            break;
        default:
            lines << indent + Pick(random, names) + (directed ? " -> " : " -- ") + Pick(random, names) +
                         Pick(random,
                              {"", " [weight=5]", " [label=\"7\"]", " [label=x]", " [weight=\" 2.5 \"]",
                               " [weight=0]", " [weight=\"\", label=3]", " [color=blue; weight=4]",
                               " [weight=w]", " [label=\"1e3\"][color=red]"}) +
                         QLatin1Char(';');
        }
    }
    lines << QStringLiteral("}");
    return (lines.join(eol) + (random.bounded(2) ? eol : QString())).toUtf8();
}

TEST(PlainDot, AnswersAsCgraphOnRandomPlainFiles)
{
    ExpectTheLibrarysAnswers(31, RandomDot, PlainDot::Read, DotFile::Read);
}

TEST(PlainDot, LeavesAnythingBeyondThePlainFormToCgraph)
{
    const char* beyond[] = {
        "digraph { a -> b -> c; }",        // not a statement a line
        "digraph {\na -> b -> c;\n}",      // a chain
        "digraph {\na -> b\n}",            // no ";"
        "digraph {\n// note\na;\n}",       // a comment
        "digraph {\nsubgraph s { a; }\n}", // a subgraph
        "digraph {\nedge [weight=2];\n}",  // defaults
        "digraph {\na:p -> b;\n}",         // a port
        "digraph {\na [label=<b>];\n}",    // an HTML string
        "strict digraph {\na -> b;\n}",    // strict
        "digraph {\ncharset=latin1;\n}",   // a character set
        "digraph {\na -- b;\n}",           // the wrong edge
        "digraph {\na -> b [key=k];\n}",   // an edge key
        "digraph {\n}\ndigraph {\n}",      // a second graph
        "digraph {\n\"a\nb\";\n}",         // a string over two lines
        "digraph {\na;",                   // not closed
    };
    for (const char* text : beyond) {
        ExchangeGraph out;
        out.Names = {QStringLiteral("kept")};
        EXPECT_FALSE(PlainDot::Read(text, out)) << text;
        EXPECT_EQ(out.Names, QStringList{QStringLiteral("kept")}) << text;
    }
}

// The quick number reader gives what Qt's does, on texts of the characters numbers are made of
// and of a few others.
TEST(ReadNumber, ReadsAsQtDoes)
{
    QRandomGenerator random(33);
    const QString alphabet = QStringLiteral("0123456789.+-eE x,");
    for (int round = 0; round < 20000; ++round) {
        QString text;
        for (int k = int(random.bounded(1, 9)); k > 0; --k)
            text += alphabet[int(random.bounded(round % 2 ? 14 : alphabet.size()))];
        if (round % 7 == 0)
            text = Pick(random, {"1e999", "-1e999", "1e-999", "4.9e-324", "1.7976931348623157e308", "0.1",
                                 "inf", "nan"});
        bool ok = false;
        const double expected = text.toDouble(&ok);
        double value = -7;
        ASSERT_EQ(ReadNumber(text, value), ok) << text.toStdString();
        if (ok) {
            ASSERT_TRUE(value == expected || (std::isnan(value) && std::isnan(expected)))
                << text.toStdString();
        }
    }
}

TEST(PlainEdgeList, AnswersAsTheLibraryOnRandomPlainFiles)
{
    ExpectTheLibrarysAnswers(14, RandomEdgeList, PlainEdgeList::Read,
                             [](const QByteArray& bytes, ExchangeGraph& out, FileError& error) {
                                 return IgraphFormats::Read(IgraphFormats::Kind::EdgeList, bytes, out, error);
                             });
}

TEST(PlainEdgeList, LeavesAnythingElseToTheLibrary)
{
    const char* beyond[] = {
        "a b 1 2",    // four fields
        "a\nb c",     // one field
        "a b w",      // a weight that is not a number
        "a b 0x10",   // nor in hexadecimal
        "a b inf",    // nor infinite
        "a b 1e999",  // nor out of range
        "a\x01 b 1",  // a control character
        "a b 1\fc d", // a form feed
    };
    for (const char* text : beyond) {
        ExchangeGraph out;
        out.Names = {QStringLiteral("kept")};
        EXPECT_FALSE(PlainEdgeList::Read(text, out)) << text;
        EXPECT_EQ(out.Names, QStringList{QStringLiteral("kept")}) << text;
    }
}

} // namespace
