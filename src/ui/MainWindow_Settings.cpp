// Settings, languages, the matrix windows and help: the window's links to other modules.
#include "config/TranslateManager.h"
#include "ui/MainWindow.h"

#include "config/ProgramPaths.h"

#include <QAction>
#include <QDesktopServices>
#include <QUrl>

void TForm1::LoadSettings(TAllGraf& graf, bool withLanguage)
{
    (void)graf;
    (void)withLanguage;
}

void TForm1::SaveSettings(TAllGraf& graf)
{
    (void)graf;
}
void TForm1::LoadWindowPlacement() {}
void TForm1::IncrementRunCounter() {}
bool TForm1::MatrixWindowVisible() const
{
    return false;
}
void TForm1::RefreshMatrixWindow() {}
void TForm1::ShowMatrixCommand() {}
void TForm1::EditMatrixCommand()
{
    LeaveTextMode();
}
void TForm1::ViewSettingsCommand() {}
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
