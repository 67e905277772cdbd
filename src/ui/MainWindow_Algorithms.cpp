// The algorithm menus and the vertex popup: every run goes through the dispatcher.
#include "algorithms/RunAlgorithm.h"
#include "commands/SelectPathEnds.h"
#include "ui/MainWindow.h"
#include "ui/PlaybackBar.h"

void MainWindow::PathAlgorithmCommand(const QString& name)
{
    if (!session->RequireDocument())
        return;
    LeaveTextMode();
    int first = 0, second = 0;
    if (SelectPathEnds(*Document(), Host(), first, second))
        RunAlgorithmCommand(name, first, second);
}

void MainWindow::PopupAlgorithmCommand(const QString& name)
{
    if (GraphDocument* g = Document())
        RunAlgorithmCommand(name, g->ActiveVertex, g->TargetVertex);
}

void MainWindow::RunAlgorithmCommand(const QString& name, int first, int second)
{
    if (!session->RequireDocument())
        return;
    LeaveTextMode();
    PrepareCanvas();
    playback->Stop();
    AlgorithmRun run;
    RunOptions options;
    options.recordSteps = true; // cheap, and capped: the bar is there the moment it finishes
    RunAlgorithm(*Document(), Host(), session->Panes(), name, first, second, &run, options);
    RefreshTextPane();
    if (run.ran)
        StartPlayback(name, std::move(run.result), first, second);
    UpdateMenus();
}
