// "setting.ini" on any bytes: the settings of a new document, with its language, and the
// main window's placement on two screens.
#include "FuzzSupport.h"
#include "base/TranslationManager.h"
#include "commands/ProgramSettings.h"

#include <QRect>

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    Fuzz::Start(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    Fuzz::WriteFile(QStringLiteral("setting.ini"), data, size);
    Fuzz::Document document;
    ProgramSettings configuration(TranslateManager());
    configuration.LoadSettings(*document.graf, document.host, true);
    Fuzz::Require(document.graf->VertexSize >= 1, "vertex size");
    configuration.LoadWindowPlacement({QRect(0, 0, 1920, 1080), QRect(1920, -200, 1280, 1024)});
    TranslateManager().UseBuiltIn();
    return 0;
}
