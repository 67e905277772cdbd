// The graph and edit menus: creating, properties, adding and deleting, undo and redo.
#include "base/TranslateManager.h"
#include "commands/SelectPathEnds.h"
#include "ui/MainWindow.h"
#include "ui/NewGrafDialog.h"

#include <QAction>

void TForm1::NewGraphCommand()
{
    LeaveTextMode();
    ::NewGraphCommand(*session, *newGraphDialog, *this);
}

void TForm1::PropertiesCommand()
{
    LeaveTextMode();
    ::PropertiesCommand(*session, *newGraphDialog);
}

void TForm1::AddVertexCommand()
{
    LeaveTextMode();
    session->AddVertexRandom();
}

void TForm1::AddVertexAtPressCommand()
{
    TAllGraf* g = Document();
    if (!g)
        return;
    session->AddVertexAt(pressPos.x() + g->ScrollX, pressPos.y() + g->ScrollY);
}

void TForm1::AddArcCommand()
{
    if (!session->RequireDocument())
        return;
    LeaveTextMode();
    TAllGraf& g = *Document();
    int first = 0, second = 0;
    if (!SelectPathEnds(g, Host(), first, second))
        return;
    int weight = 1;
    if (g.IsHaveCost) {
        QString answer;
        if (!Host().InputQuery(Translate("Enter_load"), Translate("Weight_line"), answer))
            return;
        bool isNumber = false;
        weight = GraphSession::ParseWeight(answer, isNumber);
        if (!isNumber) {
            Host().ShowError(Translate("Uncorrect_number"));
            return;
        }
        if (weight < 1 || weight > TAllGraf::MaxCost) {
            Host().ShowError(Translate("Load_must_be"));
            return;
        }
    }
    // This path adds the arc without an undo snapshot, as it always did.
    g.AddDuga(first, second, weight);
    RefreshMatrixWindow();
    Redraw();
    UpdateMenus();
}

void TForm1::AddTextCommand()
{
    if (!session->RequireDocument())
        return;
    EnterTextMode();
}

void TForm1::DeleteObjectCommand()
{
    if (!session->RequireDocument())
        return;
    LeaveTextMode();
    session->RecordState();
    TAllGraf& g = *Document();
    PrepareCanvas();
    MouseAction(*session, *this, 0, 0, g.CanvasBitmap, Gesture::Delete);
    PresentCanvas(g.CanvasBitmap, false);
    RefreshMatrixWindow();
    UpdateMenus();
}

void TForm1::ConvertCommand(GraphSession::Conversion conversion)
{
    LeaveTextMode();
    session->Convert(conversion);
}

void TForm1::UndoCommand()
{
    LeaveTextMode();
    session->Undo();
    UpdateScaleCaption();
    ShowMapModeCheck();
    UpdateMenus();
}

void TForm1::RedoCommand()
{
    LeaveTextMode();
    session->Redo();
    UpdateScaleCaption();
    ShowMapModeCheck();
    UpdateMenus();
}

void TForm1::RenameVertexCommand()
{
    LeaveTextMode();
    session->RenameSelectedVertex();
}

void TForm1::EditWeightCommand()
{
    LeaveTextMode();
    session->EditSelectedWeight();
}

void TForm1::EditLabelCommand()
{
    if (!session->RequireDocument())
        return;
    TAllGraf& g = *Document();
    if (g.ActiveLabel <= 0 || g.ActiveLabel > g.CountLabel)
        return;
    const QString text =
        Host().InputBox(Translate("Enter_text"), Translate("Text_tip"), g.Labels[g.ActiveLabel].Text);
    session->RecordState();
    // The hit area keeps the extents measured when the label was placed.
    g.Labels[g.ActiveLabel].Text = text;
    Redraw();
    UpdateMenus();
}

void TForm1::SetMouseMode(int mode)
{
    Action(mode == 0 ? QStringLiteral("actConstruct") : QStringLiteral("actFindPath"))->setChecked(true);
    if (TAllGraf* g = Document()) {
        g->EditMode = quint8(mode);
        g->MenuEditMode = quint8(mode);
    }
}

void TForm1::DrawArcCommand()
{
    TAllGraf* g = Document();
    if (!g || !InHandledRect(pressPos))
        return;
    PrepareCanvas();
    if (MouseAction(*session, *this, pressPos.x(), pressPos.y(), g->CanvasBitmap, Gesture::Connect))
        PresentCanvas(g->CanvasBitmap, true);
    UpdateMenus();
}
