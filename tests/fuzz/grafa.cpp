// The ".grafa" reader on any bytes: loading only, never drawing the result.
#include "FuzzSupport.h"
#include "files/GrafaFile.h"

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    Fuzz::Start(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString path = Fuzz::WriteFile(QStringLiteral("input.grafa"), data, size);
    Fuzz::Document document;
    GrafaFile::LoadGrafa(*document.graf, document.host, path);
    Fuzz::CheckDocument(*document.graf);
    return 0;
}
