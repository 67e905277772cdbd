#include "commands/NewGraphCommands.h"

#include "base/TranslateManager.h"
#include "commands/GraphSession.h"

bool NewGraphCommand(GraphSession& session, CNewGraphPrompt& prompt, CNewGraphEnvironment& environment)
{
    CHost& host = session.Host();
    const bool hadDocument = session.HasDocument();
    if (hadDocument && !host.AskYesNo(Translate("Lost_old_graf") + QLatin1Char('\n') + Translate("Contin")))
        return false;
    // The first dialog of a run previews with the settings' styles.
    if (!hadDocument)
        environment.LoadSettings(session.CreateDocument(), true);
    if (hadDocument)
        session.RecordState();
    if (!prompt.Run(QStringLiteral("Create")))
        return false;
    if (hadDocument)
        environment.SaveSettings(*session.Document());

    TAllGraf& graf = session.CreateDocument();
    graf.MenuEditMode = quint8(environment.MenuEditMode());
    graf.NewGraf(prompt.Directed(), prompt.Weighted());
    environment.LoadSettings(graf, true);
    if (!hadDocument)
        environment.LoadWindowPlacement();
    graf.SetTitleGraf(&session.Naming());
    environment.DocumentCreated(graf);
    session.MarkSaved(QString());
    host.UpdateMenus();
    return true;
}

bool PropertiesCommand(GraphSession& session, CNewGraphPrompt& prompt)
{
    if (!session.RequireDocument())
        return false;
    CHost& host = session.Host();
    if (!prompt.Run(QStringLiteral("Edit")))
        return false;
    session.RecordState();
    TAllGraf& graf = *session.Document();
    graf.SetTitleGraf(&session.Naming());

    bool asked = false;
    auto askToSave = [&] {
        if (asked)
            return;
        asked = true;
        if (host.AskYesNo(Translate("Want_save_graf") + QLatin1Char('\n') + Translate("Do_save")))
            host.SaveGraphCommand();
    };
    if (prompt.Directed() && graf.IsOrint == 0) {
        askToSave();
        graf.ToDirected();
    } else if (!prompt.Directed() && graf.IsOrint != 0) {
        askToSave();
        graf.ToUndirected();
    }
    if (prompt.Weighted() && !graf.IsHaveCost) {
        askToSave();
        graf.ToWeighted();
    } else if (!prompt.Weighted() && graf.IsHaveCost) {
        askToSave();
        graf.ToUnweighted();
    }
    session.Refresh();
    return true;
}
