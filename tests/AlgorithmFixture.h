#pragma once

#include "ScriptedHost.h"
#include "TestFolders.h"
#include "base/ProgramPaths.h"
#include "base/TranslationManager.h"
#include "document/GraphDocument.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

// An algorithm test: a program folder of its own (the report lands there), the built-in
// language, a scripted host for the graph under test.
struct AlgorithmFixture : ::testing::Test {
    QTemporaryDir dir;
    ScriptedHost host;
    std::unique_ptr<GraphDocument> g;

    void SetUp() override
    {
        ProgramPaths::SetProgramFolderOverride(dir.path());
        TranslateManager().UseBuiltIn();
    }
    void TearDown() override { ProgramPaths::SetProgramFolderOverride(TestProgramFolder()); }
};
