// The fast GML reader against the igraph library's reader on the same bytes: wherever the fast
// one answers, the answer must be the library's.
#include "files/PlainGml.h"
#include "files/IgraphFormats.h"

#include <QRandomGenerator>
#include <QStringList>
#include <gtest/gtest.h>

#include <algorithm>

namespace {

std::string Describe(const TExchangeGraph& g)
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
            keys << QStringLiteral("name \"%1\"").arg(Pick(random, {"", "a", "Вершина", "x y", "7", "ж1"}));
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

TEST(PlainGml, AnswersAsTheLibraryOnRandomPlainFiles)
{
    QRandomGenerator random(27);
    int answered = 0;
    for (int round = 0; round < 1500; ++round) {
        const QByteArray gml = RandomGml(random);
        TExchangeGraph fast;
        if (!PlainGml::Read(gml, fast))
            continue;
        ++answered;
        TExchangeGraph library;
        QString error;
        ASSERT_TRUE(IgraphFormats::Read(IgraphFormats::Kind::Gml, gml, library, error))
            << error.toStdString() << "\n"
            << gml.toStdString();
        ASSERT_EQ(Describe(fast), Describe(library)) << gml.toStdString();
    }
    // Every generated file is plain: the fast reader must take them all.
    EXPECT_EQ(answered, 1500);
}

TEST(PlainGml, LeavesAnythingBeyondThePlainFormToTheLibrary)
{
    const char* beyond[] = {
        "graph [ node [ id 1 name \"a&amp;b\" ] ]",                        // an entity
        "# comment\ngraph [ node [ id 1 ] ]",                              // a comment
        "graph [ node [ id 1 graphics [ x 1 y 2 ] ] ]",                    // a nested list
        "graph [ node [ id 1 ] node [ id 1 ] ]",                           // a repeated id
        "graph [ node [ id 1 ] edge [ source 1 target 2 ] ]",              // an unknown end
        "graph [ node [ id 1.5 ] ]",                                       // an id not whole
        "graph [ node [ id 1 name 5 ] ]",                                  // a name that is a number
        "graph [ node [ id 1 x \"3\" y 4 ] ]",                             // a position that is text
        "graph [ node [ id 1 ] edge [ source 1 target 1 weight \"w\" ] ]", // a weight that is text
        "graph [ node [ id 1 ] ] graph [ node [ id 2 ] ]",                 // a second graph
        "graph [ directed 2 ]",                                            // a direction not 0 or 1
        "graph [ node [ id 1 name \"a\" name \"b\" ] ]",                   // a repeated key
        "graph [ node [ id 1 ]",                                           // not closed
        "graph [ node [ id 1 x 1e999 y 0 ] ]",                             // a number out of range
        "Version 1",                                                       // no graph
    };
    for (const char* text : beyond) {
        TExchangeGraph out;
        out.Names = {QStringLiteral("kept")};
        EXPECT_FALSE(PlainGml::Read(text, out)) << text;
        EXPECT_EQ(out.Names, QStringList{QStringLiteral("kept")}) << text;
    }
}

// The program's own export of a weighted, directed graph with names and positions is plain.
TEST(PlainGml, ReadsTheProgramsOwnExport)
{
    TExchangeGraph graph;
    graph.Directed = true;
    graph.Weighted = true;
    graph.Names = {QStringLiteral("Москва"), QStringLiteral("b c"), QStringLiteral("3")};
    graph.Positions = {{10, 20}, {30.5, 40}, {-5, 0}};
    graph.Edges = {{0, 1, 7}, {1, 2, 0.5}, {2, 0, 50000}};
    QByteArray gml;
    QString error;
    ASSERT_TRUE(IgraphFormats::Write(IgraphFormats::Kind::Gml, graph, gml, error)) << error.toStdString();
    TExchangeGraph fast, library;
    ASSERT_TRUE(PlainGml::Read(gml, fast)) << gml.toStdString();
    ASSERT_TRUE(IgraphFormats::Read(IgraphFormats::Kind::Gml, gml, library, error));
    EXPECT_EQ(Describe(fast), Describe(library));
    EXPECT_EQ(fast.Names, graph.Names);
    ASSERT_EQ(fast.Edges.size(), 3u);
    EXPECT_EQ(fast.Edges[1].Weight, 0.5);
}

} // namespace
