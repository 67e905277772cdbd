// The window's part of the file menu: where its file dialogs open, the recent-file items,
// files dropped on it and the start file. The commands themselves are FileCommands'.
#include "commands/GraphFileCommands.h"
#include "commands/ProgramSettings.h"
#include "files/RecentFiles.h"
#include "ui/DrawingArea.h"
#include "ui/FileCommands.h"
#include "ui/MainWindow.h"
#include "ui/WindowHost.h"

#include <QAction>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QMenu>
#include <QMimeData>
#include <QTimer>
#include <QUrl>

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

QImage MainWindow::ShownDrawing() const
{
    return area->grab().toImage();
}

namespace {

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
    fileCommands->StartFirstGraph();
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
    QTimer::singleShot(0, this, [this, file] { fileCommands->OpenOutsideFile(file); });
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
