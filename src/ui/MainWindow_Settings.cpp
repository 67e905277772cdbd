// The settings file and the matrix window: what the window keeps of them and where it is placed.
#include "base/TranslationManager.h"
#include "commands/ProgramSettings.h"
#include "ui/MainWindow.h"
#include "ui/MatrixGridWindow.h"

#include <QAction>
#include <QFileInfo>
#include <QGuiApplication>
#include <QScreen>
#include <QSplitter>
#include <algorithm>

void MainWindow::LoadSettings(GraphDocument& graf, bool withLanguage)
{
    const bool showMatrix = config->LoadSettings(graf, Host(), withLanguage);
    session->RecentFiles() = config->LoadRecentFiles();
    session->History().SetUndoSteps(config->UndoSteps);
    // The matrix window's visibility is a start-up setting, applied when the first graph
    // of the run has been created (not while the new-graph dialog is still open).
    if (!firstGraphDone) {
        matrixWindowAtStart = showMatrix;
        // The zoom the program was left at; a later graph keeps the one in use.
        zoom = config->ViewZoom / 100.0;
        ShowZoom();
    }
}

void MainWindow::SaveSettings(GraphDocument& graf)
{
    const QRect geometry = isMaximized() || isFullScreen() ? normalGeometry() : QRect(pos(), size());
    // When the program closes the matrix window is already gone; closeEvent kept its state.
    const bool matrixVisible = windowReady ? MatrixWindowVisible() : graf.ShowMatrixWindow != 0;
    QString error;
    const int results = splitter->sizes().value(1, 300);
    config->ViewZoom = qRound(zoom * 100);
    if (!config->SaveSettings(graf, session->RecentFiles(),
                              {geometry.x(), geometry.y(), geometry.width(), geometry.height(), results},
                              matrixVisible, &error) &&
        windowReady)
        Host().ShowError(error);
}

void MainWindow::LoadWindowPlacement()
{
    QList<QRect> screens;
    if (QScreen* primary = QGuiApplication::primaryScreen())
        screens.append(primary->availableGeometry());
    for (QScreen* screen : QGuiApplication::screens())
        if (screen != QGuiApplication::primaryScreen())
            screens.append(screen->availableGeometry());
    const WindowPlacement placement = config->LoadWindowPlacement(screens);
    move(placement.X, placement.Y);
    resize(placement.Width, placement.Height);
    // The drawing takes what the result panes leave, and keeps a working share of a small
    // window; the splitter gives a later change of the window's height to the drawing.
    const int results = std::min(placement.ResultsHeight, placement.Height * 45 / 100);
    splitter->setSizes({std::max(1, placement.Height - results), results});
    matrixForm->PlaceBeside(frameGeometry());
}

void MainWindow::IncrementRunCounter()
{
    ++config->CountRun;
}

bool MainWindow::MatrixWindowVisible() const
{
    return matrixForm && matrixForm->isVisible();
}

void MainWindow::RefreshMatrixWindow()
{
    if (matrixForm)
        matrixForm->Refresh();
}
