#include "LoopbackServer.h"
#include "ScriptedHost.h"
#include "TestFolders.h"
#include "base/ProgramPaths.h"
#include "base/TranslationManager.h"
#include "online/Feedback.h"
#include "ui/AboutBox.h"
#include "ui/EditCommands.h"
#include "ui/FeedbackWindow.h"
#include "ui/MainWindow.h"
#include "ui/NewGraphDialog.h"
#include "ui/ViewCommands.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTextDocument>
#include <QUrl>
#include <gtest/gtest.h>
#include <optional>

namespace {

void WriteFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

// A main window in a program folder of its own (its setting.ini points the online commands
// at a loopback server), with the system's default program replaced by a list of what was
// opened and the feedback window by a script.
struct HelpMenu : ::testing::Test {
    QTemporaryDir folder;
    ScriptedHost host;
    std::unique_ptr<MainWindow> w;
    QList<QUrl> opened;
    int feedbackShown = 0;
    std::function<void(FeedbackWindow&)> onFeedback;

    void SetUp() override { ProgramPaths::SetProgramFolderOverride(folder.path()); }
    void TearDown() override
    {
        w.reset();
        TranslateManager().UseBuiltIn();
        ProgramPaths::SetLanguageFolderOverride(QString());
        ProgramPaths::SetProgramFolderOverride(TestProgramFolder());
    }
    void Settings(const QByteArray& mainSetting)
    {
        WriteFile(folder.filePath(QStringLiteral("setting.ini")), "[MainSetting]\n" + mainSetting);
    }
    void Start()
    {
        w = std::make_unique<MainWindow>();
        w->SetDialogHost(&host);
        w->OpenExternal = [this](const QUrl& address) {
            opened.append(address);
            return true;
        };
        w->FeedbackDialog()->Exec = [this](FeedbackWindow& window) {
            ++feedbackShown;
            if (onFeedback)
                onFeedback(window);
            return int(QDialog::Accepted);
        };
        w->NewGraphForm()->Exec = [](NewGraphDialog& dialog) {
            dialog.Confirm();
            return int(QDialog::Accepted);
        };
        w->EnsureFirstGraph();
        TranslateManager().UseBuiltIn();
        QApplication::processEvents();
    }
    void Trigger(const char* action) { w->Action(QLatin1String(action))->trigger(); }
};

} // namespace

TEST_F(HelpMenu, HelpOpensTheManualOfTheLanguageInUseAndSaysWhenItIsMissing)
{
    WriteFile(folder.filePath(QStringLiteral("help.pdf")), "%PDF-1.4\n");
    WriteFile(folder.filePath(QStringLiteral("help-en.pdf")), "%PDF-1.4\n");
    Start();
    Trigger("actHelpLocal");
    ASSERT_EQ(opened.size(), 1);
    EXPECT_EQ(opened[0], QUrl::fromLocalFile(folder.filePath(QStringLiteral("help.pdf"))));

    w->Views().UseEnglishLanguage();
    Trigger("actHelpLocal");
    ASSERT_EQ(opened.size(), 2);
    EXPECT_EQ(opened[1], QUrl::fromLocalFile(folder.filePath(QStringLiteral("help-en.pdf"))));
    EXPECT_TRUE(host.messages.empty());

    // A language whose manual is nowhere: a message naming the file, nothing opened. The name
    // a language file gives cannot lead out of the folders looked in.
    QTemporaryDir languages;
    WriteFile(languages.filePath(QStringLiteral("other.lang")),
              "[Main]\nLanguageTitle=Other\n\n[Translate]\nhelp_file=../../no-such-manual.pdf\n");
    ProgramPaths::SetLanguageFolderOverride(languages.path());
    TranslateManager().LoadLanguage(QStringLiteral("other.lang"));
    ASSERT_EQ(Translate("help_file"), QStringLiteral("../../no-such-manual.pdf"));
    Trigger("actHelpLocal");
    EXPECT_EQ(opened.size(), 2);
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_TRUE(host.messages[0].text.startsWith(Translate("Help_file_missing")));
    EXPECT_TRUE(host.messages[0].text.endsWith(QStringLiteral("no-such-manual.pdf")));
    EXPECT_FALSE(host.messages[0].text.contains(QStringLiteral("..")));
}

TEST_F(HelpMenu, OnlineHelpAndWebSiteOpenInTheDefaultProgram)
{
    Start();
    Trigger("actHelpOnline");
    Trigger("actSiteProgram");
    ASSERT_EQ(opened.size(), 2);
    EXPECT_EQ(opened[0], QUrl(OnlineHelpAddress()));
    EXPECT_EQ(opened[1], QUrl(WebSiteAddress()));
    for (const char* item : {"actHelpLocal", "actHelpOnline", "actSiteProgram", "actMindProgram",
                             "actCheckUpdate", "actFeedBack", "actAboutProgram"})
        EXPECT_TRUE(w->Action(QLatin1String(item))->isEnabled()) << item;
}

