#include "ScriptedHost.h"
#include "base/TranslationManager.h"
#include "commands/GraphSession.h"

#include <gtest/gtest.h>

namespace {
struct Commands : ::testing::Test {
    ScriptedHost host;
    GraphSession session{host};
    GraphDocument* g = nullptr;
    void Create(bool directed, bool weighted)
    {
        g = &session.CreateDocument();
        g->StartNewGraph(directed, weighted);
    }
};
} // namespace

TEST_F(Commands, EveryCommandNeedsADocument)
{
    EXPECT_FALSE(session.AddVertexAt(10, 10));
    EXPECT_FALSE(session.AddVertexRandom());
    session.DeleteSelected();
    session.Convert(GraphSession::Conversion::ToDirected);
    EXPECT_EQ(host.MessageTexts(), QStringList(4, Translate("First_need_create")));
}

TEST_F(Commands, AddVertexRecordsAndStopsAtTheLimit)
{
    Create(false, false);
    ASSERT_TRUE(session.AddVertexAt(30, 40));
    EXPECT_EQ(g->Vertices[1].X, 30);
    EXPECT_EQ(g->Vertices[1].Size, g->VertexSize);
    EXPECT_TRUE(session.History().CanUndo());
    for (int i = 2; i <= 255; ++i)
        g->AddVertex(i, i, QString(), g->FreeNameNumber(), 10);
    EXPECT_FALSE(session.AddVertexRandom());
    EXPECT_EQ(host.MessageTexts(), QStringList{Translate("Version_not_support_count")});
    EXPECT_EQ(g->VertexCount, 255);
}

TEST_F(Commands, RandomVertexLandsInTheVisiblePart)
{
    Create(false, false);
    host.scroll = QPoint(1000, 500);
    for (int i = 0; i < 20; ++i)
        session.AddVertexRandom();
    for (int v = 1; v <= g->VertexCount; ++v) {
        EXPECT_GE(g->Vertices[v].X, 1000 + g->VertexSize);
        EXPECT_LT(g->Vertices[v].X, 1000 + host.areaWidth - g->VertexSize);
        EXPECT_GE(g->Vertices[v].Y, 500 + g->VertexSize);
        EXPECT_LT(g->Vertices[v].Y, 500 + host.areaHeight - g->VertexSize);
    }
}

TEST_F(Commands, ManualNamingAsksForTheName)
{
    Create(false, false);
    g->Naming().SetKind(VertexNaming::Manual);
    host.inputs = {{true, "Oslo"}, {false, "ignored"}};
    session.AddVertexAt(10, 10);
    session.AddVertexAt(50, 10);
    EXPECT_EQ(g->VertexName(1), "Oslo");
    EXPECT_EQ(g->VertexName(2), "A");
    g->ActiveVertex = 1;
    host.inputs = {{true, "Bergen"}};
    session.RenameSelectedVertex();
    EXPECT_EQ(g->VertexName(1), "Bergen");
    EXPECT_TRUE(host.prompts.last().startsWith(Translate("Enter_new_name") + "Oslo:"));
}

