#include "algorithms/Colouring.h"
#include "AlgorithmFixture.h"
#include "GraphFixtures.h"
#include "IgraphOracle.h"
#include "ScriptedHost.h"
#include "TestFolders.h"
#include "algorithms/ChromaticNumber.h"
#include "algorithms/RunAlgorithm.h"
#include "base/ProgramPaths.h"
#include "base/TranslationManager.h"
#include "drawing/Colors.h"
#include "files/MatrixText.h"

#include <QRandomGenerator>
#include <QSet>
#include <QTemporaryDir>
#include <cmath>
#include <functional>
#include <gtest/gtest.h>

namespace {

constexpr int Red = 255, Green = 32768, Blue = 16711680;

struct Colourings : AlgorithmFixture {
    QRandomGenerator random{5};

    void Build(const QStringList& matrix)
    {
        g = MakeGraf(false, false);
        ASSERT_TRUE(MatrixText::ApplyTextMatrix(*g, host, matrix));
    }
    // The report the run leaves, presented as the dispatcher does.
    QString Report(const AlgorithmResult& result)
    {
        PresentResult(*g, host, host.panes, result, false);
        return host.panes.Report.GetContent();
    }
    static QString Steps(std::initializer_list<std::pair<int, int>> steps)
    {
        QString text = "Ход решения:<br>";
        for (auto [v, c] : steps)
            text += QString("Вершине %1 присвоен цвет %2;<br>").arg(v).arg(c);
        return text + "<br>";
    }
};

// Triangle 1-2-3 with a pendant vertex 4 on 3; lists 1:[2,3], 2:[1,3], 3:[1,2,4], 4:[3].
const QStringList triangleWithPendant = {"0,1,1,0", "1,0,1,0", "1,1,0,1", "0,0,1,0"};

// The colours the greedy colouring used, from its verdict line; -1 without one.
int Verdict(const AlgorithmResult& result)
{
    const QString line = result.PaneLines().value(0);
    for (int k = 1; k <= GraphDocument::MaxVertices; ++k)
        if (line == Translate("Greedy_colours_used").arg(k))
            return k;
    return -1;
}

QStringList VerdictLines(int greedy, int chromatic)
{
    return {Translate("Greedy_colours_used").arg(greedy),
            Translate("Hrom_number") + QString::number(chromatic) + "."};
}

// The verdicts as the report shows them: the greedy count bold, the chromatic number below.
QString Verdicts(int greedy, int chromatic)
{
    const QStringList lines = VerdictLines(greedy, chromatic);
    return "<b>" + lines[0] + "</b><br>" + lines[1] + "<br>";
}

} // namespace

TEST_F(Colourings, ByDegreeOrdersByTheExchangeSort)
{
    Build(triangleWithPendant);
    const AlgorithmResult result = ColourByDegree(*g, false, &random);
    // The first swap exchanges 1 and 3, which moves 1 behind 2: order 3, 2, 1, 4.
    EXPECT_EQ(Report(result), Verdicts(3, 3) + Steps({{3, 1}, {2, 2}, {1, 3}, {4, 2}}));
    EXPECT_EQ(host.panes.Text.Lines(), VerdictLines(3, 3));
    EXPECT_EQ(host.shownReport, host.panes.Report.GetFileName());
    EXPECT_TRUE(result.drawsPicture);
    EXPECT_TRUE(result.picture.arcs.empty());
    EXPECT_EQ(result.picture.vertexFills, (std::vector<int>{-1, Blue, Green, Red, Green}));
    EXPECT_TRUE(result.route.empty());
}

TEST_F(Colourings, BreadthFirstStartsAtTheFirstVertexOfGreatestDegree)
{
    Build(triangleWithPendant);
    const AlgorithmResult result = ColourBreadthFirst(*g, false, &random);
    EXPECT_EQ(Report(result), Verdicts(3, 3) + Steps({{3, 1}, {1, 2}, {2, 3}, {4, 2}}));
    EXPECT_EQ(result.picture.vertexFills, (std::vector<int>{-1, Green, Blue, Red, Green}));
}

