#pragma once

#include "base/ProgramPaths.h"
#include "document/GraphDocument.h"
#include "document/ProgramHost.h"
#include "files/ExchangeFormats.h"
#include "files/GrafaFile.h"

#include <QByteArray>
#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>

// What every fuzz target shares: a windowless Qt application (labels are measured with the
// fonts), a private program folder for files and settings, and a host that answers nothing.
namespace Fuzz {

class SilentHost : public ProgramHost {
  public:
    void ShowMessage(MessageKind, const QString&) override {}
    bool AskYesNo(const QString&) override { return false; }
    bool InputQuery(const QString&, const QString&, QString&) override { return false; }
    bool ChooseVertex(const QString&, const QStringList&, int&) override { return false; }
};

inline QTemporaryDir& Folder()
{
    static QTemporaryDir folder;
    return folder;
}

// Call from LLVMFuzzerInitialize.
inline void Start(int* argc, char*** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication app(*argc, *argv);
    ProgramPaths::SetProgramFolderOverride(Folder().path());
    ProgramPaths::SetLanguageFolderOverride(Folder().path());
}

// The input as a file of the given name in the program folder; its full path.
inline QString WriteFile(const QString& name, const uint8_t* data, size_t size)
{
    const QString path = Folder().filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        qFatal("cannot write %s", qPrintable(path));
    file.write(reinterpret_cast<const char*>(data), qint64(size));
    return path;
}

// A fresh document with a silent host beside it, as the program has before a file is opened.
struct Document {
    SilentHost host;
    std::unique_ptr<GraphDocument> graf = std::make_unique<GraphDocument>();
    VertexNaming naming;

    explicit Document(bool directed = false, bool weighted = false)
    {
        naming.SetKind(VertexNaming::Numbers);
        naming.SetNumbers(1);
        graf->UseNaming(&naming);
        graf->StartNewGraph(directed, weighted);
    }
};

// Stops the run (libFuzzer then keeps the input) unless whatever a reader left in the
// document is a graph the rest of the program can work on.
inline void Require(bool holds, const char* what, int v = 0)
{
    if (holds)
        return;
    std::fprintf(stderr, "document check failed: %s (vertex %d)\n", what, v);
    std::abort();
}

inline void CheckDocument(const GraphDocument& g)
{
    Require(g.VertexCount >= 0 && g.VertexCount <= GraphDocument::MaxVertices, "vertex count");
    Require(g.LabelCount >= 0 && g.LabelCount <= GraphDocument::MaxLabels, "label count");
    GraphDocument::VertexArray<int> holders{};
    for (int v = 1; v <= g.VertexCount; ++v) {
        const VertexRecord& p = g.Vertices[v];
        Require(std::abs(p.X) <= GrafaFile::MaxCoordinate && std::abs(p.Y) <= GrafaFile::MaxCoordinate,
                "coordinates", v);
        Require(p.NameNumber >= 1 && p.NameNumber <= GraphDocument::MaxVertices, "name number", v);
        Require(++holders[p.NameNumber] == 1 && g.NameNumberUsed[p.NameNumber], "name number in use once", v);
        Require(g.OutCount(v) >= 0 && g.OutCount(v) <= GraphDocument::MaxOut, "out-list length", v);
        for (int k = 0; k < g.OutCount(v); ++k) {
            const int head = g.OutArcs(v)[k];
            Require(head >= 1 && head <= g.VertexCount && head != v, "arc head", v);
            Require(std::count(g.OutArcs(v).begin(), g.OutArcs(v).end(), head) == 1, "arc listed once", v);
            const int cost = g.Arc(v, head).Weight;
            Require(cost >= 1 && cost <= GraphDocument::MaxWeight, "arc weight", v);
            if (!g.Directed)
                Require(g.HasArc(head, v) && g.Arc(head, v).Weight == cost, "undirected arc both ways", v);
        }
    }
}

// An exchange-format reader on any bytes, through the prescan, as Import reads a file.
inline void ImportExchange(const char* extension, const uint8_t* data, size_t size)
{
    const QString path = WriteFile(QStringLiteral("input.") + QLatin1String(extension), data, size);
    Document document;
    ExchangeFormats::ImportGraph(*document.graf, document.host, path, ExchangeFormats::FormatOfFile(path));
    CheckDocument(*document.graf);
}

} // namespace Fuzz
