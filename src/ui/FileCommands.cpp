#include "ui/FileCommands.h"

#include "base/TranslationManager.h"
#include "commands/GraphFileCommands.h"
#include "commands/GraphSession.h"
#include "commands/NewGraphCommands.h"
#include "drawing/Canvas.h"
#include "files/ExchangeFormats.h"
#include "ui/CommandWindow.h"
#include "ui/DocumentPainter.h"

#include <QFileInfo>
#include <QPainter>

namespace {

// Confirms at once, with names numbered from 1.
class StartGraphPrompt : public NewGraphPrompt {
  public:
    explicit StartGraphPrompt(VertexNaming& naming) : naming(naming) {}
    bool Run(const QString&) override
    {
        naming.SetKind(VertexNaming::Numbers);
        naming.SetNumbers(1);
        return true;
    }
    bool Directed() const override { return false; }
    bool Weighted() const override { return false; }

  private:
    VertexNaming& naming;
};

QString UnknownFormat(const QString& fileName)
{
    return Translate("Exchange_unknown_format").arg(QFileInfo(fileName).fileName());
}

} // namespace

FileCommands::FileCommands(GraphSession& session, CommandWindow& window, NewGraphEnvironment& environment)
    : session(session), window(window), environment(environment)
{
}

void FileCommands::AfterReading(bool read)
{
    if (read)
        window.ClearResultPanes();
    window.UpdateScrollBars();
    window.RefreshRecentMenu();
    window.Redraw();
}

void FileCommands::Load()
{
    if (!session.RequireDocument() || !window.MayDiscardWork())
        return;
    window.LeaveTextMode();
    const QString file = window.ChooseFile(FileDialogKind::OpenGraph);
    if (!file.isEmpty())
        OpenFile(file);
}

void FileCommands::OpenFile(const QString& fileName)
{
    AfterReading(GraphFileCommands::OpenGraphFile(session, fileName));
}

void FileCommands::OpenExample(const QString& fileName)
{
    if (!session.RequireDocument() || !window.MayDiscardWork())
        return;
    AfterReading(GraphFileCommands::OpenExampleFile(session, fileName));
}

void FileCommands::StartFirstGraph()
{
    StartGraphPrompt prompt(session.Naming());
    NewGraphCommand(session, prompt, environment);
}

void FileCommands::OpenOutsideFile(const QString& fileName)
{
    if (!session.HasDocument())
        StartFirstGraph();
    else if (!window.MayDiscardWork())
        return;
    window.LeaveTextMode();
    OpenFile(fileName);
}

bool FileCommands::Save()
{
    if (!session.RequireDocument())
        return false;
    // Only a ".grafa" is rewritten in place: an older text file or an edge list would
    // otherwise silently change its format under the same name.
    const QString current = session.FileName();
    if (current.isEmpty() || current != GraphFileCommands::GrafaFileName(current))
        return SaveAs();
    window.LeaveTextMode();
    const bool saved = GraphFileCommands::SaveGraphFile(session, current);
    window.RefreshRecentMenu();
    return saved;
}

bool FileCommands::SaveAs()
{
    if (!session.RequireDocument())
        return false;
    window.LeaveTextMode();
    const QString file = window.ChooseFile(FileDialogKind::SaveGraph);
    if (file.isEmpty())
        return false;
    const bool saved = GraphFileCommands::SaveGraphFile(session, file);
    window.RefreshRecentMenu();
    return saved;
}

void FileCommands::OpenRecent(int index)
{
    QStringList& recent = session.RecentFiles();
    if (!session.HasDocument() || index < 0 || index >= recent.size())
        return;
    window.LeaveTextMode();
    const QString fileName = recent[index];
    if (QFileInfo(fileName).isFile() && !window.MayDiscardWork())
        return;
    if (!QFileInfo(fileName).isFile()) {
        // The open command reports the missing file; it then leaves the list.
        GraphFileCommands::OpenGraphFile(session, fileName);
        recent.removeAll(fileName);
        window.RefreshRecentMenu();
        return;
    }
    OpenFile(fileName);
}

void FileCommands::SaveImage()
{
    if (!session.RequireDocument())
        return;
    window.LeaveTextMode();
    const QString chosen = window.ChooseFile(FileDialogKind::SavePicture);
    if (chosen.isEmpty())
        return;
    const QString file = PictureFileName(chosen, FileFilters::PictureTypeOfFilter(window.ChosenFileFilter()));
    const PictureType type = PictureTypeOfName(file).value_or(PictureType::Bitmap);
    const QSize canvas = window.CanvasSize();
    QString error;
    bool saved = false;
    if (type == PictureType::Svg) {
        saved = SaveDocumentSvg(*session.Document(), canvas, file, &error);
    } else {
        // What is on screen now (the drawing area at the current scroll position) on a
        // picture of the canvas size; bounded, since the canvas itself is only logical.
        const int side = 16384;
        const QImage shown = window.ShownDrawing();
        QImage picture = MakeSurface(std::min(canvas.width(), side), std::min(canvas.height(), side),
                                     shown.devicePixelRatio());
        {
            QPainter painter(&picture);
            painter.drawImage(QPoint(0, 0), shown);
        }
        saved = SaveCanvasImage(picture, file, &error);
    }
    if (!saved)
        window.Host().ShowError(Translate("Happend_error") + QLatin1Char('\r') + error);
}

void FileCommands::Import()
{
    if (!session.RequireDocument() || !window.MayDiscardWork())
        return;
    window.LeaveTextMode();
    const QString file = window.ChooseFile(FileDialogKind::ImportGraph);
    if (file.isEmpty())
        return;
    const ExchangeFormats::Format format = ExchangeFormats::ImportFormatOfFile(file);
    // A ".txt" that holds the program's own graph is opened as such.
    if (format == ExchangeFormats::Format::Unknown &&
        ExchangeFormats::FormatOfFile(file) != ExchangeFormats::Format::Unknown) {
        OpenFile(file);
        return;
    }
    if (format == ExchangeFormats::Format::Unknown) {
        window.Host().ShowError(UnknownFormat(file));
        return;
    }
    AfterReading(GraphFileCommands::ImportGraphFile(session, file, format));
}

void FileCommands::Export()
{
    GraphDocument* g = session.Document();
    if (!session.RequireDocument() || !g)
        return;
    window.LeaveTextMode();
    QString file = window.ChooseFile(FileDialogKind::ExportGraph);
    if (file.isEmpty())
        return;
    // A name without an extension is written in the chosen filter's format.
    const QString extension = FileFilters::FirstExtension(window.ChosenFileFilter());
    if (QFileInfo(file).suffix().isEmpty() && !extension.isEmpty())
        file += QLatin1Char('.') + extension;
    QString error;
    bool saved = false;
    if (file.endsWith(QLatin1String(".pdf"), Qt::CaseInsensitive)) {
        saved = SaveDocumentPdf(*g, window.CanvasSize(), file, &error);
    } else {
        const ExchangeFormats::Format format = ExchangeFormats::FormatOfFile(file);
        if (format == ExchangeFormats::Format::Unknown) {
            window.Host().ShowError(UnknownFormat(file));
            return;
        }
        FileError failure;
        saved = ExchangeFormats::ExportGraph(*g, file, format, &failure);
        error = failure.Text();
    }
    if (!saved)
        window.Host().ShowError(Translate("Happend_error") + QLatin1Char('\r') + file + QStringLiteral(": ") +
                                error);
}
