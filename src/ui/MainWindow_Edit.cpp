// The graph and edit menus: creating, properties, adding and deleting, undo and redo.
#include "base/TranslationManager.h"
#include "commands/SelectPathEnds.h"
#include "ui/MainWindow.h"
#include "ui/NewGraphDialog.h"

#include <QAction>

void MainWindow::NewGraphCommand()
{
    LeaveTextMode();
    ::NewGraphCommand(*session, *newGraphDialog, *this);
}

void MainWindow::PropertiesCommand()
{
    LeaveTextMode();
    ::PropertiesCommand(*session, *newGraphDialog);
}

void MainWindow::AddVertexCommand()
{
    LeaveTextMode();
    session->AddVertexRandom();
}

void MainWindow::AddVertexAtPressCommand()
{
    GraphDocument* g = Document();
    if (!g)
        return;
    session->AddVertexAt(pressPos.x() + HorizontalPosition(), pressPos.y() + VerticalPosition());
}

void MainWindow::AddArcCommand()
{
    if (!session->RequireDocument())
        return;
    LeaveTextMode();
    GraphDocument& g = *Document();
    int first = 0, second = 0;
    if (!SelectPathEnds(g, Host(), first, second))
        return;
    int weight = 1;
    if (g.Weighted) {
        QString answer;
        if (!Host().InputQuery(Translate("Enter_load"), Translate("Weight_line"), answer))
            return;
        bool isNumber = false;
        weight = GraphSession::ParseWeight(answer, isNumber);
        if (!isNumber) {
            Host().ShowError(Translate("Uncorrect_number"));
            return;
        }
        if (weight < 1 || weight > GraphDocument::MaxWeight) {
            Host().ShowError(Translate("Load_must_be"));
            return;
        }
    }
    // This path adds the arc without an undo snapshot, as it always did.
    g.AddArc(first, second, weight);
    RefreshMatrixWindow();
    Redraw();
    UpdateMenus();
}

void MainWindow::AddTextCommand()
{
    if (!session->RequireDocument())
        return;
    EnterTextMode();
}

void MainWindow::DeleteObjectCommand()
{
    if (!session->RequireDocument())
        return;
    LeaveTextMode();
    session->RecordState();
    PrepareCanvas();
    MouseAction(*session, *this, 0, 0, canvasSurface, Gesture::Delete);
    PresentCanvas(canvasSurface, false);
    RefreshMatrixWindow();
    UpdateMenus();
}

void MainWindow::ConvertCommand(GraphSession::Conversion conversion)
{
    LeaveTextMode();
    session->Convert(conversion);
}

void MainWindow::UndoCommand()
{
    LeaveTextMode();
    session->Undo();
    UpdateScaleCaption();
    ShowMapModeCheck();
    UpdateMenus();
}

void MainWindow::RedoCommand()
{
    LeaveTextMode();
    session->Redo();
    UpdateScaleCaption();
    ShowMapModeCheck();
    UpdateMenus();
}

void MainWindow::RenameVertexCommand()
{
    LeaveTextMode();
    session->RenameSelectedVertex();
}

void MainWindow::EditWeightCommand()
{
    LeaveTextMode();
    session->EditSelectedWeight();
}

void MainWindow::EditLabelCommand()
{
    if (!session->RequireDocument())
        return;
    GraphDocument& g = *Document();
    if (g.ActiveLabel <= 0 || g.ActiveLabel > g.LabelCount)
        return;
    const QString text =
        Host().InputBox(Translate("Enter_text"), Translate("Text_tip"), g.Labels[g.ActiveLabel].Text);
    session->RecordState();
    // The hit area keeps the extents measured when the label was placed.
    g.Labels[g.ActiveLabel].Text = text;
    Redraw();
    UpdateMenus();
}

void MainWindow::SetMouseMode(int mode)
{
    Action(mode == 0 ? QStringLiteral("actConstruct") : QStringLiteral("actFindPath"))->setChecked(true);
}

void MainWindow::DrawArcCommand()
{
    GraphDocument* g = Document();
    if (!g || !InHandledRect(pressPos))
        return;
    PrepareCanvas();
    if (MouseAction(*session, *this, pressPos.x(), pressPos.y(), canvasSurface, Gesture::Connect))
        PresentCanvas(canvasSurface, true);
    UpdateMenus();
}
