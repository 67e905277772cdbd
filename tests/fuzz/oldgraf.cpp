// The older plain-text graph file reader on any bytes.
#include "FuzzSupport.h"
#include "files/OldGrafFile.h"

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    Fuzz::Start(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString path = Fuzz::WriteFile(QStringLiteral("input.txt"), data, size);
    Fuzz::Document document;
    OldGrafFile::LoadOldGraf(*document.graf, document.host, path);
    Fuzz::CheckDocument(*document.graf);
    return 0;
}
