#include "commands/GraphFileCommands.h"
#include "GraphFixtures.h"
#include "ScriptedHost.h"
#include "base/TranslationManager.h"
#include "commands/GraphSession.h"
#include "document/UndoHistory.h"
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

    GraphDocument& g = session.CreateDocument();
    g.StartNewGraph(false, false);
    g.AddVertex(10, 10, {}, 1, 10);
    g.AddLabel("kept", 1, 1);
    host.messages.clear();
    EXPECT_FALSE(GraphFileCommands::OpenGraphFile(session, dir.filePath("none.grafa")));
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_TRUE(host.messages[0].text.startsWith(Translate("Happend_error")));
    EXPECT_EQ(g.VertexCount, 1);
    EXPECT_EQ(g.LabelCount, 1);
    EXPECT_FALSE(session.History().CanUndo());
    EXPECT_TRUE(session.RecentFiles().isEmpty());
}

TEST_F(OpenCommand, VersionChoosesTheReaderAndTheOpenCanBeUndone)
{
    GraphDocument& g = session.CreateDocument();
    g.StartNewGraph(false, false);
    g.AddLabel("old label", 1, 1);

    // No version: the older text form.
    Write("old.txt", "0,1\n1,0\nGrafType\nGrafType\nGraf1.000\nLabels\nnote\n3\n4\nEndLabel\n");
    ASSERT_TRUE(GraphFileCommands::OpenGraphFile(session, dir.filePath("old.txt")));
    EXPECT_EQ(g.VertexCount, 2);
    ASSERT_EQ(g.LabelCount, 1);
    EXPECT_EQ(g.Labels[1].Text, "note");
    EXPECT_EQ(g.Arc(1, 2).X(), (g.Vertices[1].X + g.Vertices[2].X) / 2);

    // Version 0 also means the older form: the INI lines are not a matrix.
    Write("zero.grafa", "[Main]\nVersion=0\nPointCount=1\n");
    EXPECT_FALSE(GraphFileCommands::OpenGraphFile(session, dir.filePath("zero.grafa")));
    EXPECT_EQ(host.MessageTexts(), QStringList{Translate("Matrix_have_not_correct_value")});

    // A newer version: nothing read, and the graph keeps its labels.
    host.messages.clear();
    Write("new.grafa", "[Main]\nVersion=2\nPointCount=0\n");
    EXPECT_FALSE(GraphFileCommands::OpenGraphFile(session, dir.filePath("new.grafa")));
    EXPECT_EQ(g.VertexCount, 2);
    EXPECT_EQ(g.LabelCount, 1);

    // Failed opens never enter the recent list; a good one already listed stays in place.
    EXPECT_EQ(session.RecentFiles(), QStringList({dir.filePath("old.txt")}));
    Write("second.txt", "0\n");
    ASSERT_TRUE(GraphFileCommands::OpenGraphFile(session, dir.filePath("second.txt")));
    ASSERT_TRUE(GraphFileCommands::OpenGraphFile(session, dir.filePath("old.txt")));
    EXPECT_EQ(session.RecentFiles(), QStringList({dir.filePath("second.txt"), dir.filePath("old.txt")}));
    EXPECT_GT(host.redraws, 0);
    EXPECT_GT(host.matrixRefreshes, 0);

    // Each successful open is one undo step; the failed ones recorded nothing.
    session.Undo();
    EXPECT_EQ(g.VertexCount, 1);
    session.Undo();
    EXPECT_EQ(g.VertexCount, 2);
    session.Undo();
    EXPECT_EQ(g.VertexCount, 0);
    ASSERT_EQ(g.LabelCount, 1);
    EXPECT_EQ(g.Labels[1].Text, "old label");
    EXPECT_FALSE(session.History().CanUndo());
}

// Whatever makes an open fail, the document, the naming, the history and the recent list
// are exactly as before.
TEST_F(OpenCommand, AFailedOpenChangesNothing)
{
    GraphDocument& g = session.CreateDocument();
    g.StartNewGraph(false, true);
    session.Naming().SetKind(VertexNaming::Letters);
    session.Naming().SetLetters('C', false);
    g.AddVertex(40, 50, {}, 1, 10);
    g.AddVertex(300, 200, {}, 2, 10);
    g.AddArc(1, 2, 7);
    g.ArcRef(1, 2).SetTextPoint(77, 99); // a bent arc: its text point is not the midpoint
    g.ArcRef(2, 1).SetTextPoint(77, 99);
    g.AddLabel("kept", 5, 6);
    session.RecentFiles() = {"a.grafa", "b.grafa", "c.grafa", "d.grafa", "e.grafa", "f.grafa"};
    session.RecordState();
    const auto before = UndoHistory::TakeSnapshot(g);
    const int historyCount = session.History().Count();
    const QStringList recent = session.RecentFiles();
    const int width = g.ExtentWidth, height = g.ExtentHeight;

    Write("plain.txt", "Dear students,\nthe exam is on Monday.\n");
    Write("damaged.grafa", "[Main]\nVersion=1\nIsOrint=0\nIsHaveCost=1\nPointCount=2\n"
                           "[Matrix]\nFrom1To2=3\nFrom2To1=4\n[GrafTitle]\nBeginLetter=66\n");
    Write("range.grafa", "[Main]\nVersion=1\nPointCount=2\n[Matrix]\nFrom1To2=-5\n");
    Write("big.txt", QByteArray("0\n").repeated(300));
    Write("binary.grafa", QByteArray("\x00\xff\x10[Main]\x00", 11));
    for (const QString name :
         {"plain.txt", "damaged.grafa", "range.grafa", "big.txt", "binary.grafa", "missing.grafa", ""}) {
        SCOPED_TRACE(name.toStdString());
        host.messages.clear();
        EXPECT_FALSE(
            GraphFileCommands::OpenGraphFile(session, name.isEmpty() ? dir.path() : dir.filePath(name)));
        EXPECT_FALSE(host.messages.empty());
        EXPECT_TRUE(*UndoHistory::TakeSnapshot(g) == *before);
        EXPECT_EQ(session.History().Count(), historyCount);
        EXPECT_EQ(session.RecentFiles(), recent);
        EXPECT_EQ(g.ExtentWidth, width);
        EXPECT_EQ(g.ExtentHeight, height);
    }
}

TEST_F(OpenCommand, AFileRefusedWithoutAReasonStillSaysSo)
{
    GraphDocument& g = session.CreateDocument();
    g.StartNewGraph(false, false);
    g.AddVertex(10, 10, {}, 1, 10);
    // A newer version and a text of more lines than entries: the readers refuse them silently.
    Write("future.grafa", "[Main]\nVersion=2\nPointCount=1\n");
    Write("tall.txt", "0,1\n1,0\n0,0\n");
    for (const char* name : {"future.grafa", "tall.txt"}) {
        host.messages.clear();
        EXPECT_FALSE(GraphFileCommands::OpenGraphFile(session, dir.filePath(name)));
        EXPECT_EQ(host.MessageTexts(), QStringList{Translate("Happend_error") + "\r" + dir.filePath(name)})
            << name;
        EXPECT_EQ(g.VertexCount, 1);
    }
    // A reader that explains itself is not doubled.
    Write("sym.grafa", "[Main]\nVersion=1\nPointCount=2\n[Matrix]\nFrom1To2=1\n");
    host.messages.clear();
    EXPECT_FALSE(GraphFileCommands::OpenGraphFile(session, dir.filePath("sym.grafa")));
    EXPECT_EQ(host.MessageTexts(), QStringList{Translate("Matrix_must_be_simertic")});
}
