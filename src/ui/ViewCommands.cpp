#include "ui/ViewCommands.h"

#include "base/TranslationManager.h"
#include "commands/GraphSession.h"
#include "commands/NewGraphCommands.h"
#include "ui/CommandWindow.h"
#include "ui/MapScaleDialog.h"
#include "ui/MatrixGridWindow.h"
#include "ui/ViewSettingsDialog.h"

#include <QAction>

ViewCommands::ViewCommands(GraphSession& session, CommandWindow& window, NewGraphEnvironment& environment,
                           ViewSettingsDialog& viewSettings, MapScaleDialog& scaleDialog,
                           MatrixGridWindow& matrixWindow)
    : session(session), window(window), environment(environment), viewSettings(viewSettings),
      scaleDialog(scaleDialog), matrixWindow(matrixWindow)
{
}

void ViewCommands::ViewSettings()
{
    window.LeaveTextMode();
    if (session.RequireDocument() && viewSettings.Execute(*session.Document()))
        window.Redraw();
}

void ViewCommands::LoadBackground()
{
    if (!session.RequireDocument())
        return;
    window.LeaveTextMode();
    const QString file = window.ChooseFile(FileDialogKind::OpenPicture);
    if (file.isEmpty())
        return;
    GraphDocument& g = *session.Document();
    g.LoadBackground(file, window.Host());
    window.Redraw();
    environment.SaveSettings(g);
}

void ViewCommands::ClearBackground()
{
    if (!session.RequireDocument())
        return;
    GraphDocument& g = *session.Document();
    g.ClearBackground();
    environment.SaveSettings(g);
    window.Redraw();
}

void ViewCommands::MapMode(bool on)
{
    if (!session.RequireDocument())
        return;
    session.RecordState();
    GraphDocument& g = *session.Document();
    if (on && !g.Weighted)
        window.Host().ShowError(Translate("Only_load_graf_map"));
    g.MapMode = on && g.Weighted ? 1 : 0;
    window.ShowViewValues();
}

void ViewCommands::Scale()
{
    if (!session.RequireDocument())
        return;
    GraphDocument& g = *session.Document();
    g.ZoomMap = scaleDialog.Edit(g.ZoomMap);
    session.RecordState();
    window.ShowViewValues();
}

void ViewCommands::ShowMatrix()
{
    window.LeaveTextMode();
    matrixWindow.isVisible() ? matrixWindow.hide() : matrixWindow.show();
}

void ViewCommands::UseBuiltInLanguage()
{
    TranslateManager().UseBuiltIn();
}

void ViewCommands::UseEnglishLanguage()
{
    TranslateManager().LoadLanguage(QStringLiteral("grafEnglish.lang"));
}
