#include "files/OldGrafFile.h"
#include "GraphFixtures.h"
#include "ScriptedHost.h"
#include "base/TranslationManager.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using V = std::vector<int>;

TEST(ParseGrafType, NeedsNineCharactersAndTwoDigits)
{
    bool directed = false, weighted = false;
    EXPECT_TRUE(OldGrafFile::ParseGrafType("Graf1.010", directed, weighted));
    EXPECT_TRUE(directed);
    EXPECT_FALSE(weighted);
    EXPECT_TRUE(OldGrafFile::ParseGrafType("Graf1.072", directed, weighted));
    EXPECT_FALSE(directed);
    EXPECT_FALSE(weighted);
    for (const char* bad : {"Graf1.0 1", "Graf1.01", "Graf1.0111", "graf1.011", "Graf1.1 11", "Graf1.01x"})
        EXPECT_FALSE(OldGrafFile::ParseGrafType(bad, directed, weighted)) << bad;
}

namespace {
struct OldFiles : ::testing::Test {
    QTemporaryDir dir;
    ScriptedHost host;
    std::unique_ptr<GraphDocument> g = MakeGraf(false, false);
    bool Load(const QByteArray& bytes)
    {
        const QString path = dir.filePath("old.txt");
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(bytes);
        file.close();
        return OldGrafFile::LoadOldGraf(*g, host, path);
    }
};
} // namespace

