#include "commands/GraphFileCommands.h"
#include "GraphFixtures.h"
#include "ScriptedHost.h"
#include "base/TranslateManager.h"
#include "commands/GraphSession.h"
#include "files/RecentFiles.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

TEST(RecentFiles, NewNamesGoFirstKnownOnesStayAndSixRemain)
{
    QStringList list;
    for (int i = 1; i <= 7; ++i)
        RecentFiles::AddRecentFile(list, QStringLiteral("f%1").arg(i));
    EXPECT_EQ(list, QStringList({"f7", "f6", "f5", "f4", "f3", "f2"}));
    RecentFiles::AddRecentFile(list, "f4");
    EXPECT_EQ(list, QStringList({"f7", "f6", "f5", "f4", "f3", "f2"}));
    RecentFiles::AddRecentFile(list, "F4"); // names compare case-sensitively
    EXPECT_EQ(list.first(), "F4");
    EXPECT_EQ(list.size(), 6);
}

TEST(RecentFiles, LongNamesAreShortenedInTheMiddle)
{
    const QString s32(32, 'a');
    EXPECT_EQ(RecentFiles::MenuCaption(s32), s32);
    const QString s33 = QStringLiteral("0123456789abcdef") + "X" + QStringLiteral("fedcba9876543210");
    EXPECT_EQ(RecentFiles::MenuCaption(s33), "0123456789abcdef..fedcba9876543210");
}

namespace {
struct OpenCommand : ::testing::Test {
    QTemporaryDir dir;
    ScriptedHost host;
    GraphSession session{host};
    void Write(const QString& name, const QByteArray& bytes)
    {
        QFile file(dir.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
};
} // namespace

TEST_F(OpenCommand, NeedsADocumentAndAReadableFile)
{
    EXPECT_FALSE(GraphFileCommands::OpenGraphFile(session, dir.filePath("none.grafa")));
    EXPECT_EQ(host.MessageTexts(), QStringList{Translate("First_need_create")});

    TAllGraf& g = session.CreateDocument();
    g.NewGraf(false, false);
    g.AddPoint(10, 10, {}, 1, 10);
    g.AddLabel("kept", 1, 1);
    host.messages.clear();
    EXPECT_FALSE(GraphFileCommands::OpenGraphFile(session, dir.filePath("none.grafa")));
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_TRUE(host.messages[0].text.startsWith(Translate("Happend_error")));
    EXPECT_EQ(g.PointCount, 1);
    EXPECT_EQ(g.CountLabel, 1);
    EXPECT_FALSE(session.History().CanUndo());
    EXPECT_TRUE(g.RecentFiles.isEmpty());
}

TEST_F(OpenCommand, VersionChoosesTheReaderAndTheOpenCanBeUndone)
{
    TAllGraf& g = session.CreateDocument();
    g.NewGraf(false, false);
    g.AddLabel("old label", 1, 1);

    // No version: the older text form.
    Write("old.txt", "0,1\n1,0\nGrafType\nGrafType\nGraf1.000\nLabels\nnote\n3\n4\nEndLabel\n");
    ASSERT_TRUE(GraphFileCommands::OpenGraphFile(session, dir.filePath("old.txt")));
    EXPECT_EQ(g.PointCount, 2);
    ASSERT_EQ(g.CountLabel, 1);
    EXPECT_EQ(g.Labels[1].Text, "note");
    EXPECT_EQ(g.Dugi[1][2].X, (g.Points[1].X + g.Points[2].X) / 2);

    // Version 0 also means the older form: the INI lines are not a matrix.
    Write("zero.grafa", "[Main]\nVersion=0\nPointCount=1\n");
    EXPECT_FALSE(GraphFileCommands::OpenGraphFile(session, dir.filePath("zero.grafa")));
    EXPECT_EQ(host.MessageTexts(), QStringList{Translate("Matrix_have_not_correct_value")});

    // A newer version: nothing read, nothing said, but the labels are already gone.
    host.messages.clear();
    Write("new.grafa", "[Main]\nVersion=2\nPointCount=0\n");
    EXPECT_FALSE(GraphFileCommands::OpenGraphFile(session, dir.filePath("new.grafa")));
    EXPECT_TRUE(host.messages.empty());
    EXPECT_EQ(g.PointCount, 2);
    EXPECT_EQ(g.CountLabel, 0);

    EXPECT_EQ(g.RecentFiles,
              QStringList({dir.filePath("new.grafa"), dir.filePath("zero.grafa"), dir.filePath("old.txt")}));
    ASSERT_TRUE(GraphFileCommands::OpenGraphFile(session, dir.filePath("old.txt")));
    EXPECT_EQ(g.RecentFiles.first(), dir.filePath("new.grafa")); // not moved to the top
    EXPECT_GT(host.redraws, 0);
    EXPECT_GT(host.matrixRefreshes, 0);

    session.Undo();
    EXPECT_EQ(g.CountLabel, 0);
    session.Undo();
    session.Undo();
    session.Undo();
    EXPECT_EQ(g.PointCount, 0);
    ASSERT_EQ(g.CountLabel, 1);
    EXPECT_EQ(g.Labels[1].Text, "old label");
}
