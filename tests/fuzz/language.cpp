// A language file on any bytes: loading it and translating every key with it.
#include "FuzzSupport.h"
#include "base/TranslationManager.h"

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    Fuzz::Start(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    Fuzz::WriteFile(QStringLiteral("input.lang"), data, size);
    TranslationManager& manager = TranslateManager();
    manager.LoadLanguage(QStringLiteral("input.lang"));
    qsizetype length = manager.LanguageTitle().size();
    for (const QString& key : manager.Keys())
        length += manager.Translate(key).size();
    manager.UseBuiltIn();
    return length < 0; // keeps the translations from being optimised away
}
