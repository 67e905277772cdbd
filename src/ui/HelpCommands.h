#pragma once

#include "ui/AboutBox.h"

#include <QUrl>
#include <functional>

class FeedbackWindow;
class UserPrompts;

// The help menu: the manual, the web pages, the update check, the feedback window and the
// about box. The main window owns one and wires the menu to it.
class HelpCommands {
  public:
    // openExternal hands an address to the desktop (a seam tests replace); it is read at each
    // use, so a replacement made later counts.
    HelpCommands(UserPrompts& prompts, const std::function<bool(const QUrl&)>& openExternal,
                 FeedbackWindow& feedback, AboutBox& about);

    // The manual of the language in use, or why it could not be opened.
    void OpenHelpFile();
    void OpenOnlineHelp();
    void OpenWebSite();
    void Feedback();
    void CheckUpdate();
    void About(AboutBox::Panel panel);

  private:
    UserPrompts& prompts;
    const std::function<bool(const QUrl&)>& openExternal;
    FeedbackWindow& feedback;
    AboutBox& about;
};
