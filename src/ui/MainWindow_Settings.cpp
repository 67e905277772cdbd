// Settings, languages, the matrix windows and help: the window's links to other modules.
#include "config/TranslateManager.h"
#include "ui/MainWindow.h"

#include <QAction>

void TForm1::LoadSettings(TAllGraf& graf, bool withLanguage)
{
    (void)graf;
    (void)withLanguage;
}

void TForm1::SaveSettings(TAllGraf& graf) { (void)graf; }
void TForm1::LoadWindowPlacement() {}
void TForm1::IncrementRunCounter() {}
bool TForm1::MatrixWindowVisible() const { return false; }
void TForm1::RefreshMatrixWindow() {}
void TForm1::ShowMatrixCommand() {}
void TForm1::EditMatrixCommand() { LeaveTextMode(); }
void TForm1::ViewSettingsCommand() {}
void TForm1::UseBuiltInLanguage() {}
void TForm1::UseEnglishLanguage() {}
void TForm1::OpenHelpFile() {}
