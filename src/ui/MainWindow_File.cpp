// The file menu: graph files, the recent-file list and saving the picture.
#include "base/TranslationManager.h"
#include "commands/GraphFileCommands.h"
#include "commands/ProgramSettings.h"
#include "drawing/Canvas.h"
#include "files/RecentFiles.h"
#include "ui/DocumentPainter.h"
#include "ui/DrawingArea.h"
#include "ui/MainWindow.h"
#include "ui/WindowHost.h"

#include <QAction>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QMenu>
#include <QMimeData>
#include <QPainter>
#include <QTimer>
#include <QUrl>

void MainWindow::LoadGraphCommand()
{
    if (!session->RequireDocument() || !MayDiscardWork())
        return;
    LeaveTextMode();
    const QString file = ChooseFile(FileDialog::OpenGraph);
    if (!file.isEmpty())
        OpenGraphFile(file);
}

QString MainWindow::DialogFolder() const
{
    const QFileInfo current(session->FileName());
    if (!session->FileName().isEmpty() && current.absoluteDir().exists())
        return current.absolutePath();
    if (!config->LastFolder.isEmpty() && QDir(config->LastFolder).exists())
        return config->LastFolder;
    return QDir::homePath();
}

QString MainWindow::ChooseFile(FileDialog kind)
{
    const QString file = AskFileName(kind);
    if (!file.isEmpty())
        config->LastFolder = QFileInfo(file).absolutePath();
    return file;
}

void MainWindow::OpenGraphFile(const QString& fileName)
{
    if (GraphFileCommands::OpenGraphFile(*session, fileName))
        ClearResultPanes();
    UpdateScrollBars();
    RefreshRecentMenu();
    Redraw();
}

void MainWindow::OpenExample(const QString& fileName)
{
    if (!session->RequireDocument() || !MayDiscardWork())
        return;
    if (GraphFileCommands::OpenExampleFile(*session, fileName))
        ClearResultPanes();
    UpdateScrollBars();
    Redraw();
}

namespace {

// The first graph of a run that opens a file: created as the new-graph dialog would leave it
// when confirmed at once, since the file then sets its kind and names.
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

// The first local file among the dropped ones; empty when there is none.
QString DroppedFile(const QMimeData* data)
{
    if (!data || !data->hasUrls())
        return QString();
    for (const QUrl& url : data->urls()) {
        if (url.isLocalFile() && QFileInfo(url.toLocalFile()).isFile())
            return url.toLocalFile();
    }
    return QString();
}

} // namespace

bool MainWindow::OpenStartFile(const QString& fileName)
{
    StartGraphPrompt prompt(session->Naming());
    ::NewGraphCommand(*session, prompt, *this);
    LeaveTextMode();
    // Started from a file manager, the user may not know which file the message is about.
    host->NameFileInMessages(fileName);
    const bool opened = GraphFileCommands::OpenGraphFile(*session, fileName);
    host->NameFileInMessages(QString());
    if (opened)
        ClearResultPanes();
    UpdateScrollBars();
    RefreshRecentMenu();
    Redraw();
    return opened;
}

void MainWindow::OpenOutsideFile(const QString& fileName)
{
    if (!session->HasDocument()) {
        StartGraphPrompt prompt(session->Naming());
        ::NewGraphCommand(*session, prompt, *this);
    } else if (!MayDiscardWork()) {
        return;
    }
    LeaveTextMode();
    OpenGraphFile(fileName);
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event)
{
    if (!DroppedFile(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent* event)
{
    const QString file = DroppedFile(event->mimeData());
    if (file.isEmpty())
        return;
    event->acceptProposedAction();
    // After the drop has ended, so that the file manager is not held by our questions.
    QTimer::singleShot(0, this, [this, file] { OpenOutsideFile(file); });
}

bool MainWindow::SaveGraphCommand()
{
    if (!session->RequireDocument())
        return false;
    // Only a ".grafa" is rewritten in place: an older text file or an edge list would
    // otherwise silently change its format under the same name.
    const QString current = session->FileName();
    if (current.isEmpty() || current != GraphFileCommands::GrafaFileName(current))
        return SaveAsCommand();
    LeaveTextMode();
    const bool saved = GraphFileCommands::SaveGraphFile(*session, current);
    RefreshRecentMenu();
    return saved;
}

bool MainWindow::SaveAsCommand()
{
    if (!session->RequireDocument())
        return false;
    LeaveTextMode();
    const QString file = ChooseFile(FileDialog::SaveGraph);
    if (file.isEmpty())
        return false;
    const bool saved = GraphFileCommands::SaveGraphFile(*session, file);
    RefreshRecentMenu();
    return saved;
}

void MainWindow::OpenRecentFile(int index)
{
    QStringList& recent = session->RecentFiles();
    if (!Document() || index < 0 || index >= recent.size())
        return;
    LeaveTextMode();
    const QString fileName = recent[index];
    if (QFileInfo(fileName).isFile() && !MayDiscardWork())
        return;
    if (!QFileInfo(fileName).isFile()) {
        // The open command reports the missing file; it then leaves the list.
        GraphFileCommands::OpenGraphFile(*session, fileName);
        recent.removeAll(fileName);
        RefreshRecentMenu();
        return;
    }
    OpenGraphFile(fileName);
}

void MainWindow::AddRecentFile(const QString& fileName)
{
    if (Document()) {
        RecentFiles::AddRecentFile(session->RecentFiles(), fileName);
        RefreshRecentMenu();
    }
}

void MainWindow::RefreshRecentMenu()
{
    const QStringList files = Document() ? session->RecentFiles() : QStringList();
    for (int i = 0; i < recentActions.size(); ++i) {
        QAction* item = recentActions[i];
        item->setVisible(i < files.size());
        if (i < files.size()) {
            // Numbered for the keyboard; an "&" of the name is shown, not taken as a mnemonic.
            item->setText(QStringLiteral("&%1 ").arg(i + 1) +
                          RecentFiles::MenuCaption(files[i]).replace(QLatin1Char('&'), QStringLiteral("&&")));
            item->setToolTip(files[i]);
            item->setStatusTip(files[i]);
        }
    }
    recentMenu->menuAction()->setVisible(!files.isEmpty());
}

void MainWindow::SaveImageCommand()
{
    if (!session->RequireDocument())
        return;
    LeaveTextMode();
    const QString chosen = ChooseFile(FileDialog::SavePicture);
    if (chosen.isEmpty())
        return;
    const QString file = PictureFileName(chosen, FileFilters::PictureTypeOfFilter(ChosenFilter));
    const PictureType type = PictureTypeOfName(file).value_or(PictureType::Bitmap);
    GraphDocument& g = *Document();
    QString error;
    bool saved = false;
    if (type == PictureType::Svg) {
        saved = SaveDocumentSvg(g, CanvasSize(), file, &error);
    } else {
        // What is on screen now (the drawing area at the current scroll position) on a
        // picture of the canvas size; bounded, since the canvas itself is only logical.
        const int side = 16384;
        QImage picture = MakeSurface(std::min(CanvasSize().width(), side),
                                     std::min(CanvasSize().height(), side), devicePixelRatioF());
        {
            QPainter painter(&picture);
            painter.drawImage(QPoint(0, 0), area->grab().toImage());
        }
        saved = SaveCanvasImage(picture, file, &error);
    }
    if (!saved)
        Host().ShowError(Translate("Happend_error") + QLatin1Char('\r') + error);
}
