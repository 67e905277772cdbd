// The help menu: the manual, the web pages, the update check, the feedback window, the about box.
#include "base/ProgramPaths.h"
#include "base/TranslationManager.h"
#include "commands/ProgramSettings.h"
#include "online/ServerEndpoint.h"
#include "online/UpdateCheck.h"
#include "ui/BusyCursor.h"
#include "ui/FeedbackWindow.h"
#include "ui/MainWindow.h"

#include <QDir>
#include <QFileInfo>
#include <QUrl>

void MainWindow::OpenHelpFile()
{
    // The manual of the language in use: each language file names its own.
    const QString file = ProgramPaths::HelpFile(Translate("help_file"));
    // Said in a message: the console is not where a desktop user looks.
    if (!QFileInfo(file).isFile())
        Host().ShowError(Translate("Help_file_missing") + QLatin1Char('\n') + QDir::toNativeSeparators(file));
    // The file is there but nothing opens it: where it is, so the user can open it some other way.
    else if (!OpenExternal(QUrl::fromLocalFile(file)))
        Host().ShowError(Translate("Help_no_pdf_program").arg(QDir::toNativeSeparators(file)));
}

void MainWindow::OpenOnlineHelp()
{
    const QString address = OnlineHelpAddress();
    if (!OpenExternal(QUrl(address)))
        Host().ShowError(Translate("Help_no_browser_online").arg(address));
}

void MainWindow::OpenWebSite()
{
    const QString address = WebSiteAddress();
    if (!OpenExternal(QUrl(address)))
        Host().ShowError(Translate("Help_no_browser_site").arg(address));
}

void MainWindow::FeedbackCommand()
{
    feedbackWindow->Execute();
}

void MainWindow::CheckUpdateCommand()
{
    UpdateCheckResult result;
    {
        const BusyCursor busy;
        result = CheckForUpdate(Host(), ReadServerEndpoint(ProgramSettings::FileName()));
    }
    if (result.OpenWebSite)
        OpenWebSite();
}

void MainWindow::AboutCommand(AboutBox::Panel panel)
{
    aboutBox->Execute(panel);
}
