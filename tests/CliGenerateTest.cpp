#include "CliProcess.h"
#include "base/TranslationManager.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

struct CliGenerate : CliProcess {
    // The adjacency matrix of a graph file as nodeloom-cli prints it.
    QString Matrix(const QString& name)
    {
        EXPECT_EQ(Run({"matrix", name}), 0) << err.toStdString();
        return out;
    }
};

TEST_F(CliGenerate, WritesTheFamilyWithItsOptions)
{
    ASSERT_EQ(Run({"generate", "bipartite", "2", "3", "k23.grafa", "--directed", "--weights", "4..4"}), 0)
        << err.toStdString();
    EXPECT_EQ(Matrix("k23.grafa"), "0,0,4,4,4\n0,0,4,4,4\n0,0,0,0,0\n0,0,0,0,0\n0,0,0,0,0\n");

    ASSERT_EQ(Run({"generate", "cycle", "4", "c4.grafa", "--naming", "letters:X"}), 0) << err.toStdString();
    EXPECT_EQ(Matrix("c4.grafa"), "0,1,0,1\n1,0,1,0\n0,1,0,1\n1,0,1,0\n");
    EXPECT_TRUE(Read("c4.grafa").contains("BeginLetter=88"));

    // Pictures and exchange formats by the output's name.
    ASSERT_EQ(Run({"generate", "petersen", "p.png"}), 0) << err.toStdString();
    EXPECT_TRUE(Read("p.png").startsWith("\x89PNG"));
    ASSERT_EQ(Run({"generate", "path", "3", "p3.graphml"}), 0) << err.toStdString();
    EXPECT_TRUE(Read("p3.graphml").contains("<graphml"));
}

TEST_F(CliGenerate, SeedsReproduceTheFile)
{
    for (const char* name : {"a.grafa", "b.grafa"})
        ASSERT_EQ(Run({"generate", "gnp", "30", "0.2", name, "--seed", "99", "--weights", "1..9"}), 0);
    ASSERT_EQ(Run({"generate", "gnp", "30", "0.2", "c.grafa", "--seed", "100", "--weights", "1..9"}), 0);
    EXPECT_EQ(Read("a.grafa"), Read("b.grafa"));
    EXPECT_NE(Read("a.grafa"), Read("c.grafa"));
}

TEST_F(CliGenerate, RefusalsAndUsageErrors)
{
    EXPECT_EQ(Run({"generate", "grid", "16", "16", "g.grafa"}), 3);
    EXPECT_EQ(
        err,
        "message: " +
            Translate("Generate_range").arg(Translate("Generate_vertex_count").arg(256)).arg(1).arg(255) +
            "\n");
    EXPECT_EQ(Run({"generate", "gpetersen", "9", "5", "g.grafa"}), 3);
    EXPECT_EQ(err, "message: k (шаг): допустимо от 1 до 4\n");
    EXPECT_FALSE(QFile::exists(dir.filePath("g.grafa")));

    EXPECT_EQ(Run({"generate", "spiral", "5", "g.grafa"}), 2);
    EXPECT_EQ(Run({"generate", "grid", "4", "g.grafa"}), 2);
    EXPECT_EQ(Run({"generate", "grid", "4", "x", "g.grafa"}), 2);
    EXPECT_EQ(Run({"generate", "cycle", "5", "g.grafa", "--layout", "spiral"}), 2);
    EXPECT_EQ(Run({"generate", "cycle", "5", "g.grafa", "--weights", "3-4"}), 2);
    EXPECT_TRUE(err.contains("--weights takes MIN..MAX"));
    EXPECT_FALSE(QFile::exists(dir.filePath("g.grafa")));
}

TEST_F(CliGenerate, LayoutMovesVerticesAndKeepsTheRest)
{
    ASSERT_EQ(Run({"generate", "tree", "12", "t.grafa", "--seed", "5", "--layout", "circle"}), 0);
    ASSERT_EQ(Run({"layout", "reingold-tilford", "t.grafa", "t2.grafa", "--root", "3"}), 0)
        << err.toStdString();
    EXPECT_EQ(Matrix("t.grafa"), Matrix("t2.grafa"));
    EXPECT_NE(Read("t.grafa"), Read("t2.grafa"));
    ASSERT_EQ(Run({"layout", "circle", "t2.grafa", "t3.grafa"}), 0);
    EXPECT_EQ(Read("t.grafa"), Read("t3.grafa"));

    EXPECT_EQ(Run({"layout", "tree", "t.grafa", "x.grafa", "--root", "13"}), 2);
    EXPECT_EQ(Run({"layout", "spiral", "t.grafa", "x.grafa"}), 2);
    EXPECT_EQ(Run({"layout", "fr", "missing.grafa", "x.grafa"}), 1);
    EXPECT_FALSE(QFile::exists(dir.filePath("x.grafa")));
}

} // namespace
