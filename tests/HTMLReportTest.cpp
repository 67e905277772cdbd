#include "report/HTMLReport.h"
#include "TestFolders.h"
#include "base/ProgramPaths.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {
struct Report : ::testing::Test {
    QTemporaryDir dir;
    HTMLReportManager report;
    void SetUp() override { ProgramPaths::SetProgramFolderOverride(dir.path()); }
    void TearDown() override { ProgramPaths::SetProgramFolderOverride(TestProgramFolder()); }
    QByteArray Saved() const
    {
        QFile file(report.GetFileName());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
    }
};
} // namespace

TEST_F(Report, FragmentsConcatenateWithoutSeparators)
{
    report.AddBoldLine("Head");
    report.AddLine("line");
    report.BeginTable();
    report.BeginRow();
    report.AddCell("1");
    report.AddCell("");
    report.EndRow();
    report.EndTable();
    report.AddText("tail");
    EXPECT_EQ(report.GetContent(),
              "<b>Head</b><br>line<br><table border=1><tr><td>1</td><td></td></tr></table>tail");
    report.Clear();
    EXPECT_TRUE(report.GetContent().isEmpty());
}

TEST_F(Report, TextIsEscapedMarkupIsNot)
{
    report.AddBoldLine("a<b>&\"c\"");
    report.AddCell("<script>");
    report.AddLine("Вершина 'x' > 3");
    EXPECT_EQ(report.GetContent(), "<b>a&lt;b&gt;&amp;&quot;c&quot;</b><br><td>&lt;script&gt;</td>"
                                   "Вершина 'x' &gt; 3<br>");
}

TEST_F(Report, FileHoldsTheContentAndALineBreakInUtf8)
{
    EXPECT_EQ(QDir::cleanPath(report.GetFileName()), QDir::cleanPath(dir.filePath("reportTemp.html")));
    ASSERT_TRUE(report.SaveToFile());
    EXPECT_EQ(Saved(), "\r\n");
    report.AddLine("Алгоритм");
    ASSERT_TRUE(report.SaveToFile());
    EXPECT_EQ(Saved(), QString("Алгоритм<br>\r\n").toUtf8());
}

TEST_F(Report, UnwritableFolderIsReportedAndKeepsTheOldFile)
{
    ASSERT_TRUE(report.SaveToFile());
    ProgramPaths::SetProgramFolderOverride(dir.filePath("missing"));
    report.AddLine("new");
    QString error;
    EXPECT_FALSE(report.SaveToFile(&error));
    EXPECT_FALSE(error.isEmpty());
    ProgramPaths::SetProgramFolderOverride(dir.path());
    EXPECT_EQ(Saved(), "\r\n");
}
