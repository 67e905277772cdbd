#include "GraphFixtures.h"
#include "ScriptedHost.h"
#include "base/TranslationManager.h"
#include "document/UndoHistory.h"

#include <gtest/gtest.h>

using V = std::vector<int>;

TEST(KindConversion, DirectedAndBackGivesTheSameGraph)
{
    ScriptedHost host;
    auto g = MakeGraf(false, true, 3);
    g->AddArc(1, 2, 4);
    g->AddArc(3, 1, 6);
    const auto before = UndoHistory::TakeSnapshot(*g);
    g->ToDirected();
    EXPECT_TRUE(g->Directed);
    EXPECT_TRUE(g->ToUndirected(host));
    EXPECT_FALSE(g->Directed);
    const auto after = UndoHistory::TakeSnapshot(*g);
    EXPECT_EQ(*before, *after);
}

TEST(KindConversion, OneWayArcGainsItsReverse)
{
    ScriptedHost host;
    auto g = MakeGraf(true, true, 3);
    g->AddArc(1, 2, 4);
    g->AddArc(3, 2, 9);
    ASSERT_TRUE(g->ToUndirected(host));
    EXPECT_EQ(OutList(*g, 2), (V{1, 3}));
    EXPECT_EQ(g->Arc(2, 1).Weight, 4);
    EXPECT_EQ(g->Arc(2, 3).Weight, 9);
    EXPECT_EQ(g->Arc(3, 2).Weight, 9);
}

TEST(KindConversion, UnequalOppositeArcsLeaveTheGraphExactlyAsItWas)
{
    ScriptedHost host;
    auto g = MakeGraf(true, true, 3);
    g->AddArc(1, 2, 3);
    g->AddArc(2, 1, 4);
    g->AddArc(2, 3, 5);
    const auto before = UndoHistory::TakeSnapshot(*g);
    EXPECT_FALSE(g->ToUndirected(host));
    EXPECT_EQ(host.MessageTexts(),
              (QStringList{Translate("Matrix_must_be_simertic"), Translate("Happend_error")}));
    EXPECT_TRUE(g->Directed);
    EXPECT_EQ(*before, *UndoHistory::TakeSnapshot(*g));
    EXPECT_EQ(g->Arc(1, 2).Weight, 3);
    EXPECT_EQ(g->Arc(2, 1).Weight, 4);
}

TEST(KindConversion, UndirectedAlreadyIsRefused)
{
    ScriptedHost host;
    auto g = MakeGraf(false, false, 2);
    EXPECT_FALSE(g->ToUndirected(host));
    EXPECT_EQ(host.MessageTexts(), QStringList{Translate("Graf_is_not_orint")});
}

TEST(KindConversion, UnweightedThenWeightedLeavesWeightOne)
{
    auto g = MakeGraf(true, true, 3);
    g->AddArc(1, 2, 40);
    g->AddArc(2, 3, 7);
    g->ToUnweighted();
    EXPECT_FALSE(g->Weighted);
    g->ToWeighted();
    EXPECT_EQ(g->Arc(1, 2).Weight, 1);
    EXPECT_EQ(g->Arc(2, 3).Weight, 1);
    EXPECT_EQ(g->MatrixToMemo(), (QStringList{"0,1,0", "0,0,1", "0,0,0"}));
}

// The look belongs to the program: a new graph is drawn in the one the user set up.
TEST(KindConversion, StartNewGraphSetsKindClearsTablesAndKeepsTheLook)
{
    auto g = MakeGraf(true, false, 3);
    g->AddArc(1, 2, 1);
    g->MapMode = 1;
    g->Style().NormalArc.PenColor = 0x123456;
    g->StartNewGraph(false, true);
    EXPECT_FALSE(g->Directed);
    EXPECT_TRUE(g->Weighted);
    EXPECT_EQ(g->MapMode, 0);
    EXPECT_EQ(g->VertexCount, 0);
    EXPECT_EQ(g->OutCount(1), 0);
    EXPECT_EQ(g->FreeNameNumber(), 1);
    EXPECT_EQ(g->Style().NormalArc.PenColor, 0x123456);
    EXPECT_EQ(g->Style().ActiveArc.PenStyle, 1);
    EXPECT_EQ(g->Style().ActiveVertex.BrushColor, 0x0000FF);
}
