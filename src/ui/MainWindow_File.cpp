// The file menu: graph files, the recent-file list and saving the picture.
#include "config/TranslateManager.h"
#include "ui/DrawingArea.h"
#include "ui/MainWindow.h"

#include <QAction>
#include <QMenu>

void TForm1::LoadGraphCommand()
{
    if (!session->RequireDocument())
        return;
    LeaveTextMode();
    const QString file = AskFileName(FileDialog::OpenGraph);
    if (!file.isEmpty())
        OpenGraphFile(file);
}

void TForm1::OpenGraphFile(const QString& fileName)
{
    (void)fileName;
}

bool TForm1::SaveGraphCommand()
{
    if (!session->RequireDocument())
        return false;
    LeaveTextMode();
    const QString file = AskFileName(FileDialog::SaveGraph);
    if (file.isEmpty())
        return false;
    return false;
}

void TForm1::OpenRecentFile(int index)
{
    (void)index;
}

void TForm1::AddRecentFile(const QString& fileName)
{
    (void)fileName;
}

void TForm1::RefreshRecentMenu()
{
}

void TForm1::SaveImageCommand()
{
    if (!session->RequireDocument())
        return;
    LeaveTextMode();
}
