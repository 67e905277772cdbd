#include "files/MatrixText.h"
#include "GraphFixtures.h"
#include "ScriptedHost.h"
#include "base/TranslationManager.h"
#include "document/UndoHistory.h"

#include <gtest/gtest.h>

using V = std::vector<int>;

namespace {
struct Import {
    ScriptedHost host;
    std::unique_ptr<GraphDocument> g;
    Import(bool directed, bool weighted, int n = 0) : g(MakeGraf(directed, weighted, n)) {}
    bool Apply(const QStringList& lines) { return MatrixText::ApplyTextMatrix(*g, host, lines); }
};
} // namespace

TEST(MatrixText, UndirectedPairBecomesOneEdge)
{
    Import t(false, false);
    ASSERT_TRUE(t.Apply({"0,1", "1,0"}));
    EXPECT_EQ(t.g->VertexCount, 2);
    EXPECT_EQ(OutList(*t.g, 1), (V{2}));
    EXPECT_EQ(OutList(*t.g, 2), (V{1}));
    EXPECT_TRUE(t.host.messages.empty());
}

TEST(MatrixText, DirectedWeightedSingleArc)
{
    Import t(true, true);
    ASSERT_TRUE(t.Apply({"0,5", "0,0"}));
    EXPECT_EQ(OutList(*t.g, 1), (V{2}));
    EXPECT_EQ(t.g->OutCount(2), 0);
    EXPECT_EQ(t.g->Arc(1, 2).Weight, 5);
    // the text point is the midpoint, the position is inside the canvas
    EXPECT_EQ(t.g->Arc(1, 2).X(), (t.g->Vertices[1].X + t.g->Vertices[2].X) / 2);
    EXPECT_GE(t.g->Vertices[1].X, 2 * t.g->VertexSize);
    EXPECT_LT(t.g->Vertices[1].X, t.g->CanvasSize(t.host.DrawingArea()).width() - 2 * t.g->VertexSize);
}

TEST(MatrixText, ValidationMessagesAndUnchangedState)
{
    struct Case {
        QStringList lines;
        const char* key; // nullptr: refused without a message
    };
    const Case cases[] = {
        {{"0,1,1", "1,0"}, "Matrix_is_not_sqr"},
        {{"0,1", "1,0", "0,0"}, nullptr},
        {{"1,0", "0,0"}, "Enter_not_corret_matrix"},
        {{"0,x", "0,0"}, "Matrix_have_not_correct_value"},
        {{"0,3 ", "0,0"}, "Matrix_have_not_correct_value"},
        {{",0,1", "1,0"}, "Matrix_have_not_correct_value"},
        {{"0,2.5", "0,0"}, "Matrix_have_not_correct_value"},
        {{"0,50001", "0,0"}, "load_graf_must_be"},
        {{"0,-1", "0,0"}, "load_graf_must_be"},
        {{"0,4e18", "0,0"}, "load_graf_must_be"}, // far beyond an int
        {{}, nullptr},
        {{"", ""}, nullptr},
    };
    for (const Case& c : cases) {
        Import t(true, true, 3);
        t.g->AddArc(1, 3, 8);
        const auto before = UndoHistory::TakeSnapshot(*t.g);
        EXPECT_FALSE(t.Apply(c.lines)) << c.lines.join('/').toStdString();
        const QStringList expected = c.key ? QStringList{Translate(c.key)} : QStringList{};
        EXPECT_EQ(t.host.MessageTexts(), expected) << c.lines.join('/').toStdString();
        EXPECT_EQ(*before, *UndoHistory::TakeSnapshot(*t.g)) << c.lines.join('/').toStdString();
    }
}

TEST(MatrixText, EntryForms)
{
    Import t(true, true);
    ASSERT_TRUE(t.Apply({"0, 3,2.0,", "0,0,+4", "0,0,0"})); // leading blank, whole decimal, trailing comma
    EXPECT_EQ(t.g->Arc(1, 2).Weight, 3);
    EXPECT_EQ(t.g->Arc(1, 3).Weight, 2);
    EXPECT_EQ(t.g->Arc(2, 3).Weight, 4);
}

TEST(MatrixText, EmptyLineStillCountsAsAPosition)
{
    // the third line is vertex 3, so its diagonal is its third entry
    Import t(true, true);
    EXPECT_FALSE(t.Apply({"0,0,1", "", "0,0,1"}));
    EXPECT_EQ(t.host.MessageTexts(), QStringList{Translate("Enter_not_corret_matrix")});
    Import u(true, true);
    EXPECT_FALSE(u.Apply({"0,1,0", "", "0,1,0"})); // two rows of three: refused without a message
    EXPECT_EQ(u.host.MessageTexts(), QStringList{});
}

