#include "commands/NewGraphCommands.h"
#include "GraphFixtures.h"
#include "ScriptedHost.h"
#include "base/TranslationManager.h"
#include "commands/GraphSession.h"
#include "commands/SelectPathEnds.h"

#include <gtest/gtest.h>

#include <deque>
#include <functional>

namespace {

struct FakePrompt : NewGraphPrompt {
    bool confirm = true, directed = false, weighted = false;
    bool showsGraph = false; // takes the shown kind as its answer, as the dialog confirmed unchanged
    std::pair<int, int> shownNaming;
    std::function<void()> onRun;
    QStringList captions;
    bool Run(const QString& confirmKey) override
    {
        captions.append(confirmKey);
        if (confirm && onRun)
            onRun();
        return confirm;
    }
    void ShowGraph(bool isDirected, bool isWeighted, const VertexNaming& naming) override
    {
        shownNaming = {naming.GetKind(), naming.FirstLetter()};
        if (showsGraph) {
            directed = isDirected;
            weighted = isWeighted;
        }
    }
    bool Directed() const override { return directed; }
    bool Weighted() const override { return weighted; }
};

struct FakeEnvironment : NewGraphEnvironment {
    QStringList calls;
    void LoadSettings(GraphDocument&, bool withLanguage) override
    {
        calls.append(withLanguage ? QStringLiteral("load+lang") : QStringLiteral("load"));
    }
    void SaveSettings(GraphDocument&) override { calls.append(QStringLiteral("save")); }
    void LoadWindowPlacement() override { calls.append(QStringLiteral("placement")); }
    void DocumentCreated(GraphDocument&) override { calls.append(QStringLiteral("created")); }
    std::deque<bool> mayDiscard;
    bool MayDiscardWork() override
    {
        calls.append(QStringLiteral("may discard"));
        const bool answer = mayDiscard.empty() || mayDiscard.front();
        if (!mayDiscard.empty())
            mayDiscard.pop_front();
        return answer;
    }
};

struct NewGraph : ::testing::Test {
    ScriptedHost host;
    GraphSession session{host};
    FakePrompt prompt;
    FakeEnvironment environment;
};

} // namespace

TEST_F(NewGraph, TheFirstGraphAsksNothingAndLoadsTheWindowPlacementOnce)
{
    prompt.directed = true;
    ASSERT_TRUE(NewGraphCommand(session, prompt, environment));
    EXPECT_TRUE(host.questions.isEmpty());
    EXPECT_EQ(environment.calls, (QStringList{"load+lang", "load+lang", "placement", "created"}));
    EXPECT_EQ(prompt.captions, QStringList{"Create"});
    GraphDocument* g = session.Document();
    EXPECT_TRUE(g->Directed);
    EXPECT_FALSE(g->Weighted);
    EXPECT_EQ(&g->Naming(), &session.Naming());
    EXPECT_FALSE(session.History().CanUndo());

    environment.calls.clear();
    ASSERT_TRUE(NewGraphCommand(session, prompt, environment));
    EXPECT_TRUE(host.questions.isEmpty()) << "unsaved work is the window's question";
    EXPECT_EQ(environment.calls, (QStringList{"may discard", "save", "load+lang", "created"}));
    EXPECT_TRUE(session.History().CanUndo()) << "the replaced graph can be brought back";
}

TEST_F(NewGraph, LaterGraphsCanBeDeclinedOrCancelled)
{
    ASSERT_TRUE(NewGraphCommand(session, prompt, environment));
    GraphDocument* first = session.Document();
    first->AddVertex(10, 10, QString(), first->FreeNameNumber(), 10);

    environment.mayDiscard = {false};
    EXPECT_FALSE(NewGraphCommand(session, prompt, environment));
    EXPECT_EQ(prompt.captions.size(), 1) << "kept work: no dialog";
    prompt.confirm = false;
    EXPECT_FALSE(NewGraphCommand(session, prompt, environment));
    EXPECT_EQ(session.Document(), first);
    EXPECT_EQ(first->VertexCount, 1);
}