TEST_F(HelpMenu, WithoutAProgramToOpenThemEachHelpItemSaysWhatFailedAndWhereItsPageIs)
{
    const QString manual = folder.filePath(QStringLiteral("help.pdf"));
    WriteFile(manual, "%PDF-1.4\n");
    Start();
    w->OpenExternal = [this](const QUrl& address) {
        opened.append(address);
        return false;
    };
    Trigger("actHelpLocal");
    Trigger("actHelpOnline");
    Trigger("actSiteProgram");
    // Each was tried; none is reported as a missing file.
    ASSERT_EQ(opened.size(), 3);
    ASSERT_EQ(host.messages.size(), 3u);
    EXPECT_EQ(host.messages[0].text, Translate("Help_no_pdf_program").arg(QDir::toNativeSeparators(manual)));
    EXPECT_EQ(host.messages[1].text, Translate("Help_no_browser_online").arg(OnlineHelpAddress()));
    EXPECT_EQ(host.messages[2].text, Translate("Help_no_browser_site").arg(WebSiteAddress()));
    for (const auto& message : host.messages) {
        EXPECT_EQ(message.kind, ProgramHost::MessageKind::Error);
        EXPECT_FALSE(message.text.contains(Translate("Help_file_missing")));
    }

    // In English too, with the English manual where the language file names it.
    WriteFile(folder.filePath(QStringLiteral("help-en.pdf")), "%PDF-1.4\n");
    w->Views().UseEnglishLanguage();
    Trigger("actHelpLocal");
    ASSERT_EQ(host.messages.size(), 4u);
    EXPECT_EQ(host.messages[3].text,
              QStringLiteral("no program to open PDF files; the manual is at ") +
                  QDir::toNativeSeparators(folder.filePath(QStringLiteral("help-en.pdf"))));
}

TEST_F(HelpMenu, UpdateCheckAsksTheServerOfTheSettingsAndOffersTheSite)
{
    LoopbackServer server(LoopbackServer::Behaviour::Reply, "HTTP/1.1 200 OK\r\n\r\n1034\n");
    ASSERT_TRUE(server.listening);
    Settings("UpdateServer=127.0.0.1\nUpdatePort=" + QByteArray::number(server.server.serverPort()) + "\n");
    Start();
    host.yesNoAnswers = {true};
    Trigger("actCheckUpdate");
    ASSERT_EQ(server.requests.size(), 1);
    EXPECT_TRUE(server.requests[0].startsWith("GET /LastVersion.php?currentVersion=1033 HTTP/1.1\r\n"));
    ASSERT_EQ(host.questions.size(), 1);
    EXPECT_EQ(host.questions[0], Translate("Have_new_version") + "\r" + Translate("Download_from_site"));
    EXPECT_EQ(host.informationQuestions, host.questions) << "good news, not a warning";
    ASSERT_EQ(opened.size(), 1);
    EXPECT_EQ(opened[0], QUrl(WebSiteAddress()));
    EXPECT_EQ(QApplication::overrideCursor(), nullptr) << "the busy cursor ends with the wait";

    // Answering No opens nothing.
    host.yesNoAnswers = {false};
    Trigger("actCheckUpdate");
    EXPECT_EQ(server.requests.size(), 2);
    EXPECT_EQ(opened.size(), 1);
}

TEST_F(HelpMenu, FeedbackWindowCountsSendsAndClosesOnlyWhenTheTextIsSafe)
{
    LoopbackServer server(LoopbackServer::Behaviour::Reply, "HTTP/1.1 200 OK\r\n\r\nsent\n");
    ASSERT_TRUE(server.listening);
    Settings("UpdateServer=127.0.0.1\nUpdatePort=" + QByteArray::number(server.server.serverPort()) + "\n");
    Start();
    FeedbackWindow& window = *w->FeedbackDialog();
    EXPECT_EQ(window.EmailField()->maxLength(), 64);

    // Opened from the menu with empty fields and the limit under the text; typing counts.
    bool accepted = false;
    onFeedback = [&](FeedbackWindow& shown) {
        EXPECT_TRUE(shown.EmailField()->text().isEmpty());
        EXPECT_EQ(shown.Counter()->text(), Translate("1000Chars"));
        shown.TextField()->setPlainText(QStringLiteral("Спасибо"));
        EXPECT_EQ(shown.Counter()->text(), QStringLiteral("(7") + Translate("chars_from"));
        shown.EmailField()->setText(QStringLiteral("a b+c"));
        QObject::connect(&shown, &QDialog::accepted, [&accepted] { accepted = true; });
        shown.SendButton()->click();
    };
    Trigger("actMindProgram");
    EXPECT_EQ(feedbackShown, 1);
    ASSERT_EQ(server.requests.size(), 1);
    EXPECT_TRUE(server.requests[0].startsWith(
        "GET /aboutProgram.php?email=a%20b%2Bc&about=%D1%EF%E0%F1%E8%E1%EE&program=Nodeloom HTTP/1.1\r\n"));
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].text, Translate("Message_sended") + "\r" + Translate("Senks_help"));
    EXPECT_TRUE(accepted);

    // Both fields empty: the window closes and nothing goes out.
    accepted = false;
    onFeedback = [&](FeedbackWindow& shown) {
        QObject::connect(&shown, &QDialog::accepted, [&accepted] { accepted = true; });
        shown.SendButton()->click();
    };
    Trigger("actMindProgram");
    EXPECT_TRUE(accepted);
    EXPECT_EQ(server.requests.size(), 1);
    EXPECT_EQ(server.connections, 1);
}