TEST(MatrixText, AMatrixThatDoesNotFitTheKindLeavesTheGraphAsItWas)
{
    Import unweighted(false, false, 2);
    EXPECT_FALSE(unweighted.Apply({"0,2", "2,0"}));
    EXPECT_EQ(unweighted.host.MessageTexts(), QStringList{Translate("Not_correct_matrix_not_load_matrix")});
    EXPECT_EQ(unweighted.g->VertexCount, 2);

    Import undirected(false, true, 3);
    undirected.g->AddArc(1, 3, 9);
    EXPECT_FALSE(undirected.Apply({"0,2", "3,0"}));
    EXPECT_EQ(undirected.host.MessageTexts(), QStringList{Translate("Matrix_must_be_simertic")});
    EXPECT_EQ(undirected.g->VertexCount, 3);
    EXPECT_EQ(undirected.g->Arc(3, 1).Weight, 9);
}

TEST(MatrixText, TooLargeTextsAreRefusedWithAMessage)
{
    QStringList tall;
    for (int i = 0; i < 256; ++i)
        tall << "0";
    Import t(true, true, 2);
    EXPECT_FALSE(t.Apply(tall));
    EXPECT_EQ(t.host.MessageTexts(), QStringList{Translate("Version_not_support_count")});
    EXPECT_EQ(t.g->VertexCount, 2);

    QStringList wide{QString("0,").repeated(256) + "0"};
    Import u(true, true);
    EXPECT_FALSE(u.Apply(wide));
    EXPECT_EQ(u.host.MessageTexts(), QStringList{Translate("Version_not_support_count")});
}

TEST(MatrixText, MemoRoundTripKeepsArcsAndWeights)
{
    Import t(true, true, 4);
    t.g->AddArc(1, 2, 5);
    t.g->AddArc(4, 1, 50000);
    t.g->AddArc(3, 2, 1);
    const QStringList memo = t.g->MatrixToMemo();
    ASSERT_TRUE(t.Apply(memo));
    EXPECT_EQ(t.g->MatrixToMemo(), memo);
}

TEST(MatrixText, ManualNamingAsksForEveryName)
{
    Import t(false, false);
    t.g->Naming().SetKind(VertexNaming::Manual);
    t.host.inputs = {{true, "Kyiv"}, {false, ""}};
    ASSERT_TRUE(t.Apply({"0,1", "1,0"}));
    EXPECT_EQ(t.g->VertexName(1), "Kyiv");
    EXPECT_EQ(t.g->VertexName(2), "A"); // cancelled: the proposed text
    EXPECT_EQ(t.host.prompts.size(), 2);
    // The prompt's colon is followed by a blank before the number.
    EXPECT_EQ(t.host.prompts[1], Translate("Enter_name_graf") + " 2" + Translate("Graf_"));
}

TEST(GridMatrix, EditsFollowTheCellRules)
{
    auto g = MakeGraf(false, true, 3);
    g->AddArc(1, 2, 4);
    // rows are heads, columns are tails; row 0 and column 0 are headers
    QList<QStringList> grid{
        {"", "1", "2", "3"}, {"1", "0", "4", "0"}, {"2", "4", "0", "7"}, {"3", "", "7", "0"}};
    ASSERT_TRUE(g->ApplyGridMatrix(grid));
    EXPECT_EQ(grid[3][1], "0"); // an empty cell is written back as 0
    EXPECT_EQ(g->MatrixEntry(2, 3), 7);
    EXPECT_EQ(g->MatrixEntry(3, 2), 7);
    grid[1][2] = "";
    grid[2][1] = "";
    ASSERT_TRUE(g->ApplyGridMatrix(grid));
    EXPECT_EQ(g->OutCount(1), 0);
}

TEST(GridMatrix, RejectedGridsChangeNothing)
{
    const QList<QList<QStringList>> bad{
        {{"", "1", "2"}, {"1", "3", "0"}, {"2", "0", "0"}},   // diagonal
        {{"", "1", "2"}, {"1", "0", "2"}, {"2", "2", "0"}},   // 2 in an unweighted graph
        {{"", "1", "2"}, {"1", "0", "1"}, {"2", "0", "0"}},   // not symmetric
        {{"", "1", "2"}, {"1", "0", "x"}, {"2", "x", "0"}},   // not a number
        {{"", "1", "2"}, {"1", "0", "-1"}, {"2", "-1", "0"}}, // negative
    };
    for (auto grid : bad) {
        auto g = MakeGraf(false, false, 2);
        g->AddArc(1, 2, 1);
        const auto before = UndoHistory::TakeSnapshot(*g);
        EXPECT_FALSE(g->ApplyGridMatrix(grid));
        EXPECT_EQ(*before, *UndoHistory::TakeSnapshot(*g));
    }
}
