#include "commands/GraphFileCommands.h"

#include "base/IniFile.h"
#include "base/TranslateManager.h"
#include "commands/GraphSession.h"
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