TEST_F(Colourings, ArclessGraphIsAllRedAndTheStartIsColouredTwice)
{
    Build({"0,0,0", "0,0,0", "0,0,0"});
    const AlgorithmResult breadth = ColourBreadthFirst(*g, false, &random);
    EXPECT_EQ(Report(breadth), Verdicts(1, 1) + Steps({{1, 1}, {1, 1}, {2, 1}, {3, 1}}));
    EXPECT_EQ(breadth.picture.vertexFills, (std::vector<int>{-1, Red, Red, Red}));
    const AlgorithmResult degree = ColourByDegree(*g, false, &random);
    EXPECT_EQ(Report(degree), Verdicts(1, 1) + Steps({{1, 1}, {2, 1}, {3, 1}}));
}

TEST_F(Colourings, FurtherComponentsStartUncolouredFromTheirLowestVertex)
{
    // Edge 1-2, and the star 4 with 3 and 5, where the run starts. The root 1 of the second
    // component is coloured only when its neighbour 2 is taken from the queue.
    Build({"0,1,0,0,0", "1,0,0,0,0", "0,0,0,1,0", "0,0,1,0,1", "0,0,0,1,0"});
    const AlgorithmResult result = ColourBreadthFirst(*g, true, &random);
    EXPECT_EQ(Report(result), Verdicts(2, 2) + Steps({{4, 1}, {3, 2}, {5, 2}, {2, 1}, {1, 2}}));

    // The trace: the start, the queue worked through, and every colouring with the colours
    // its neighbours forbid.
    const StepTrace& trace = result.steps;
    QStringList keys;
    for (int i = 0; i < trace.FrameCount(); ++i)
        keys.append(trace.NarrationOf(i).key);
    EXPECT_EQ(keys, QStringList({"step_colour_start", "step_colour_take", "step_colour_vertex",
                                 "step_colour_vertex", "step_colour_take", "step_colour_take",
                                 "step_colour_component", "step_colour_take", "step_colour_vertex",
                                 "step_colour_take", "step_colour_vertex", "step_colour_take",
                                 "step_colour_done"}));
    const StepTrace::Frame colouringOne = trace.FrameAt(10);
    EXPECT_EQ(trace.CaptionString(colouringOne.captions[1]), "≠1 → 2");
    EXPECT_EQ(colouringOne.vertices[1], StepTrace::VertexState::Current);
    const StepTrace::Frame last = trace.FrameAt(trace.FrameCount() - 1);
    for (int v = 1; v <= 5; ++v)
        EXPECT_EQ(last.captions[v].kind, StepTrace::Caption::Kind::Number) << v;
    EXPECT_EQ(last.captions[4].value, 1);
    EXPECT_EQ(last.captions[1].value, 2);
    EXPECT_EQ(StepTrace::Narration(trace.FrameAt(12), [&](int v) { return g->VertexName(v); }),
              Translate("step_colour_done").arg(2));
}

TEST_F(Colourings, CaptionsWriteRunsOfForbiddenColoursAsRanges)
{
    // 1, 2, 3 joined to each other and to 4, 5, 6; 5 joined to 6. By decreasing degree 1, 2, 3,
    // 5, 6, 4 get 1, 2, 3, 4, 5, 4.
    Build({"0,1,1,1,1,1", "1,0,1,1,1,1", "1,1,0,1,1,1", "1,1,1,0,0,0", "1,1,1,0,0,1", "1,1,1,0,1,0"});
    const AlgorithmResult result = ColourByDegree(*g, true, &random);
    const StepTrace& trace = result.steps;
    QStringList captions;
    for (int i = 1; i + 1 < trace.FrameCount(); ++i) {
        const StepTrace::Frame frame = trace.FrameAt(i);
        const int v = frame.arguments[0].value;
        captions.append(QString("%1:%2").arg(v).arg(trace.CaptionString(frame.captions[v])));
    }
    EXPECT_EQ(captions, QStringList({"2:≠1 → 2", "3:≠1,2 → 3", "5:≠1–3 → 4", "6:≠1–4 → 5", "4:≠1–3 → 4"}));
}

