// Settings, languages, the matrix windows and help: the window's links to other modules.
#include "base/TranslateManager.h"
#include "commands/Configuration.h"
#include "ui/MainWindow.h"
#include "ui/MatrixWindows.h"
#include "ui/UnitMartixText.h"
#include "ui/ViewSettingGraf.h"

#include "base/ProgramPaths.h"

#include <QAction>
#include <QDesktopServices>
#include <QGuiApplication>
#include <QScreen>
#include <QUrl>

void TForm1::LoadSettings(TAllGraf& graf, bool withLanguage)
{
    const bool showMatrix = config->LoadSettings(graf, withLanguage);
    // The matrix window's visibility is a start-up setting, applied when the first graph
    // of the run has been created (not while the new-graph dialog is still open).
    if (!firstGraphDone)
        matrixWindowAtStart = showMatrix;
}

void TForm1::SaveSettings(TAllGraf& graf)
{
    const QRect geometry = isMaximized() || isFullScreen() ? normalGeometry() : QRect(pos(), size());
    // When the program closes the matrix window is already gone; closeEvent kept its state.
    const bool matrixVisible = windowReady ? MatrixWindowVisible() : graf.ShowMatrixWindow != 0;
    QString error;
    if (!config->SaveSettings(graf, {geometry.x(), geometry.y(), geometry.width(), geometry.height()},
                              matrixVisible, &error) &&
        windowReady)
        Host().ShowError(error);
}

void TForm1::LoadWindowPlacement()
{
    QList<QRect> screens;
    if (QScreen* primary = QGuiApplication::primaryScreen())
        screens.append(primary->availableGeometry());
    for (QScreen* screen : QGuiApplication::screens())
        if (screen != QGuiApplication::primaryScreen())
            screens.append(screen->availableGeometry());
    const TWindowPlacement placement = config->LoadWindowPlacement(screens);
    move(placement.X, placement.Y);
    resize(placement.Width, placement.Height);
    matrixForm->PlaceBeside(frameGeometry());
}

void TForm1::IncrementRunCounter()
{
    ++config->CountRun;
}

bool TForm1::MatrixWindowVisible() const
{
    return matrixForm && matrixForm->isVisible();
}

void TForm1::RefreshMatrixWindow()
{
    if (matrixForm)
        matrixForm->Refresh();
}

void TForm1::ShowMatrixCommand()
{
    LeaveTextMode();
    MatrixWindowVisible() ? matrixForm->hide() : matrixForm->show();
}

void TForm1::EditMatrixCommand()
{
    LeaveTextMode();
    if (session->RequireDocument())
        textMatrix->Open();
    UpdateMenus();
}

void TForm1::ViewSettingsCommand()
{
    LeaveTextMode();
    if (session->RequireDocument())
        viewSettings->Execute(*Document());
}

void TForm1::UseBuiltInLanguage()
{
    TranslateManager().UseBuiltIn();
}

void TForm1::UseEnglishLanguage()
{
    TranslateManager().LoadLanguage(QStringLiteral("grafEnglish.lang"));
}

void TForm1::OpenHelpFile()
{
    QDesktopServices::openUrl(QUrl::fromLocalFile(ProgramPaths::HelpFile()));
}
