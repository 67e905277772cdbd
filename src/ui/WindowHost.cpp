#include "ui/WindowHost.h"

#include "base/TranslationManager.h"
#include "ui/Appearance.h"
#include "ui/BusyCursor.h"
#include "ui/FileCommands.h"
#include "ui/MainWindow.h"
#include "ui/VertexChoiceDialog.h"

#include <QInputDialog>
#include <QMessageBox>

void WindowHost::ShowMessage(MessageKind kind, const QString& shown)
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
    const NormalCursor arrow;
    box.exec();
}

namespace {

bool AskInBox(QWidget& window, QMessageBox::Icon icon, const QString& text)
{
    QMessageBox box(icon, Translate("ProgramTitle"), text, QMessageBox::Yes | QMessageBox::No, &window);
    box.setDefaultButton(QMessageBox::Yes);
    const NormalCursor arrow;
    return box.exec() == QMessageBox::Yes;
}

} // namespace

bool WindowHost::AskYesNo(const QString& text)
{
    if (dialogs)
        return dialogs->AskYesNo(text);
    return AskInBox(window, QMessageBox::Warning, text);
}

ProgramHost::SaveAnswer WindowHost::AskSaveChanges(const QString& text)
{
    if (dialogs)
        return dialogs->AskSaveChanges(text);
    return window.AskSaveChanges(text);
}

bool WindowHost::AskInformationYesNo(const QString& text)
{
    if (dialogs)
        return dialogs->AskInformationYesNo(text);
    return AskInBox(window, QMessageBox::Information, text);
}

bool WindowHost::InputQuery(const QString& caption, const QString& prompt, QString& value)
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

bool WindowHost::ChooseVertex(const QString& caption, const QStringList& names, int& index)
{
    if (dialogs)
        return dialogs->ChooseVertex(caption, names, index);
    return window.VertexDialog()->Choose(caption, names, index);
}

int WindowHost::DrawingAreaWidth() const
{
    return window.DrawingAreaWidth();
}
int WindowHost::DrawingAreaHeight() const
{
    return window.DrawingAreaHeight();
}
void WindowHost::PresentCanvas(const QImage& surface, bool force)
{
    window.PresentCanvas(surface, force);
}
QPoint WindowHost::ScrollPosition() const
{
    return window.ScrollPosition();
}
void WindowHost::ResetScroll()
{
    window.ResetScroll();
}
QRect WindowHost::PictureView() const
{
    // Only what the drawing area shows is drawn, whatever the size of the drawing.
    return window.Document() ? QRect(window.ScrollPosition(), window.ViewSize()) : QRect();
}

qreal WindowHost::PictureRatio() const
{
    return window.ViewPixelRatio();
}

void WindowHost::Redraw()
{
    window.Redraw();
}
void WindowHost::ShowReportFile(const QString& path)
{
    window.ShowReportFile(path);
}
void WindowHost::RefreshMatrixWindow()
{
    window.RefreshMatrixWindow();
}
void WindowHost::UpdateMenus()
{
    window.UpdateMenus();
}
bool WindowHost::SaveGraphCommand()
{
    return window.Files().Save();
}