TEST_F(Colourings, DispatcherDrawsTheColouringWithoutTheCommonTail)
{
    Build(triangleWithPendant);
    g->Directed = true;
    AlgorithmRun run;
    RunAlgorithm(*g, host, host.panes, "FindColors", 0, 0, &run);
    EXPECT_EQ(host.MessageTexts(), QStringList{Translate("Not_ortgraf")});
    EXPECT_FALSE(run.ran);

    g->Directed = false;
    host.messages.clear();
    host.redraws = 0;
    RunAlgorithm(*g, host, host.panes, "FindColorsAlternativ", 0, 0, &run, {.recordSteps = true});
    EXPECT_TRUE(run.ran);
    EXPECT_TRUE(host.messages.empty());
    EXPECT_EQ(host.redraws, 0);
    EXPECT_GT(run.result.steps.FrameCount(), 4);
    EXPECT_EQ(host.panes.Text.Lines(), VerdictLines(3, 3));
    // The picture fills each vertex with its colour: vertex 3 red, vertex 1 blue.
    const QImage picture = RenderResultPicture(*g, run.result.picture, g->CanvasSize(host.DrawingArea()));
    ASSERT_FALSE(picture.isNull());
    const auto fillAt = [&](int v) {
        return picture.pixelColor(g->Vertices[v].X, g->Vertices[v].Y + g->Vertices[v].Size - 3);
    };
    EXPECT_EQ(fillAt(3), ColorFromInt(Red));
    EXPECT_EQ(fillAt(1), ColorFromInt(Blue));
    EXPECT_EQ(fillAt(4), ColorFromInt(Green));

    RunAlgorithm(*g, host, host.panes, "FindColors", 0, 0, &run);
    EXPECT_TRUE(run.ran);
    EXPECT_EQ(run.result.picture.vertexFills, (std::vector<int>{-1, Green, Blue, Red, Green}));
    EXPECT_TRUE(
        host.panes.Report.GetContent().contains("Вершине 3 присвоен цвет 1;<br>Вершине 1 присвоен цвет 2;"));
    EXPECT_EQ(host.redraws, 0);
}

TEST(ColourPalette, FixedSixThenReadableDistinctColours)
{
    QRandomGenerator random(11);
    const int text = 0xFF0000; // the vertex style's blue text
    const std::vector<int> palette = ColourPalette(255, random, text);
    ASSERT_EQ(palette.size(), 256u);
    EXPECT_EQ(std::vector<int>(palette.begin() + 1, palette.begin() + 7),
              (std::vector<int>{255, 32768, 16711680, 65535, 0x800080, 0}));
    QSet<int> seen(palette.begin() + 1, palette.end());
    EXPECT_EQ(seen.size(), 255);

    const auto luminance = [](int colour) {
        const QColor c = ColorFromInt(colour);
        const auto lin = [](double x) {
            return x <= 0.04045 ? x / 12.92 : std::pow((x + 0.055) / 1.055, 2.4);
        };
        return 0.2126 * lin(c.redF()) + 0.7152 * lin(c.greenF()) + 0.0722 * lin(c.blueF());
    };
    const auto distance = [](int a, int b) {
        const QColor x = ColorFromInt(a), y = ColorFromInt(b);
        return std::hypot(x.red() - y.red(), x.green() - y.green(), x.blue() - y.blue());
    };
    for (int k = 7; k <= 255; ++k) {
        const double l = luminance(palette[k]), t = luminance(text);
        EXPECT_GE((std::max(l, t) + 0.05) / (std::min(l, t) + 0.05), 3.0) << k;
    }
    // The first colours beyond the fixed six, the ones a real graph needs, stay well apart from
    // each other and from the fixed ones.
    for (int a = 1; a <= 18; ++a)
        for (int b = std::max(a + 1, 7); b <= 18; ++b)
            EXPECT_GT(distance(palette[a], palette[b]), 45.0) << a << " " << b;

    // No colour looks like an uncoloured (white) vertex.
    for (int k = 1; k <= 60; ++k)
        EXPECT_GT(distance(palette[k], 0xFFFFFF), 45.0) << k;

    // Light text gets dark fills.
    const std::vector<int> dark = ColourPalette(40, random, 0xFFFFFF);
    for (int k = 7; k <= 40; ++k)
        EXPECT_LT(luminance(dark[k]), 0.3) << k;

    // The same seed gives the same colours; another seed others.
    QRandomGenerator again(11), other(12);
    EXPECT_EQ(ColourPalette(255, again, text), palette);
    EXPECT_NE(ColourPalette(8, other, text), std::vector<int>(palette.begin(), palette.begin() + 9));
}

