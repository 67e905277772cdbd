#include "ui/WindowHost.h"

#include "base/TranslateManager.h"
#include "ui/Appearance.h"
#include "ui/BusyCursor.h"
#include "ui/MainWindow.h"
#include "ui/SelectGrafDialog.h"

#include <QInputDialog>
#include <QMessageBox>

void TWindowHost::ShowMessage(MessageKind kind, const QString& shown)
{
    const QString text = messageFile.isEmpty() || shown.contains(messageFile)
                             ? shown
                             : messageFile + QLatin1Char('\r') + shown;
    if (dialogs)
        return dialogs->ShowMessage(kind, text);
    const QMessageBox::Icon icon = kind == MessageKind::Error     ? QMessageBox::Critical
                                   : kind == MessageKind::Warning ? QMessageBox::Warning
                                                                  : QMessageBox::Information;
    QMessageBox box(icon, Translate("ProgramTitle"), text, QMessageBox::Ok, &window);
    const TNormalCursor arrow;
    box.exec();
}

namespace {

bool AskInBox(QWidget& window, QMessageBox::Icon icon, const QString& text)
{
    QMessageBox box(icon, Translate("ProgramTitle"), text, QMessageBox::Yes | QMessageBox::No, &window);
    box.setDefaultButton(QMessageBox::Yes);
    const TNormalCursor arrow;
    return box.exec() == QMessageBox::Yes;
}

} // namespace

bool TWindowHost::AskYesNo(const QString& text)
{
    if (dialogs)
        return dialogs->AskYesNo(text);
    return AskInBox(window, QMessageBox::Warning, text);
}

CHost::SaveAnswer TWindowHost::AskSaveChanges(const QString& text)
{
    if (dialogs)
        return dialogs->AskSaveChanges(text);
    return window.AskSaveChanges(text);
}

bool TWindowHost::AskInformationYesNo(const QString& text)
{
    if (dialogs)
        return dialogs->AskInformationYesNo(text);
    return AskInBox(window, QMessageBox::Information, text);
}

bool TWindowHost::InputQuery(const QString& caption, const QString& prompt, QString& value)
{
    if (dialogs)
        return dialogs->InputQuery(caption, prompt, value);
    QInputDialog dialog(&window);
    dialog.setWindowTitle(caption);
    dialog.setLabelText(prompt);
    dialog.setTextValue(value);
    WidenForTitle(dialog);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    value = dialog.textValue();
    return true;
}

bool TWindowHost::ChooseVertex(const QString& caption, const QStringList& names, int& index)
{
    if (dialogs)
        return dialogs->ChooseVertex(caption, names, index);
    return window.VertexChoiceDialog()->Choose(caption, names, index);
}

int TWindowHost::DrawingAreaWidth() const
{
    return window.DrawingAreaWidth();
}
int TWindowHost::DrawingAreaHeight() const
{
    return window.DrawingAreaHeight();
}
void TWindowHost::PresentCanvas(const QImage& surface, bool force)
{
    window.PresentCanvas(surface, force);
}
QRect TWindowHost::PictureView() const
{
    // Only what the drawing area shows is drawn, whatever the size of the drawing.
    const TAllGraf* g = window.Document();
    return g ? QRect(g->ScrollX, g->ScrollY, window.ViewSize().width(), window.ViewSize().height()) : QRect();
}

qreal TWindowHost::PictureRatio() const
{
    return window.ViewPixelRatio();
}

void TWindowHost::Redraw()
{
    window.Redraw();
}
void TWindowHost::ShowReportFile(const QString& path)
{
    window.ShowReportFile(path);
}
void TWindowHost::RefreshMatrixWindow()
{
    window.RefreshMatrixWindow();
}
void TWindowHost::UpdateMenus()
{
    window.UpdateMenus();
}
bool TWindowHost::SaveGraphCommand()
{
    return window.SaveGraphCommand();
}
