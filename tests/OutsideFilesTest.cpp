// Graph files that come from outside the program: named on its command line or dropped on
// its window from a file manager.
#include "ScriptedHost.h"
#include "TestFolders.h"
#include "base/TranslationManager.h"
#include "ui/FeedbackWindow.h"
#include "ui/MainWindow.h"
#include "ui/NewGraphDialog.h"

#include <QApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QMimeData>
#include <QProcess>
#include <QTemporaryDir>
#include <QUrl>
#include <gtest/gtest.h>

namespace {

struct OutsideFiles : ::testing::Test {
    ScriptedHost host;
    std::unique_ptr<MainWindow> w;
    QTemporaryDir dir;
    int dialogs = 0;
    QStringList questions;
    MainWindow::SaveAnswer answer = MainWindow::SaveAnswer::Cancel;

    void SetUp() override
    {
        w = std::make_unique<MainWindow>();
        w->SetDialogHost(&host);
        w->ExecPopup = [](QMenu&, const QPoint&) {};
        w->AskFileName = [](MainWindow::FileDialog) { return QString(); };
        w->AskSaveChanges = [this](const QString& question) {
            questions.append(question);
            return answer;
        };
        w->NewGraphForm()->Exec = [this](NewGraphDialog& dialog) {
            ++dialogs;
            dialog.Confirm();
            return int(QDialog::Accepted);
        };
        w->resize(700, 600);
    }
    void TearDown() override
    {
        w.reset();
        QFile::remove(TestProgramFolder() + QStringLiteral("/setting.ini"));
    }
    // A directed weighted path 1 → 2 → 3, saved by the command-line tool.
    QString SavedGraph()
    {
        QProcess cli;
        cli.setWorkingDirectory(dir.path());
        cli.start(QStringLiteral(NODELOOM_CLI_PATH),
                  {QStringLiteral("from-matrix"), QStringLiteral("0,7,0\n0,0,5\n0,0,0"),
                   QStringLiteral("path.grafa"), QStringLiteral("--directed"), QStringLiteral("--weighted")});
        EXPECT_TRUE(cli.waitForFinished(30000));
        EXPECT_EQ(cli.exitCode(), 0);
        return dir.filePath(QStringLiteral("path.grafa"));
    }
    void ExpectThePath(const QString& file)
    {
        GraphDocument* g = w->Document();
        ASSERT_NE(g, nullptr);
        EXPECT_EQ(g->VertexCount, 3);
        EXPECT_TRUE(g->Directed);
        EXPECT_TRUE(g->Weighted);
        EXPECT_EQ(g->Arc(1, 2).Weight, 7);
        EXPECT_EQ(g->Arc(2, 3).Weight, 5);
        EXPECT_EQ(w->Session().FileName(), file);
        EXPECT_FALSE(w->isWindowModified());
    }
    // What a file manager sends when the user drops these files on the window.
    bool Drop(const QList<QUrl>& urls, const QString& text = QString())
    {
        QMimeData data;
        if (!urls.isEmpty())
            data.setUrls(urls);
        if (!text.isEmpty())
            data.setText(text);
        QDragEnterEvent enter(QPoint(100, 100), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(w.get(), &enter);
        if (!enter.isAccepted())
            return false;
        QDropEvent drop(QPointF(100, 100), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(w.get(), &drop);
        QApplication::processEvents();
        return drop.isAccepted();
    }
};

} // namespace

TEST_F(OutsideFiles, AFileOnTheCommandLineOpensInsteadOfTheNewGraphDialog)
{
    const QString file = SavedGraph();
    w->SetStartFile(file);
    w->show();
    QApplication::processEvents();
    EXPECT_EQ(dialogs, 0);
    ExpectThePath(file);
    EXPECT_TRUE(host.messages.empty());
    EXPECT_TRUE(w->windowTitle().startsWith(QStringLiteral("path.grafa")));
}

TEST_F(OutsideFiles, AStartFileThatCannotBeReadIsNamedBeforeTheNewGraphDialogAndTheOpinionWindow)
{
    // The third run, so the opinion window is due with the first graph.
    QFile settings(TestProgramFolder() + QStringLiteral("/setting.ini"));
    ASSERT_TRUE(settings.open(QIODevice::WriteOnly));
    settings.write("[MainSetting]\nCountRun=2\n");
    settings.close();
    QFile damaged(dir.filePath(QStringLiteral("damaged.grafa")));
    ASSERT_TRUE(damaged.open(QIODevice::WriteOnly));
    damaged.write("[Main]\nVersion=1\nPointCount=2\nIsOrint=0\n[Matrix]\nFrom1To2=3\nFrom2To1=70000\n");
    damaged.close();

    QStringList order;
    w->NewGraphForm()->Exec = [&](NewGraphDialog& dialog) {
        order.append(QStringLiteral("dialog after %1 messages").arg(host.messages.size()));
        EXPECT_FALSE(dialog.CancelVisible());
        dialog.SetDirected(true);
        dialog.Confirm();
        return int(QDialog::Accepted);
    };
    w->FeedbackDialog()->Exec = [&](FeedbackWindow&) {
        order.append(QStringLiteral("opinion after %1 messages").arg(host.messages.size()));
        return int(QDialog::Rejected);
    };
    w->SetStartFile(damaged.fileName());
    w->show();
    QApplication::processEvents();
    EXPECT_EQ(order, (QStringList{"dialog after 1 messages", "opinion after 1 messages"}));
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].kind, ProgramHost::MessageKind::Error);
    EXPECT_TRUE(host.messages[0].text.startsWith(damaged.fileName())) << host.messages[0].text.toStdString();
    // The dialog's graph, with nothing before it to undo.
    ASSERT_NE(w->Document(), nullptr);
    EXPECT_TRUE(w->Document()->Directed);
    EXPECT_EQ(w->Document()->VertexCount, 0);
    EXPECT_FALSE(w->Session().History().CanUndo());
    EXPECT_FALSE(w->isWindowModified());
    EXPECT_TRUE(w->Session().FileName().isEmpty());

