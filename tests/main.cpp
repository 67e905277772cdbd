#include "TestFolders.h"
#include "base/ProgramPaths.h"

#include <QApplication>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {
QTemporaryDir* programFolder = nullptr;
}

QString TestProgramFolder()
{
    return programFolder->path();
}

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir folder;
    programFolder = &folder;
    ProgramPaths::SetProgramFolderOverride(folder.path());
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