TEST_F(Commands, AnEmptyNameIsRefusedAndADuplicateAcceptedAfterAWarning)
{
    Create(false, false);
    g->Naming().SetKind(VertexNaming::Manual);
    host.inputs = {{true, "Oslo"}, {true, "Bergen"}, {true, "Tromsø"}};
    for (int x : {10, 50, 90})
        session.AddVertexAt(x, 10);
    session.MarkSaved(QString());
    g->ActiveVertex = 3;
    const int steps = session.History().Count();

    // Empty, blank or cancelled: nothing changes, nothing is recorded.
    host.inputs = {{true, ""}, {true, "   "}, {false, "ignored"}};
    for (int i = 0; i < 3; ++i)
        session.RenameSelectedVertex();
    EXPECT_EQ(g->VertexName(3), "Tromsø");
    EXPECT_EQ(host.MessageTexts(), QStringList(2, Translate("Name_empty")));
    EXPECT_EQ(host.messages[0].kind, ProgramHost::MessageKind::Error);
    EXPECT_EQ(session.History().Count(), steps);
    EXPECT_FALSE(session.HasUnsavedChanges());

    // The name of vertex 2: a warning naming it, then the name is taken as one undo step.
    host.messages.clear();
    host.inputs = {{true, "Bergen"}};
    session.RenameSelectedVertex();
    EXPECT_EQ(g->VertexName(3), "Bergen");
    EXPECT_EQ(host.MessageTexts(), QStringList{Translate("Name_duplicate").arg("Bergen").arg(2)});
    EXPECT_EQ(host.messages[0].kind, ProgramHost::MessageKind::Warning);
    EXPECT_EQ(session.History().Count(), steps + 1);
    EXPECT_TRUE(session.HasUnsavedChanges());
    session.Undo();
    EXPECT_EQ(g->VertexName(3), "Tromsø");

    // A single character is a name; the vertex's own name again is no duplicate.
    host.messages.clear();
    host.inputs = {{true, "x"}, {true, "x"}};
    session.RenameSelectedVertex();
    session.RenameSelectedVertex();
    EXPECT_EQ(g->VertexName(3), "x");
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(Commands, DeleteTakesVertexThenArcThenLabel)
{
    Create(true, false);
    session.AddVertexAt(10, 10);
    session.AddVertexAt(90, 10);
    g->AddArc(1, 2, 1);
    g->AddLabel("note", 5, 5);
    g->ActiveArcTail = 1;
    g->ActiveArcHead = 2;
    g->ActiveLabel = 1;
    session.DeleteSelected();
    EXPECT_EQ(g->OutCount(1), 0);
    EXPECT_EQ(g->LabelCount, 1);
    EXPECT_EQ(g->ActiveArcTail, 0);
    session.DeleteSelected();
    EXPECT_EQ(g->LabelCount, 0);
    session.DeleteSelected(); // nothing selected: changes nothing, no message
    EXPECT_EQ(g->VertexCount, 2);
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(Commands, WeightInputIsCheckedBeforeAnythingChanges)
{
    Create(true, true);
    session.AddVertexAt(10, 10);
    session.AddVertexAt(90, 10);
    g->AddArc(1, 2, 5);
    g->ActiveArcTail = 1;
    g->ActiveArcHead = 2;
    const int statesBefore = session.History().Count();
    host.inputs = {{true, "abc"}, {true, "0"}, {true, "50001"}, {false, ""}, {true, " 42"}};
    for (int i = 0; i < 3; ++i)
        session.EditSelectedWeight();
    EXPECT_EQ(session.History().Count(), statesBefore);
    session.EditSelectedWeight(); // cancelled: the proposed weight stands
    EXPECT_EQ(g->Arc(1, 2).Weight, 5);
    EXPECT_EQ(host.MessageTexts(), (QStringList{Translate("Uncorrect_number"), Translate("Load_must_be"),
                                                Translate("Load_must_be")}));
    EXPECT_EQ(host.prompts[3], Translate("Enter_load"));
    session.EditSelectedWeight();
    EXPECT_EQ(g->Arc(1, 2).Weight, 42);
}

TEST_F(Commands, ConversionAsksToSaveOnlyWhenTheKindChanges)
{
    Create(false, true);
    session.AddVertexAt(10, 10);
    session.AddVertexAt(90, 10);
    g->AddArc(1, 2, 5);
    host.yesNoAnswers = {true};
    session.Convert(GraphSession::Conversion::ToUndirected); // already undirected: no question
    EXPECT_TRUE(host.questions.isEmpty());
    EXPECT_EQ(host.MessageTexts(), QStringList{Translate("Graf_is_not_orint")});
    session.Convert(GraphSession::Conversion::ToDirected);
    EXPECT_EQ(host.questions, QStringList{Translate("Want_save_graf")});
    EXPECT_EQ(host.saves, 1);
    EXPECT_TRUE(g->Directed);
    session.Convert(GraphSession::Conversion::ToUnweighted); // answered No: converts anyway
    EXPECT_EQ(host.saves, 1);
    EXPECT_FALSE(g->Weighted);
    session.Undo();
    EXPECT_TRUE(g->Weighted);
    EXPECT_EQ(g->Arc(1, 2).Weight, 5);
}
