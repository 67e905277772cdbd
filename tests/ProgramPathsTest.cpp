#include "base/ProgramPaths.h"
#include "TestFolders.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>
#include <thread>

namespace {

// The tests run with a private program folder; these look at the real one.
struct RealProgramFolder {
    RealProgramFolder() { ProgramPaths::SetProgramFolderOverride(QString()); }
    ~RealProgramFolder() { ProgramPaths::SetProgramFolderOverride(TestProgramFolder()); }
};

TEST(ProgramPathsTest, BuildTreeIsTheProgramFolderAndHoldsTheLanguageFiles)
{
    RealProgramFolder real;
    // The test executable sits in the writable build folder, where the build copies local/*.lang.
    const QString executable = QCoreApplication::applicationDirPath();
    EXPECT_EQ(ProgramPaths::ProgramFolder(), executable);
    EXPECT_EQ(ProgramPaths::LanguageFolder(), executable + QStringLiteral("/local"));
    EXPECT_TRUE(QFileInfo::exists(ProgramPaths::LanguageFolder() + QStringLiteral("/grafEnglish.lang")));
    EXPECT_TRUE(ProgramPaths::HelpFile().endsWith(QStringLiteral("/help.pdf")));
}

TEST(ProgramPathsTest, OverridesRedirectAndEmptyRestores)
{
    QTemporaryDir programDir;
    QTemporaryDir languageDir;
    QFile help(programDir.filePath(QStringLiteral("help.pdf")));
    ASSERT_TRUE(help.open(QIODevice::WriteOnly));
    help.close();

    ProgramPaths::SetProgramFolderOverride(programDir.path());
    ProgramPaths::SetLanguageFolderOverride(languageDir.path());
    EXPECT_EQ(ProgramPaths::ProgramFolder(), programDir.path());
    EXPECT_EQ(ProgramPaths::LanguageFolder(), languageDir.path());
    EXPECT_EQ(ProgramPaths::HelpFile(), programDir.filePath(QStringLiteral("help.pdf")));

    RealProgramFolder real;
    ProgramPaths::SetLanguageFolderOverride(QString());
    EXPECT_EQ(ProgramPaths::ProgramFolder(), QCoreApplication::applicationDirPath());
    EXPECT_EQ(ProgramPaths::LanguageFolder(),
              QCoreApplication::applicationDirPath() + QStringLiteral("/local"));
}

TEST(ProgramPathsTest, AnInstalledLayoutIsABinFolderBesideShareNodeloom)
{
    QTemporaryDir prefix;
    QDir root(prefix.path());
    ASSERT_TRUE(root.mkpath(QStringLiteral("bin")) && root.mkpath(QStringLiteral("tools")));
    EXPECT_FALSE(ProgramPaths::IsInstalledLayout(root.filePath(QStringLiteral("bin"))));
    ASSERT_TRUE(root.mkpath(QStringLiteral("share/nodeloom")));
    EXPECT_TRUE(ProgramPaths::IsInstalledLayout(root.filePath(QStringLiteral("bin"))));
    // A portable copy or a build tree is never taken for one.
    EXPECT_FALSE(ProgramPaths::IsInstalledLayout(root.filePath(QStringLiteral("tools"))));
    EXPECT_FALSE(ProgramPaths::IsInstalledLayout(QCoreApplication::applicationDirPath()));
}

TEST(ProgramPathsTest, AThreadsOwnFolderHoldsTheReportAndLeavesOtherThreadsAlone)
{
    QTemporaryDir own;
    EXPECT_EQ(ProgramPaths::ReportFolder(), TestProgramFolder());
    QString seenThere, reportThere, seenAfter;
    std::thread worker([&] {
        ProgramPaths::SetThreadProgramFolderOverride(own.path());
        seenThere = ProgramPaths::ProgramFolder();
        reportThere = ProgramPaths::ReportFolder();
        ProgramPaths::SetThreadProgramFolderOverride(QString());
        seenAfter = ProgramPaths::ProgramFolder();
    });
    worker.join();
    EXPECT_EQ(seenThere, own.path());
    EXPECT_EQ(reportThere, own.path());
    EXPECT_EQ(seenAfter, TestProgramFolder());
    EXPECT_EQ(ProgramPaths::ProgramFolder(), TestProgramFolder());

    RealProgramFolder real;
    EXPECT_EQ(ProgramPaths::ReportFolder(), QCoreApplication::applicationDirPath());
}

} // namespace