TEST_F(Colourings, ColouringsAreProperOnRandomGraphs)
{
    QRandomGenerator graphs(2024);
    for (int round = 0; round < 300; ++round) {
        const int n = int(graphs.bounded(1, 14));
        g = MakeGraf(false, false, n);
        const int density = int(graphs.bounded(1, 5));
        for (int a = 1; a <= n; ++a)
            for (int b = a + 1; b <= n; ++b)
                if (int(graphs.bounded(5)) < density)
                    g->AddArc(a, b, 1);
        IgraphCopy copy(*g);
        igraph_integer_t cliqueNumber = 0;
        ASSERT_EQ(igraph_clique_number(copy.graph.Get(), &cliqueNumber), IGRAPH_SUCCESS);
        int maxDegree = 0;
        for (int v = 1; v <= n; ++v)
            maxDegree = std::max(maxDegree, g->OutCount(v));

        for (const AlgorithmResult& result :
             {ColourBreadthFirst(*g, false, &random), ColourByDegree(*g, false, &random)}) {
            const std::vector<int>& fills = result.picture.vertexFills;
            ASSERT_EQ(int(fills.size()), n + 1);
            const int colours = Verdict(result);
            EXPECT_GE(colours, std::max<int>(1, int(cliqueNumber)));
            EXPECT_LE(colours, maxDegree + 1);
            // Greedy colours are used without gaps: as many fills as the verdict says.
            EXPECT_EQ(QSet<int>(fills.begin() + 1, fills.end()).size(), colours);
            for (int a = 1; a <= n; ++a)
                for (int b : g->OutArcs(a))
                    ASSERT_NE(fills[a], fills[b]) << "round " << round << ": " << a << "-" << b;
        }
    }
}

namespace {

// The least number of colours, by trying every colouring with k colours for k = 1, 2, ...
int BruteForceChromaticNumber(const GraphDocument& g)
{
    const int n = g.VertexCount;
    std::vector<int> colour(std::size_t(n) + 1, 0);
    for (int k = 1;; ++k) {
        std::function<bool(int)> place = [&](int v) {
            if (v > n)
                return true;
            for (int c = 1; c <= k; ++c) {
                bool free = true;
                for (int w = 1; w < v && free; ++w)
                    free = !(g.HasArc(v, w) && colour[std::size_t(w)] == c);
                colour[std::size_t(v)] = c;
                if (free && place(v + 1))
                    return true;
            }
            return false;
        };
        if (n == 0 || place(1))
            return n == 0 ? 0 : k;
    }
}

std::vector<int> FirstFitColouring(const GraphDocument& g)
{
    std::vector<int> colour(std::size_t(g.VertexCount) + 1, 0);
    for (int v = 1; v <= g.VertexCount; ++v) {
        int c = 1;
        for (bool clash = true; clash; c += clash ? 1 : 0) {
            clash = false;
            for (int w : g.OutArcs(v))
                clash |= colour[std::size_t(w)] == c;
        }
        colour[std::size_t(v)] = c;
    }
    return colour;
}

void ExpectProper(const GraphDocument& g, const std::vector<int>& colour, int colours)
{
    for (int a = 1; a <= g.VertexCount; ++a) {
        EXPECT_GE(colour[std::size_t(a)], 1);
        EXPECT_LE(colour[std::size_t(a)], colours);
        for (int b : g.OutArcs(a))
            EXPECT_NE(colour[std::size_t(a)], colour[std::size_t(b)]) << a << "-" << b;
    }
}

} // namespace