TEST_F(OldFiles, ReadsEveryPart)
{
    ASSERT_TRUE(Load("0,4\r\n0,0\r\nXYposition\r\n100 120\r\n300   80 extra\r\nGrafType\r\nGraf1.011\r\n"
                     "Labels\r\na note\r\n10\r\n20\r\nEndLabel\r\nnot a label\r\n"));
    EXPECT_TRUE(g->Directed);
    EXPECT_TRUE(g->Weighted);
    EXPECT_EQ(OutList(*g, 1), (V{2}));
    EXPECT_EQ(g->Arc(1, 2).Weight, 4);
    EXPECT_EQ(g->Vertices[1].X, 100);
    EXPECT_EQ(g->Vertices[2].Y, 80);
    EXPECT_EQ(g->Arc(1, 2).X(), 200);
    ASSERT_EQ(g->LabelCount, 1);
    EXPECT_EQ(g->Labels[1].Text, "a note");
    EXPECT_EQ(g->Labels[1].Y, 20);
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(OldFiles, MatrixOnlyKeepsTheKindAndPlacesAtRandom)
{
    g->StartNewGraph(true, false);
    ASSERT_TRUE(Load("0,1,0\n0,0,1\n0,0,0"));
    EXPECT_TRUE(g->Directed);
    EXPECT_EQ(g->VertexCount, 3);
    EXPECT_EQ(g->LabelCount, 0);
    // Part of the matrix that does not fit the kind is refused by the matrix checks, and the
    // graph stays as it was.
    EXPECT_FALSE(Load("0,2\n2,0\n"));
    EXPECT_EQ(host.MessageTexts(), QStringList{Translate("Not_correct_matrix_not_load_matrix")});
    EXPECT_EQ(g->VertexCount, 3);
    EXPECT_TRUE(g->HasArc(1, 2) && g->HasArc(2, 3));
}

TEST_F(OldFiles, MarkerQuirks)
{
    // The marker that ends the matrix does not count for the type: it needs a second one.
    EXPECT_FALSE(Load("0,5\n5,0\nGrafType\nGraf1.001\n"));
    EXPECT_EQ(host.MessageTexts(), QStringList{Translate("Not_correct_matrix_not_load_matrix")});
    EXPECT_FALSE(g->Weighted);
    host.messages.clear();
    ASSERT_TRUE(Load("0,5\n5,0\nGrafType\nGrafType\nGraf1.001\n"));
    EXPECT_TRUE(g->Weighted);
    EXPECT_FALSE(g->Directed);

    // A blank in the type line: ignored, the kind stays.
    g->StartNewGraph(true, false);
    ASSERT_TRUE(Load("0,1\n0,0\nXYposition\n1 2\n3 4\nGrafType\nGraf1. 01\n"));
    EXPECT_TRUE(g->Directed);

    // Markers must match exactly; labels without an end run to the end of the file.
    ASSERT_TRUE(
        Load("0,1\n1,0\nXYposition\n1 2\n3 4\nGrafType\nGraf1.000\nlabels\nLabels\none\n1\n2\ntwo\n3\n4"));
    ASSERT_EQ(g->LabelCount, 2);
    EXPECT_EQ(g->Labels[2].Text, "two");
    EXPECT_EQ(g->Labels[2].X, 3);

    // The search for the type runs to the end of the file, so labels after a file without
    // a type part are never reached.
    g->DeleteAllLabels();
    ASSERT_TRUE(Load("0,1\n1,0\nXYposition\n1 2\n3 4\nLabels\none\n1\n2\nEndLabel\n"));
    EXPECT_EQ(g->LabelCount, 0);

    // Positions may spread over lines; fewer positions than vertices keep the rest random.
    ASSERT_TRUE(Load("0,1,1\n1,0,0\n1,0,0\nXYposition\n 7\n\n  8 \n"));
    EXPECT_EQ(g->Vertices[1].X, 7);
    EXPECT_EQ(g->Vertices[1].Y, 8);
    EXPECT_EQ(g->VertexCount, 3);
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(OldFiles, LabelsPastCapacityAreDropped)
{
    QByteArray text = "0\nGrafType\nGrafType\nGraf1.000\nLabels\n";
    for (int i = 0; i < GraphDocument::MaxLabels + 5; ++i)
        text += "l\n1\n2\n";
    ASSERT_TRUE(Load(text));
    EXPECT_EQ(g->LabelCount, GraphDocument::MaxLabels);
}

TEST_F(OldFiles, DamagedFilesAreRefusedClearly)
{
    g->StartNewGraph(false, false);
    ASSERT_TRUE(Load("0,1\n1,0\n"));
    // More matrix lines than vertices the document holds: refused whole.
    QByteArray many;
    for (int i = 0; i < GraphDocument::MaxVertices + 1; ++i)
        many += "\n";
    EXPECT_FALSE(Load(many));
    EXPECT_EQ(host.MessageTexts(), QStringList{Translate("Version_not_support_count")});
    EXPECT_EQ(g->VertexCount, 2);

    // A position that is not a number stops the reading before anything changes.
    host.messages.clear();
    EXPECT_FALSE(Load("0\nXYposition\nten 20\n"));
    EXPECT_EQ(host.MessageTexts(), QStringList{Translate("Happend_error")});
    EXPECT_EQ(g->VertexCount, 2);

    // A label coordinate that is not a number stops there; what was read stays.
    host.messages.clear();
    EXPECT_TRUE(Load("0\nGrafType\nGrafType\nGraf1.000\nLabels\nfirst\n1\n2\nsecond\nx\n3\nthird\n5\n6\n"));
    EXPECT_EQ(host.MessageTexts(), QStringList{Translate("Happend_error")});
    EXPECT_EQ(g->LabelCount, 1);
    EXPECT_EQ(g->VertexCount, 1);

    // Windows-1251 text from older versions is still read.
    host.messages.clear();
    g->DeleteAllLabels();
    ASSERT_TRUE(Load("0\nGrafType\nGrafType\nGraf1.000\nLabels\n\xcf\xf0\xe8\xe2\xe5\xf2\n1\n2\n"));
    EXPECT_EQ(g->Labels[1].Text, QString::fromUtf8("Привет"));
}

TEST_F(OldFiles, TypeLineKeepsTheUsersDrawingStyles)
{
    g->Style().NormalArc.PenColor = 0x808080;
    g->Style().ActiveVertex.BrushColor = 0x00FF00;
    ASSERT_TRUE(Load("0,1\n0,0\nXYposition\n10 10\n50 50\nGrafType\nGraf1.010\n"));
    EXPECT_TRUE(g->Directed);
    EXPECT_EQ(g->Style().NormalArc.PenColor, 0x808080);
    EXPECT_EQ(g->Style().ActiveVertex.BrushColor, 0x00FF00);
}
