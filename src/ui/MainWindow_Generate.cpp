// Graph > Generate and Graph > Layout: ready-made graphs and automatic layouts.
#include "commands/GraphGenerators.h"
#include "commands/GraphLayouts.h"
#include "ui/GenerateGraphDialog.h"
#include "ui/MainWindow.h"

GenerateGraphDialog* MainWindow::GenerateDialog()
{
    if (!generateDialog) {
        generateDialog = new GenerateGraphDialog(*session, this);
        connect(this, &MainWindow::languageApplied, generateDialog, &GenerateGraphDialog::ApplyCaptions);
    }
    return generateDialog;
}

void MainWindow::GenerateCommand()
{
    if (!session->RequireDocument())
        return;
    LeaveTextMode();
    // The generated graph replaces this one: unsaved work is offered for saving first.
    if (!MayDiscardWork())
        return;
    if (!GenerateDialog()->Run())
        return;
    if (GraphGenerators::GenerateCommand(*session, generateDialog->Chosen())) {
        ClearResultPanes();
        // A weighted graph starts with map mode off, as a new one does.
        ShowMapModeCheck();
    }
    UpdateScrollBars();
    Redraw();
}

void MainWindow::LayoutCommand(GraphLayouts::Kind kind)
{
    if (!session->RequireDocument())
        return;
    LeaveTextMode();
    GraphLayouts::LayoutCommand(*session, kind);
    UpdateScrollBars();
    Redraw();
}