TEST_F(Colourings, TheChromaticNumberIsFoundWhereTheGreedyColouringUsesMore)
{
    // Greedy colourings use 4 colours here; {1,3,8}, {2,4,5}, {6,7} needs only 3.
    g = MakeGraf(false, true, 8);
    for (auto [a, b] : EightVertexKuratowskiEdges)
        g->AddArc(a, b, 1);
    const AlgorithmResult result = ColourBreadthFirst(*g, false, &random);
    const QStringList lines = result.PaneLines();
    ASSERT_EQ(lines.size(), 3);
    EXPECT_EQ(lines[0], Translate("Greedy_colours_used").arg(4));
    EXPECT_EQ(lines[1], Translate("Hrom_number") + "3.");
    EXPECT_TRUE(lines[2].startsWith(Translate("Optimal_colouring").arg(3)));
    EXPECT_EQ(result.resultValue, 3);

    const ChromaticBounds bounds = FindChromaticBounds(*g, FirstFitColouring(*g));
    EXPECT_TRUE(bounds.exact());
    EXPECT_EQ(bounds.upper, 3);
    ExpectProper(*g, bounds.colouring, 3);
}

TEST(ChromaticNumber, TheSearchFindsTheLeastNumberOfColoursOrSaysBetweenWhat)
{
    QRandomGenerator random(1207);
    for (int round = 0; round < 400; ++round) {
        const int n = int(random.bounded(0, 11));
        auto g = MakeGraf(false, false, n);
        const int density = int(random.bounded(1, 9));
        for (int a = 1; a <= n; ++a)
            for (int b = a + 1; b <= n; ++b)
                if (int(random.bounded(10)) < density)
                    g->AddArc(a, b, 1);
        const int chromatic = BruteForceChromaticNumber(*g);
        const std::vector<int> greedy = FirstFitColouring(*g);

        const ChromaticBounds bounds = FindChromaticBounds(*g, greedy);
        ASSERT_TRUE(bounds.exact()) << round;
        ASSERT_EQ(bounds.upper, chromatic) << round;
        ExpectProper(*g, bounds.colouring, chromatic);

        // Out of budget at once: true bounds, and a proper colouring of the upper one.
        const ChromaticBounds cut = FindChromaticBounds(*g, greedy, 1);
        EXPECT_LE(cut.lower, chromatic);
        EXPECT_GE(cut.upper, chromatic);
        ExpectProper(*g, cut.colouring, cut.upper);
    }
    // Graphs too large to finish: a larger budget never ends with more colours.
    for (int round = 0; round < 20; ++round) {
        const int n = int(random.bounded(40, 80));
        auto g = MakeGraf(false, false, n);
        for (int a = 1; a <= n; ++a)
            for (int b = a + 1; b <= n; ++b)
                if (random.bounded(2) == 0)
                    g->AddArc(a, b, 1);
        const std::vector<int> greedy = FirstFitColouring(*g);
        int previous = GraphDocument::MaxVertices;
        for (long long budget : {1000LL, 30000LL, 300000LL, 3000000LL}) {
            const ChromaticBounds bounds = FindChromaticBounds(*g, greedy, budget);
            EXPECT_LE(bounds.upper, previous) << round << " " << budget;
            ExpectProper(*g, bounds.colouring, bounds.upper);
            previous = bounds.upper;
        }
    }
}