TEST_F(NewGraph, PropertiesConvertTheKindAskingOnce)
{
    ASSERT_TRUE(NewGraphCommand(session, prompt, environment));
    GraphDocument* g = session.Document();
    for (int i = 0; i < 2; ++i)
        g->AddVertex(20 + 40 * i, 20, QString(), g->FreeNameNumber(), 10);
    g->AddArc(1, 2, 1);

    prompt.directed = true;
    prompt.weighted = true;
    host.yesNoAnswers = {true};
    ASSERT_TRUE(PropertiesCommand(session, prompt));
    EXPECT_EQ(prompt.captions.last(), QStringLiteral("Edit"));
    EXPECT_EQ(host.questions.size(), 1);
    EXPECT_EQ(host.saves, 1);
    EXPECT_TRUE(g->Directed);
    EXPECT_TRUE(g->Weighted);
    EXPECT_TRUE(g->HasArc(1, 2) && g->HasArc(2, 1));
    EXPECT_TRUE(session.History().CanUndo());

    // The same choices again change nothing and ask nothing.
    ASSERT_TRUE(PropertiesCommand(session, prompt));
    EXPECT_EQ(host.questions.size(), 1);

    prompt.confirm = false;
    prompt.directed = false;
    EXPECT_FALSE(PropertiesCommand(session, prompt));
    EXPECT_TRUE(g->Directed);

    // Cancel at the save question: nothing changes, the naming and the history included.
    prompt.confirm = true;
    const int steps = session.History().Count();
    prompt.onRun = [this] { session.Naming().SetNumbers(40); };
    host.saveAnswers = {ProgramHost::SaveAnswer::Cancel};
    EXPECT_FALSE(PropertiesCommand(session, prompt));
    EXPECT_TRUE(g->Directed);
    EXPECT_EQ(g->VertexName(1), "1");
    EXPECT_EQ(session.History().Count(), steps);

    // Discard goes on without saving; one undo brings back the kind and the names.
    host.saveAnswers = {ProgramHost::SaveAnswer::Discard};
    ASSERT_TRUE(PropertiesCommand(session, prompt));
    EXPECT_EQ(host.saves, 1);
    EXPECT_FALSE(g->Directed);
    EXPECT_EQ(g->VertexName(1), "40");
    session.Undo();
    EXPECT_TRUE(g->Directed);
    EXPECT_EQ(g->VertexName(1), "1");
    EXPECT_EQ(session.Naming().FirstNumber(), 1);
}

TEST_F(NewGraph, PropertiesShowTheCurrentGraphSoThatConfirmingChangesNothing)
{
    ASSERT_TRUE(NewGraphCommand(session, prompt, environment));
    GraphDocument* g = session.Document();
    g->StartNewGraph(true, true);
    session.Naming().SetKind(VertexNaming::Letters);
    session.Naming().SetLetters('c', false);
    prompt.showsGraph = true;
    ASSERT_TRUE(PropertiesCommand(session, prompt));
    EXPECT_TRUE(g->Directed);
    EXPECT_TRUE(g->Weighted);
    EXPECT_TRUE(host.questions.isEmpty());
    EXPECT_EQ(prompt.shownNaming, (std::pair<int, int>{VertexNaming::Letters, 'c'}));
}

TEST(SelectPathEnds, TheEndProposedIsTheVertexAfterTheStart)
{
    struct ProposalHost : ScriptedHost {
        QList<int> proposed;
        bool ChooseVertex(const QString& caption, const QStringList& names, int& index) override
        {
            proposed.append(index);
            return ScriptedHost::ChooseVertex(caption, names, index);
        }
    } host;
    auto g = MakeGraf(true, false, 3);
    int first = 0, second = 0;
    for (int start : {0, 1, 2}) {
        host.proposed.clear();
        host.choices = {{true, start}, {true, (start + 1) % 3}};
        ASSERT_TRUE(SelectPathEnds(*g, host, first, second));
        EXPECT_EQ(host.proposed, (QList<int>{0, (start + 1) % 3})) << start;
    }
    // A single vertex has no other to propose.
    auto one = MakeGraf(true, false, 1);
    host.proposed.clear();
    host.choices = {{true, 0}, {true, 0}};
    EXPECT_FALSE(SelectPathEnds(*one, host, first, second));
    EXPECT_EQ(host.proposed, (QList<int>{0, 0}));
}

TEST(SelectPathEnds, ReturnsTwoDifferentVertices)
{
    ScriptedHost host;
    auto g = MakeGraf(false, false, 3);
    int first = -7, second = -7;

    host.choices = {{true, 0}, {true, 2}};
    ASSERT_TRUE(SelectPathEnds(*g, host, first, second));
    EXPECT_EQ(first, 1);
    EXPECT_EQ(second, 3);
    EXPECT_EQ(host.prompts, (QStringList{Translate("Select_first_point"), Translate("Select_finish_point")}));

    host.choices = {{true, 1}, {true, 1}};
    EXPECT_FALSE(SelectPathEnds(*g, host, first, second));
    EXPECT_EQ(host.MessageTexts(), QStringList{Translate("First_and_last_must_be_different")});

    host.choices = {{true, 1}, {false, 2}};
    EXPECT_FALSE(SelectPathEnds(*g, host, first, second));
    EXPECT_EQ(QPoint(first, second), QPoint(1, 3)) << "nothing is returned when cancelled";

    auto empty = MakeGraf(false, false, 0);
    host.choices = {{true, 0}, {true, 0}};
    EXPECT_FALSE(SelectPathEnds(*empty, host, first, second)) << "OK on an empty list is no choice";
}
