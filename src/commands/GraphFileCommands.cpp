#include "commands/GraphFileCommands.h"

#include "base/IniFile.h"
#include "base/TranslationManager.h"
#include "commands/GraphSession.h"
#include "document/UndoHistory.h"
#include "files/GrafaFile.h"
#include "files/OldGrafFile.h"
#include "files/RecentFiles.h"

#include <QFileInfo>
#include <memory>

namespace GraphFileCommands {

namespace {

void ShowFileError(ProgramHost& host, const QString& fileName, const QString& reason)
{
    host.ShowError(Translate(QStringLiteral("Happend_error")) + QLatin1Char('\r') + fileName +
                   (reason.isEmpty() ? QString() : QStringLiteral(": ") + reason));
}

// What a graph file can change: the recorded document with its naming, and the drawing's extent.
void CopyDocument(const GraphDocument& from, GraphDocument& to)
{
    UndoHistory::Restore(to, *UndoHistory::TakeSnapshot(from));
    to.Naming() = from.Naming(); // with the start values, which the file names its vertices by
    to.ExtentWidth = from.ExtentWidth;
    to.ExtentHeight = from.ExtentHeight;
    to.MeasuresLabels = from.MeasuresLabels;
}

// The open command; an example is kept out of the recent list and out of every file.
bool ReadGraphFile(GraphSession& session, const QString& fileName, bool anyName, bool example)
{
    if (!session.RequireDocument())
        return false;
    ProgramHost& host = session.Host();
    const QFileInfo info(fileName);
    // A vanished recent file or a folder: say so instead of emptying the graph.
    if (!info.isFile() || !info.isReadable()) {
        ShowFileError(host, fileName, QString());
        return false;
    }

    // A ".txt" edge list, or any exchange format, opened or chosen from the recent files:
    // read as Import reads it, so the same file never means two different graphs.
    if (const auto format = ExchangeFormats::ImportFormatOfFile(fileName);
        format != ExchangeFormats::Format::Unknown)
        return ImportGraphFile(session, fileName, format);
    // A ".gexf" or ".gv.gz" read as the older text form would be refused for a reason it
    // does not have.
    if (!anyName && !ExchangeFormats::IsProgramGraphName(fileName)) {
        host.ShowError(Translate(QStringLiteral("Exchange_unknown_format")).arg(info.fileName()));
        return false;
    }

    if (info.size() > GrafaFile::MaxGraphFileBytes) {
        host.ShowError(
            FileError::Message(QStringLiteral("File_too_large"),
                               {fileName, QString::number(GrafaFile::MaxGraphFileBytes / (1024 * 1024))})
                .InFile(fileName)
                .Text());
        return false;
    }

    GraphDocument& g = *session.Document();
    // The file is read into a scratch document that starts as a copy of the current one
    // (styles, view settings, naming), so a file refused halfway leaves the graph, its
    // history and the recent list exactly as they were.
    VertexNaming naming = g.Naming();
    auto scratch = std::make_unique<GraphDocument>();
    MessageCountingHost counting(host);
    scratch->UseNaming(&naming);
    scratch->UseDrawingStyle(&g.Style());
    CopyDocument(g, *scratch);
    scratch->DeleteAllLabels();
    bool loaded = false;
    {
        const IniFile file(fileName);
        FileError refusal;
        if (GrafaFile::FileVersion(file) < 1)
            loaded = OldGrafFile::LoadOldGraf(*scratch, counting, fileName);
        else
            loaded = GrafaFile::ReadGrafa(*scratch, counting, file, refusal);
        if (refusal.IsError())
            counting.ShowError(refusal.Text());
    }
    if (!loaded) {
        // A file the readers refuse without a word (a newer version, an empty or shapeless
        // text) must not look like a success.
        if (counting.Messages() == 0)
            ShowFileError(host, fileName, QString());
        host.Redraw();
        host.UpdateMenus();
        return false;
    }
    scratch->CenterAllArcTexts();

    session.RecordState();
    CopyDocument(*scratch, g);
    session.Gestures().Reset();
    host.RefreshMatrixWindow();
    if (example) {
        session.MarkUnsaved();
    } else {
        RecentFiles::AddRecentFile(session.RecentFiles(), fileName);
        session.MarkSaved(fileName);
    }
    host.Redraw();
    host.UpdateMenus();
    return true;
}

} // namespace

bool OpenGraphFile(GraphSession& session, const QString& fileName, bool anyName)
{
    return ReadGraphFile(session, fileName, anyName, false);
}

bool OpenExampleFile(GraphSession& session, const QString& fileName)
{
    return ReadGraphFile(session, fileName, false, true);
}

bool ImportGraphFile(GraphSession& session, const QString& fileName, ExchangeFormats::Format format)
{
    if (!session.RequireDocument())
        return false;
    GraphDocument& g = *session.Document();
    // The state before the import is recorded only once the import is sure to happen.
    auto before = session.Snapshot();
    if (ExchangeFormats::ImportGraph(g, session.Host(), fileName, format, ImportWeights::Ask) !=
        ExchangeFormats::ImportResult::Imported)
        return false;
    session.History().Record(std::move(before));
    session.Gestures().Reset();
    // The graph is in no graph file yet: saving must not write over the file it came from.
    session.MarkUnsaved();
    RecentFiles::AddRecentFile(session.RecentFiles(), fileName);
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
    GraphDocument& g = *session.Document();
    QString error;
    if (!GrafaFile::SaveGrafa(g, fileName, &error)) {
        ShowFileError(session.Host(), fileName, error);
        return false;
    }
    RecentFiles::AddRecentFile(session.RecentFiles(), fileName);
    session.MarkSaved(fileName);
    session.Host().UpdateMenus();
    return true;
}

} // namespace GraphFileCommands
