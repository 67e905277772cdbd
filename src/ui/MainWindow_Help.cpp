// The help menu: the manual, the web pages, the update check, the feedback window, the about box.
#include "base/ProgramPaths.h"
#include "base/TranslateManager.h"
#include "commands/Configuration.h"
#include "online/ServerEndpoint.h"
#include "online/UpdateCheck.h"
#include "ui/BusyCursor.h"
#include "ui/FeedbackWindow.h"
#include "ui/MainWindow.h"

#include <QDir>
#include <QFileInfo>
#include <QUrl>

void TForm1::OpenHelpFile()
{
    // The manual of the language in use: each language file names its own.
    const QString file = ProgramPaths::HelpFile(Translate("help_file"));
    // Said in a message: the console is not where a desktop user looks.
    if (!QFileInfo(file).isFile() || !OpenExternal(QUrl::fromLocalFile(file)))
        Host().ShowError(Translate("Help_file_missing") + QLatin1Char('\n') + QDir::toNativeSeparators(file));
}

void TForm1::OpenOnlineHelp()
{
    OpenExternal(QUrl(OnlineHelpAddress()));
}

void TForm1::OpenWebSite()
{
    OpenExternal(QUrl(WebSiteAddress()));
}

void TForm1::FeedbackCommand()
{
    feedbackWindow->Execute();
}

void TForm1::CheckUpdateCommand()
{
    TUpdateCheckResult result;
    {
        const TBusyCursor busy;
        result = CheckForUpdate(Host(), ReadServerEndpoint(CConfiguration::FileName()));
    }
    if (result.OpenWebSite)
        OpenWebSite();
}

void TForm1::AboutCommand(TAboutBox::Panel panel)
{
    aboutBox->Execute(panel);
}
