#pragma once

#include "base/ProgramPaths.h"
#include "document/AllGrafUnit.h"
#include "document/Host.h"

#include <QByteArray>
#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <cstddef>
#include <cstdint>
#include <memory>

// What every fuzz target shares: a windowless Qt application (labels are measured with the
// fonts), a private program folder for files and settings, and a host that answers nothing.
namespace Fuzz {

class SilentHost : public CHost {
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

// A fresh document attached to a silent host, as the program has before a file is opened.
struct Document {
    SilentHost host;
    std::unique_ptr<TAllGraf> graf = std::make_unique<TAllGraf>();
    CTitleGraf naming;

    explicit Document(bool directed = false, bool weighted = false)
    {
        naming.SetKind(CTitleGraf::Numbers);
        naming.SetNumbers(1);
        graf->AttachHost(&host);
        graf->SetTitleGraf(&naming);
        graf->NewGraf(directed, weighted);
    }
};

} // namespace Fuzz
