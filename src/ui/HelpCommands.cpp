#include "ui/HelpCommands.h"

#include "base/ProgramPaths.h"
#include "base/TranslationManager.h"
#include "commands/ProgramSettings.h"
#include "document/UserPrompts.h"
#include "online/ServerEndpoint.h"
#include "online/UpdateCheck.h"
#include "ui/BusyCursor.h"
#include "ui/FeedbackWindow.h"

#include <QDir>
#include <QFileInfo>

HelpCommands::HelpCommands(UserPrompts& prompts, const std::function<bool(const QUrl&)>& openExternal,
                           FeedbackWindow& feedback, AboutBox& about)
    : prompts(prompts), openExternal(openExternal), feedback(feedback), about(about)
{
}

void HelpCommands::OpenHelpFile()
{
    // The manual of the language in use: each language file names its own.
    const QString file = ProgramPaths::HelpFile(Translate("help_file"));
    // Said in a message: the console is not where a desktop user looks.
    if (!QFileInfo(file).isFile())
        prompts.ShowError(Translate("Help_file_missing") + QLatin1Char('\n') +
                          QDir::toNativeSeparators(file));
    // The file is there but nothing opens it: where it is, so the user can open it some other way.
    else if (!openExternal(QUrl::fromLocalFile(file)))
        prompts.ShowError(Translate("Help_no_pdf_program").arg(QDir::toNativeSeparators(file)));
}

void HelpCommands::OpenOnlineHelp()
{
    const QString address = OnlineHelpAddress();
    if (!openExternal(QUrl(address)))
        prompts.ShowError(Translate("Help_no_browser_online").arg(address));
}

void HelpCommands::OpenWebSite()
{
    const QString address = WebSiteAddress();
    if (!openExternal(QUrl(address)))
        prompts.ShowError(Translate("Help_no_browser_site").arg(address));
}

void HelpCommands::Feedback()
{
    feedback.Execute();
}

void HelpCommands::CheckUpdate()
{
    UpdateCheckResult result;
    {
        const BusyCursor busy;
        result = CheckForUpdate(prompts, ReadServerEndpoint(ProgramSettings::FileName()));
    }
    if (result.OpenWebSite)
        OpenWebSite();
}

void HelpCommands::About(AboutBox::Panel panel)
{
    about.Execute(panel);
}