    // A missing file: its message names it already, and is not named twice.
    w.reset();
    host.messages.clear();
    SetUp();
    const QString gone = dir.filePath(QStringLiteral("gone.grafa"));
    w->SetStartFile(gone);
    w->show();
    QApplication::processEvents();
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].text.count(QStringLiteral("gone.grafa")), 1);
    EXPECT_EQ(dialogs, 1);
    ASSERT_NE(w->Document(), nullptr);
}

TEST_F(OutsideFiles, ADroppedFileOpensAfterTheQuestionAboutUnsavedWork)
{
    const QString file = SavedGraph();
    w->EnsureFirstGraph();
    w->show();
    QApplication::processEvents();
    ASSERT_EQ(dialogs, 1);
    // Text and remote addresses are not files to open.
    EXPECT_FALSE(Drop({}, QStringLiteral("0,1\n1,0")));
    EXPECT_FALSE(Drop({QUrl(QStringLiteral("https://example.org/path.grafa"))}));
    EXPECT_FALSE(Drop({QUrl::fromLocalFile(dir.path())}));

    w->Document()->AddVertex(50, 50, QString(), w->Document()->FreeNameNumber(), w->Document()->VertexSize);
    w->Session().RecordState();
    w->UpdateMenus();
    ASSERT_TRUE(w->isWindowModified());

    // Cancel keeps the work; Discard lets the dropped file in.
    EXPECT_TRUE(Drop({QUrl::fromLocalFile(file)}));
    ASSERT_EQ(questions.size(), 1);
    EXPECT_TRUE(questions[0].startsWith(Translate("Unsaved_changes")));
    EXPECT_EQ(w->Document()->VertexCount, 1);
    answer = MainWindow::SaveAnswer::Discard;
    EXPECT_TRUE(Drop({QUrl::fromLocalFile(file)}));
    EXPECT_EQ(questions.size(), 2);
    ExpectThePath(file);

    // Nothing unsaved: no question.
    EXPECT_TRUE(Drop({QUrl::fromLocalFile(file)}));
    EXPECT_EQ(questions.size(), 2);
    EXPECT_EQ(dialogs, 1);
}
