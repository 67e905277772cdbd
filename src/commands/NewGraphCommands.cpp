#include "commands/NewGraphCommands.h"

#include "base/TranslationManager.h"
#include "commands/GraphSession.h"
#include "document/UndoHistory.h"

bool NewGraphCommand(GraphSession& session, NewGraphPrompt& prompt, NewGraphEnvironment& environment)
{
    ProgramHost& host = session.Host();
    const bool hadDocument = session.HasDocument();
    if (hadDocument && !environment.MayDiscardWork())
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

    GraphDocument& graf = session.CreateDocument();
    graf.StartNewGraph(prompt.Directed(), prompt.Weighted());
    environment.LoadSettings(graf, true);
    if (!hadDocument)
        environment.LoadWindowPlacement();
    graf.UseNaming(&session.Naming());
    environment.DocumentCreated(graf);
    session.MarkSaved(QString());
    host.UpdateMenus();
    return true;
}

bool PropertiesCommand(GraphSession& session, NewGraphPrompt& prompt)
{
    if (!session.RequireDocument())
        return false;
    ProgramHost& host = session.Host();
    GraphDocument& graf = *session.Document();
    prompt.ShowGraph(graf.Directed, graf.Weighted, session.Naming());
    // Taken before the dialog, which sets the naming when confirmed: undo brings that back too.
    auto before = session.Snapshot();
    if (!prompt.Run(QStringLiteral("Edit")))
        return false;
    graf.UseNaming(&session.Naming());

    const bool convert = prompt.Directed() != (graf.Directed) || prompt.Weighted() != (graf.Weighted);
    if (convert) {
        switch (host.AskSaveChanges(Translate("Want_save_graf"))) {
        case ProgramHost::SaveAnswer::Save:
            host.SaveGraphCommand();
            break;
        case ProgramHost::SaveAnswer::Discard:
            break;
        case ProgramHost::SaveAnswer::Cancel:
            UndoHistory::Restore(graf, *before);
            session.Refresh();
            return false;
        }
    }
    session.History().Record(std::move(before));
    graf.ClearHighlighting();
    if (prompt.Directed() && !graf.Directed)
        graf.ToDirected();
    else if (!prompt.Directed() && graf.Directed)
        graf.ToUndirected(host);
    if (prompt.Weighted() && !graf.Weighted)
        graf.ToWeighted();
    else if (!prompt.Weighted() && graf.Weighted)
        graf.ToUnweighted();
    session.Refresh();
    return true;
}
