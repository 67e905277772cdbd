#include "base/ProgramPaths.h"
#include "TestFolders.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

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

} // namespace
