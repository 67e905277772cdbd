// The adjacency matrix typed as text, applied to a document of each of the four kinds.
#include "files/MatrixText.h"
#include "FuzzSupport.h"
#include "base/IniFile.h"

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    Fuzz::Start(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString text =
        IniFile::DecodeText(QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)));
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (int kind = 0; kind < 4; ++kind) {
        Fuzz::Document document(kind & 1, kind & 2);
        MatrixText::ApplyTextMatrix(*document.graf, document.host, lines);
        Fuzz::CheckDocument(*document.graf);
    }
    return 0;
}
