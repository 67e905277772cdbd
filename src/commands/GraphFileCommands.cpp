#include "commands/GraphFileCommands.h"

#include "base/IniFile.h"
#include "base/TranslateManager.h"
#include "commands/GraphSession.h"
#include "document/HistoryManager.h"
#include "files/GrafaFile.h"
#include "files/OldGrafFile.h"
#include "files/RecentFiles.h"

#include <QFileInfo>

namespace GraphFileCommands {

namespace {

void ShowFileError(CHost& host, const QString& fileName, const QString& reason)
{
    host.ShowError(Translate(QStringLiteral("Happend_error")) + QLatin1Char('\r') + fileName +
                   (reason.isEmpty() ? QString() : QStringLiteral(": ") + reason));
}

} // namespace

bool OpenGraphFile(GraphSession& session, const QString& fileName)
{
    if (!session.RequireDocument())
        return false;
    CHost& host = session.Host();
    const QFileInfo info(fileName);
    // A vanished recent file or a folder: say so instead of emptying the graph.
    if (!info.isFile() || !info.isReadable()) {
        ShowFileError(host, fileName, QString());
        return false;
    }

    TAllGraf& g = *session.Document();
    session.RecordState();
    g.DeleteAllLabels();
    bool loaded = false;
    {
        const CIniFile file(fileName);
        if (GrafaFile::FileVersion(file) < 1)
            loaded = OldGrafFile::LoadOldGraf(g, fileName);
        else
            loaded = GrafaFile::LoadGrafa(g, file);
    }
    g.CenterAllDugaText();
    host.RefreshMatrixWindow();
    RecentFiles::AddRecentFile(g.RecentFiles, fileName);
    host.Redraw();
    host.UpdateMenus();
    return loaded;
}

bool ImportGraphFile(GraphSession& session, const QString& fileName, ExchangeFormats::Format format)
{
    if (!session.RequireDocument())
        return false;
    TAllGraf& g = *session.Document();
    // The state before the import is recorded only once the import is sure to happen.
    auto before = CHistoryManager::TakeSnapshot(g);
    if (ExchangeFormats::ImportGraph(g, fileName, format) != ExchangeFormats::ImportResult::Imported)
        return false;
    session.History().Record(std::move(before));
    RecentFiles::AddRecentFile(g.RecentFiles, fileName);
    session.Host().RefreshMatrixWindow();
    session.Host().Redraw();
    session.Host().UpdateMenus();
    return true;
}

QString GrafaFileName(const QString& chosenName)
{
    const QString extension = QStringLiteral(".grafa");
    return chosenName.right(extension.size()) == extension ? chosenName : chosenName + extension;
}

bool SaveGraphFile(GraphSession& session, const QString& chosenName)
{
    if (!session.RequireDocument())
        return false;
    const QString fileName = GrafaFileName(chosenName);
    TAllGraf& g = *session.Document();
    QString error;
    if (!GrafaFile::SaveGrafa(g, fileName, &error)) {
        ShowFileError(session.Host(), fileName, error);
        return false;
    }
    RecentFiles::AddRecentFile(g.RecentFiles, fileName);
    session.Host().UpdateMenus();
    return true;
}

} // namespace GraphFileCommands