TEST_F(HelpMenu, FeedbackWindowClosesWithoutSendingFromItsCloseButton)
{
    LoopbackServer server(LoopbackServer::Behaviour::Reply, "HTTP/1.1 200 OK\r\n\r\nsent\n");
    ASSERT_TRUE(server.listening);
    Settings("UpdateServer=127.0.0.1\nUpdatePort=" + QByteArray::number(server.server.serverPort()) + "\n");
    Start();
    bool rejected = false;
    onFeedback = [&](FeedbackWindow& shown) {
        EXPECT_EQ(shown.CloseButton()->text(), Translate("Close"));
        shown.TextField()->setPlainText(QStringLiteral("not to be sent"));
        QObject::connect(&shown, &QDialog::rejected, [&rejected] { rejected = true; });
        shown.CloseButton()->click();
    };
    Trigger("actMindProgram");
    EXPECT_TRUE(rejected);
    EXPECT_EQ(server.connections, 0);
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(HelpMenu, FeedbackThatFindsNoServerKeepsTheWindowAndItsText)
{
    Settings("UpdateServer=127.0.0.1\nUpdatePort=" + QByteArray::number(RefusingEndpoint().Port) + "\n");
    Start();
    bool accepted = false;
    QString textAfter;
    onFeedback = [&](FeedbackWindow& shown) {
        QObject::connect(&shown, &QDialog::accepted, [&accepted] { accepted = true; });
        shown.TextField()->setPlainText(QStringLiteral("long thoughts"));
        shown.SendButton()->click();
        textAfter = shown.TextField()->toPlainText();
    };
    Trigger("actMindProgram");
    EXPECT_FALSE(accepted);
    EXPECT_EQ(textAfter, QStringLiteral("long thoughts"));
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].text, Translate("Message_not_sent") + "\r" + Translate("Internet_connect") +
                                         "\r" + Translate("Repeat"));
}

TEST_F(HelpMenu, TheThirdRunInvitesAnOpinionOnceWithItsFirstGraph)
{
    // Runs that start and end as a user's do: the invitation comes on the third, and only then.
    QList<int> shownOnRun;
    for (int run = 1; run <= 5; ++run) {
        feedbackShown = 0;
        Start();
        w->show();
        w->Edits().NewGraph();
        QApplication::processEvents();
        ASSERT_TRUE(w->close());
        w.reset();
        EXPECT_LE(feedbackShown, 1) << "once per run, not with every new graph";
        if (feedbackShown)
            shownOnRun.append(run);
    }
    EXPECT_EQ(shownOnRun, QList<int>{3});

    for (const QByteArray& runs : {QByteArray("1"), QByteArray("4")}) {
        w.reset();
        feedbackShown = 0;
        Settings("CountRun=" + runs + "\n");
        Start();
        EXPECT_EQ(feedbackShown, 0) << runs.constData();
    }
}

TEST_F(HelpMenu, AboutBoxShowsEitherPanelAndLeadsToTheFeedbackWindow)
{
    Start();
    std::optional<AboutBox::Panel> shownPanel;
    w->AboutDialog()->Exec = [&](AboutBox& box) {
        shownPanel = box.VisiblePanel();
        return int(QDialog::Accepted);
    };
    Trigger("actAboutProgram");
    EXPECT_EQ(shownPanel, AboutBox::Panel::Information);
    Trigger("actFeedBack");
    EXPECT_EQ(shownPanel, AboutBox::Panel::Contact);
    w->AboutDialog()->FeedbackButton()->click();
    EXPECT_EQ(feedbackShown, 1);

    // Re-captioned with the language.
    w->Views().UseEnglishLanguage();
    EXPECT_EQ(w->AboutDialog()->windowTitle(), Translate("about"));
    EXPECT_EQ(w->AboutDialog()->FeedbackButton()->text(), QStringLiteral("Send to the author"));
    EXPECT_EQ(w->FeedbackDialog()->SendButton()->text(), Translate("Send"));

    // What each label shows, read the way the label reads its text: the licence's quotation
    // marks are marks, not entities.
    QStringList shown;
    for (const QLabel* label : w->AboutDialog()->findChildren<QLabel*>()) {
        const bool rich = label->textFormat() == Qt::RichText ||
                          (label->textFormat() == Qt::AutoText && Qt::mightBeRichText(label->text()));
        QTextDocument document;
        document.setHtml(label->text());
        shown.append(rich ? document.toPlainText() : label->text());
    }
    const QString all = shown.join(u'\n');
    EXPECT_TRUE(all.contains(QStringLiteral("\"as is\""))) << all.toStdString();
    for (const char* entity : {"&quot;", "&amp;", "&lt;", "&gt;"})
        EXPECT_FALSE(all.contains(QLatin1String(entity))) << entity;
}
