#include "ui/EditCommands.h"

#include "base/TranslationManager.h"
#include "commands/GraphGenerators.h"
#include "commands/GraphLayouts.h"
#include "commands/NewGraphCommands.h"
#include "commands/SelectPathEnds.h"
#include "ui/CommandWindow.h"
#include "ui/GenerateGraphDialog.h"
#include "ui/MatrixTextWindow.h"

EditCommands::EditCommands(GraphSession& session, CommandWindow& window, NewGraphPrompt& newGraphDialog,
                           NewGraphEnvironment& environment, MatrixTextWindow& matrixText,
                           std::function<GenerateGraphDialog&()> generateDialog)
    : session(session), window(window), newGraphDialog(newGraphDialog), environment(environment),
      matrixText(matrixText), generateDialog(std::move(generateDialog))
{
}

void EditCommands::NewGraph()
{
    window.LeaveTextMode();
    NewGraphCommand(session, newGraphDialog, environment);
}

void EditCommands::Properties()
{
    window.LeaveTextMode();
    PropertiesCommand(session, newGraphDialog);
}

void EditCommands::Generate()
{
    if (!session.RequireDocument())
        return;
    window.LeaveTextMode();
    // The generated graph replaces this one: unsaved work is offered for saving first.
    if (!window.MayDiscardWork())
        return;
    GenerateGraphDialog& dialog = generateDialog();
    if (!dialog.Run())
        return;
    if (GraphGenerators::GenerateCommand(session, dialog.Chosen())) {
        window.ClearResultPanes();
        // A weighted graph starts with map mode off, as a new one does.
        window.ShowViewValues();
    }
    window.UpdateScrollBars();
    window.Redraw();
}

void EditCommands::Layout(GraphLayouts::Kind kind)
{
    if (!session.RequireDocument())
        return;
    window.LeaveTextMode();
    GraphLayouts::LayoutCommand(session, kind);
    window.UpdateScrollBars();
    window.Redraw();
}

void EditCommands::AddVertex()
{
    window.LeaveTextMode();
    session.AddVertexRandom();
}

void EditCommands::AddArc()
{
    if (!session.RequireDocument())
        return;
    window.LeaveTextMode();
    GraphDocument& g = *session.Document();
    ProgramHost& host = window.Host();
    int first = 0, second = 0;
    if (!SelectPathEnds(g, host, first, second))
        return;
    int weight = 1;
    if (g.Weighted) {
        QString answer;
        if (!host.InputQuery(Translate("Enter_load"), Translate("Weight_line"), answer))
            return;
        bool isNumber = false;
        weight = GraphSession::ParseWeight(answer, isNumber);
        if (!isNumber) {
            host.ShowError(Translate("Uncorrect_number"));
            return;
        }
        if (!GraphDocument::IsWeight(weight)) {
            host.ShowError(Translate("Load_must_be"));
            return;
        }
    }
    // This path adds the arc without an undo snapshot, as it always did.
    g.AddArc(first, second, weight);
    host.RefreshMatrixWindow();
    window.Redraw();
    window.UpdateMenus();
}

void EditCommands::Convert(GraphSession::Conversion conversion)
{
    window.LeaveTextMode();
    session.Convert(conversion);
}

void EditCommands::EditMatrix()
{
    window.LeaveTextMode();
    if (session.RequireDocument())
        matrixText.Open();
    window.UpdateMenus();
}

void EditCommands::Undo()
{
    window.LeaveTextMode();
    session.Undo();
    window.ShowViewValues();
    window.UpdateMenus();
}

void EditCommands::Redo()
{
    window.LeaveTextMode();
    session.Redo();
    window.ShowViewValues();
    window.UpdateMenus();
}

void EditCommands::RenameVertex()
{
    window.LeaveTextMode();
    session.RenameSelectedVertex();
}

void EditCommands::EditWeight()
{
    window.LeaveTextMode();
    session.EditSelectedWeight();
}

void EditCommands::EditLabel()
{
    if (!session.RequireDocument())
        return;
    GraphDocument& g = *session.Document();
    if (g.ActiveLabel <= 0 || g.ActiveLabel > g.LabelCount)
        return;
    const QString text =
        window.Host().InputBox(Translate("Enter_text"), Translate("Text_tip"), g.Labels[g.ActiveLabel].Text);
    session.RecordState();
    // The hit area keeps the extents measured when the label was placed.
    g.Labels[g.ActiveLabel].Text = text;
    window.Redraw();
    window.UpdateMenus();
}
