// The main window as a user meets it: views that never change the graph, opens that fail
// without harm, unsaved work, picture types, scrolling and Qt's own texts.
#include "DrawingAreaEvents.h"
#include "ScriptedHost.h"
#include "TestFolders.h"
#include "base/TranslationManager.h"
#include "document/UndoHistory.h"
#include "ui/DrawingArea.h"
#include "ui/EditCommands.h"
#include "ui/FileCommands.h"
#include "ui/FileFilters.h"
#include "ui/MainWindow.h"
#include "ui/NewGraphDialog.h"
#include "ui/ViewCommands.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFontMetrics>
#include <QLibraryInfo>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSplitter>
#include <QTemporaryDir>
#include <QWheelEvent>
#include <gtest/gtest.h>

namespace {

struct Desktop : ::testing::Test {
    ScriptedHost host;
    std::unique_ptr<MainWindow> w;
    qint64 now = 1000;
    QString chosenFile;
    QStringList saveQuestions;
    QTemporaryDir dir;

    void SetUp() override
    {
        w = std::make_unique<MainWindow>();
        w->SetDialogHost(&host);
        w->Clock = [this] { return now; };
        w->ExecPopup = [](QMenu&, const QPoint&) {};
        w->AskFileName = [this](MainWindow::FileDialog) { return chosenFile; };
        // Unsaved work is given up unless a test answers otherwise.
        w->AskSaveChanges = [this](const QString& question) {
            saveQuestions.append(question);
            return MainWindow::SaveAnswer::Discard;
        };
        w->NewGraphForm()->Exec = [](NewGraphDialog& dialog) {
            dialog.SetDirected(false);
            dialog.SetWeighted(true);
            dialog.Confirm();
            return int(QDialog::Accepted);
        };
        w->EnsureFirstGraph();
        w->resize(700, 600);
        w->show();
        QApplication::processEvents();
    }
    void TearDown() override
    {
        // The window writes its settings when it goes; the next test starts from none.
        w.reset();
        QFile::remove(TestProgramFolder() + QStringLiteral("/setting.ini"));
    }
    GraphDocument& G() { return *w->Document(); }
    void Mouse(QEvent::Type type, QPoint p)
    {
        now += 100;
        SendToDrawingArea(*w, type, p);
    }
    // A weighted graph of six vertices with a bent arc and a label, as a teacher draws one.
    void DrawSample()
    {
        const QPoint places[] = {{80, 80}, {250, 60}, {420, 120}, {120, 260}, {330, 300}, {500, 330}};
        for (QPoint p : places)
            G().AddVertex(p.x(), p.y(), QString(), G().FreeNameNumber(), G().VertexSize);
        const int arcs[][3] = {{1, 2, 7}, {2, 3, 9}, {1, 4, 14}, {4, 5, 2}, {3, 6, 5}, {5, 6, 11}, {2, 5, 4}};
        for (const auto& a : arcs)
            G().AddArc(a[0], a[1], a[2]);
        G().ArcRef(2, 5).SetTextPoint(240, 220);
        G().ArcRef(5, 2).SetTextPoint(240, 220);
        G().AddLabel(QStringLiteral("Dijkstra"), 20, 20);
        w->Redraw();
    }
    std::unique_ptr<HistoryState> State() { return UndoHistory::TakeSnapshot(G()); }
    void Write(const QString& name, const QByteArray& bytes)
    {
        QFile file(dir.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
};

} // namespace

TEST_F(Desktop, ResizesAndSplitterMovesNeverChangeTheDocument)
{
    auto* splitter = w->findChild<QSplitter*>();
    ASSERT_NE(splitter, nullptr);
    splitter->setSizes({450, 100});
    QApplication::processEvents();
    DrawSample();
    // Vertex 6 dragged down near the bottom of the drawing area (inside it: the drawing does
    // not grow), later vertex 5 right to the bottom edge.
    const int bottom = w->DrawingPane()->height() - 1;
    auto drag = [&](QPoint from, QPoint to) {
        Mouse(QEvent::MouseButtonPress, from);
        Mouse(QEvent::MouseMove, (from + to) / 2);
        Mouse(QEvent::MouseMove, to);
        Mouse(QEvent::MouseButtonRelease, to);
    };
    drag({500, 330}, {500, bottom - 15});
    ASSERT_EQ(G().Vertices[6].Y, bottom - 15);
    ASSERT_EQ(QPoint(w->HorizontalPosition(), w->VerticalPosition()), QPoint(0, 0))
        << "the drag inside did not scroll";
    // Every resize and splitter move leaves every record of the document as it was.
    auto viewChangesKeep = [&](const HistoryState& before) {
        const int historyCount = w->Session().History().Count();
        for (QSize size : {QSize(400, 320), QSize(300, 300), QSize(1000, 800), QSize(700, 600)}) {
            w->resize(size);
            QApplication::processEvents();
            now += 100;
            w->Redraw();
            EXPECT_TRUE(*State() == before) << size.width() << "x" << size.height();
        }
        for (int drawing : {60, 500, 200}) {
            const int total = splitter->sizes()[0] + splitter->sizes()[1];
            splitter->setSizes({drawing, total - drawing});
            QApplication::processEvents();
            now += 100;
            w->Redraw();
            EXPECT_TRUE(*State() == before) << "splitter at " << drawing;
            // The bars reach every part of the drawing.
            EXPECT_GE(w->VerticalBar()->maximum() + w->DrawingPane()->height(),
                      G().Vertices[6].Y + G().VertexSize);
        }
        EXPECT_EQ(w->Session().History().Count(), historyCount) << "no view change is recorded";
        splitter->setSizes({450, 100});
        QApplication::processEvents();
    };
    viewChangesKeep(*State());
    drag({330, 300}, {330, w->DrawingPane()->height() - 1});
    const auto before = State();
    viewChangesKeep(*before);

    // Only the visible part is ever allocated.
    Mouse(QEvent::MouseButtonPress, {5, 5});
    Mouse(QEvent::MouseButtonRelease, {5, 5});
    EXPECT_EQ(w->CanvasSurface().size(), w->DrawingPane()->size() * w->devicePixelRatioF());
    for (int v = 1; v <= G().VertexCount; ++v)
        EXPECT_EQ(QPoint(G().Vertices[v].X, G().Vertices[v].Y),
                  QPoint(before->Unpacked().Vertices[v].X, before->Unpacked().Vertices[v].Y));
}

TEST_F(Desktop, TheViewShowsTheScrolledPartOfTheCanvas)
{
    DrawSample();
    G().AddVertex(1500, 1200, QString(), G().FreeNameNumber(), G().VertexSize);
    w->UpdateScrollBars();
    ASSERT_GE(w->HorizontalBar()->maximum(), 1500 + G().VertexSize - w->DrawingPane()->width());
    now += 100;
    w->ScrollToX(w->HorizontalBar()->maximum());
    now += 100;
    w->ScrollToY(w->VerticalBar()->maximum());
    now += 100;
    w->Redraw();
    ASSERT_EQ(QPoint(w->HorizontalPosition(), w->VerticalPosition()),
              QPoint(w->HorizontalBar()->value(), w->VerticalBar()->value()));
    // The far vertex, fully in view near the corner: white inside its left rim, the rim dark.
    const QImage shown = w->DrawingPane()->Shown();
    ASSERT_FALSE(shown.isNull());
    const qreal r = shown.devicePixelRatio();
    const QPoint centre(1500 - w->HorizontalPosition(), 1200 - w->VerticalPosition());
    ASSERT_LT(centre.x() + G().VertexSize, w->DrawingPane()->width() + 1);
    const int inside = centre.x() - G().VertexSize + 3;
    EXPECT_EQ(QColor(shown.pixel(qRound(inside * r), qRound(centre.y() * r))), QColor(Qt::white));
    int darkest = 255;
    for (int x = centre.x() - G().VertexSize - 1; x <= centre.x() - G().VertexSize + 1; ++x)
        darkest = std::min(darkest, QColor(shown.pixel(qRound(x * r), qRound(centre.y() * r))).lightness());
    EXPECT_LT(darkest, 200);
    EXPECT_EQ(QColor(shown.pixel(0, 0)), QColor(Qt::white)) << "the rest of the view is empty canvas";
    EXPECT_EQ(QPoint(G().Vertices[7].X, G().Vertices[7].Y), QPoint(1500, 1200));
}

TEST_F(Desktop, AFailedOpenLeavesDocumentHistoryAndRecentListAlone)
{
    DrawSample();
    w->Session().RecentFiles() = {dir.filePath("good.grafa")};
    w->Session().RecordState();
    const auto before = State();
    const int historyCount = w->Session().History().Count();
    const QStringList recent = w->Session().RecentFiles();

    Write("letter.txt", "Dear colleagues,\nplease find the marks attached.\n");
    Write("damaged.grafa",
          "[Main]\nVersion=1\nPointCount=2\nIsOrint=0\n[Matrix]\nFrom1To2=3\nFrom2To1=70000\n");
    for (const QString name : {"letter.txt", "damaged.grafa", "missing.grafa"}) {
        SCOPED_TRACE(name.toStdString());
        host.messages.clear();
        chosenFile = dir.filePath(name);
        w->Files().Load();
        EXPECT_FALSE(host.messages.empty()) << "the failure is reported";
        EXPECT_TRUE(*State() == *before);
        EXPECT_EQ(w->Session().History().Count(), historyCount);
        EXPECT_EQ(w->Session().RecentFiles(), recent);
    }
}

TEST_F(Desktop, UnsavedWorkIsMarkedAndTheCloseAsksWhatToDoWithIt)
{
    EXPECT_FALSE(w->isWindowModified()) << "a new graph holds nothing to lose";
    QStringList questions;
    MainWindow::SaveAnswer answer = MainWindow::SaveAnswer::Cancel;
    w->AskSaveChanges = [&](const QString& question) {
        questions.append(question);
        return answer;
    };
    EXPECT_TRUE(w->close());
    EXPECT_TRUE(questions.isEmpty());
    w->show();

    DrawSample();
    w->UpdateMenus();
    EXPECT_TRUE(w->isWindowModified());
    EXPECT_TRUE(w->windowTitle().contains(QStringLiteral("[*]")));

    // Cancel keeps the window open with its work.
    EXPECT_FALSE(w->close());
    EXPECT_TRUE(w->isVisible());
    ASSERT_EQ(questions.size(), 1);
    EXPECT_TRUE(questions[0].startsWith(Translate("Unsaved_changes")));

    // Save runs the save command: a cancelled file dialog keeps the window open too.
    answer = MainWindow::SaveAnswer::Save;
    chosenFile.clear();
    EXPECT_FALSE(w->close());
    chosenFile = dir.filePath("lesson");
    EXPECT_TRUE(w->close());
    EXPECT_TRUE(QFile::exists(dir.filePath("lesson.grafa")));
    EXPECT_FALSE(w->isWindowModified());
    EXPECT_TRUE(w->windowTitle().startsWith(QStringLiteral("lesson.grafa")));

    // Selecting is no change; moving a vertex is, and Discard then closes without saving.
    w->show();
    Mouse(QEvent::MouseButtonPress, {80, 80});
    Mouse(QEvent::MouseButtonRelease, {80, 80});
    EXPECT_FALSE(w->isWindowModified());
    Mouse(QEvent::MouseButtonPress, {80, 80});
    Mouse(QEvent::MouseMove, {90, 140});
    Mouse(QEvent::MouseButtonRelease, {90, 140});
    EXPECT_TRUE(w->isWindowModified());
    answer = MainWindow::SaveAnswer::Discard;
    questions.clear();
    EXPECT_TRUE(w->close());
    EXPECT_EQ(questions.size(), 1);

    w->show();
    // An opened graph starts saved and clears the previous results from the panes.
    w->Session().Outp().AddLine(QStringLiteral("old result"));
    w->RefreshTextPane();
    DrawSample();
    host.yesNoAnswers = {true};
    chosenFile = dir.filePath("lesson.grafa");
    w->Files().Load();
    EXPECT_FALSE(w->isWindowModified());
    EXPECT_TRUE(w->Session().Outp().Lines().isEmpty());
}

TEST_F(Desktop, APictureIsSavedInTheTypeItsNameOrTheChosenFilterGives)
{
    DrawSample();
    auto save = [&](const QString& name, const QString& filter) {
        chosenFile = dir.filePath(name);
        w->ChosenFilter = filter;
        w->Files().SaveImage();
    };
    auto format = [&](const QString& name) {
        QFile file(dir.filePath(name));
        return file.open(QIODevice::ReadOnly) ? file.read(4) : QByteArray();
    };
    const QString bitmaps = FileFilters::ForDialog(FileDialogKind::SavePicture).value(0);
    save("pic5", QStringLiteral("PNG (*.png)"));
    EXPECT_EQ(format("pic5.png"), QByteArray("\x89PNG"));
    EXPECT_FALSE(QFile::exists(dir.filePath("pic5.bmp")));
    save("pic6", QStringLiteral("SVG (*.svg)"));
    EXPECT_TRUE(format("pic6.svg").startsWith("<?xm"));
    save("pic7", bitmaps);
    EXPECT_TRUE(format("pic7.bmp").startsWith("BM"));
    // A name with the chosen type's extension keeps it; one with another picture extension is
    // saved in that type.
    save("a.bmp", bitmaps);
    EXPECT_TRUE(format("a.bmp").startsWith("BM"));
    EXPECT_FALSE(QFile::exists(dir.filePath("a.bmp.bmp")));
    save("c.jpg", bitmaps);
    EXPECT_EQ(format("c.jpg").left(3), QByteArray("\xFF\xD8\xFF"));
    EXPECT_FALSE(QFile::exists(dir.filePath("c.jpg.bmp")));
    save("pic9.PNG", bitmaps);
    EXPECT_EQ(format("pic9.PNG"), QByteArray("\x89PNG"));
    // A dot inside a name is no extension.
    save("v1.2", QStringLiteral("PNG (*.png)"));
    EXPECT_EQ(format("v1.2.png"), QByteArray("\x89PNG"));
    EXPECT_TRUE(host.messages.empty());
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 7);
}

TEST_F(Desktop, ExportWithoutAnExtensionTakesTheChosenFiltersFormat)
{
    DrawSample();
    chosenFile = dir.filePath("roads");
    w->ChosenFilter = QStringLiteral("DOT (*.dot *.gv)");
    w->Files().Export();
    EXPECT_TRUE(host.messages.empty());
    EXPECT_TRUE(QFile::exists(dir.filePath("roads.dot")));
    // A name with an extension of its own is written in that format whatever the filter.
    chosenFile = dir.filePath("roads.gml");
    w->Files().Export();
    EXPECT_TRUE(QFile::exists(dir.filePath("roads.gml")));
    EXPECT_FALSE(QFile::exists(dir.filePath("roads.gml.dot")));
}

TEST_F(Desktop, SaveWritesTheGraphsFileAndSaveAsAsks)
{
    QList<MainWindow::FileDialog> asked;
    w->AskFileName = [&](MainWindow::FileDialog kind) {
        asked.append(kind);
        return chosenFile;
    };
    DrawSample();
    // A graph without a file asks for one.
    chosenFile = dir.filePath("lesson");
    ASSERT_TRUE(w->Files().Save());
    EXPECT_EQ(asked, QList<MainWindow::FileDialog>{MainWindow::FileDialog::SaveGraph});
    EXPECT_EQ(w->Session().FileName(), dir.filePath("lesson.grafa"));

    // Then Save writes it again, without a dialog, and the graph is saved.
    const int historyCount = w->Session().History().Count();
    G().AddVertex(600, 400, QString(), G().FreeNameNumber(), G().VertexSize);
    w->Session().RecordState();
    w->UpdateMenus();
    ASSERT_TRUE(w->isWindowModified());
    asked.clear();
    ASSERT_TRUE(w->Files().Save());
    EXPECT_TRUE(asked.isEmpty());
    EXPECT_FALSE(w->isWindowModified());
    QFile saved(dir.filePath("lesson.grafa"));
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    EXPECT_TRUE(saved.readAll().contains("PointCount=7"));
    EXPECT_EQ(w->Session().History().Count(), historyCount + 1) << "saving records nothing";

    // Save as asks and moves the graph to the new name.
    chosenFile = dir.filePath("copy.grafa");
    w->Action(QStringLiteral("actSaveGrafAs"))->trigger();
    EXPECT_EQ(asked, QList<MainWindow::FileDialog>{MainWindow::FileDialog::SaveGraph});
    EXPECT_EQ(w->Session().FileName(), dir.filePath("copy.grafa"));

    // A graph read from an older text file is not rewritten in place as ".grafa".
    Write("old.txt", "0,1\n1,0\n");
    chosenFile = dir.filePath("old.txt");
    w->Files().Load();
    ASSERT_EQ(w->Session().FileName(), dir.filePath("old.txt"));
    asked.clear();
    chosenFile.clear();
    EXPECT_FALSE(w->Files().Save());
    EXPECT_EQ(asked, QList<MainWindow::FileDialog>{MainWindow::FileDialog::SaveGraph});
}

TEST_F(Desktop, FileDialogsOpenInTheCurrentFilesFolderElseTheLastOneUsed)
{
    QTemporaryDir other;
    EXPECT_EQ(w->DialogFolder(), QDir::homePath()) << "nothing chosen yet";
    DrawSample();
    chosenFile = other.filePath("map.bmp");
    w->Views().LoadBackground();
    EXPECT_EQ(w->DialogFolder(), QFileInfo(other.path()).absoluteFilePath());
    chosenFile = dir.filePath("lesson.grafa");
    ASSERT_TRUE(w->Files().Save());
    EXPECT_EQ(w->DialogFolder(), QFileInfo(dir.path()).absoluteFilePath());
    // A picture chosen elsewhere: the graph's own folder still comes first.
    chosenFile = other.filePath("shot");
    w->Files().SaveImage();
    EXPECT_EQ(w->DialogFolder(), QFileInfo(dir.path()).absoluteFilePath());

    // A new graph has no file: the last folder used, also in the next run.
    w->Edits().NewGraph();
    ASSERT_TRUE(w->Session().FileName().isEmpty());
    EXPECT_EQ(w->DialogFolder(), QFileInfo(other.path()).absoluteFilePath());
    w.reset();
    SetUp();
    EXPECT_EQ(w->DialogFolder(), QFileInfo(other.path()).absoluteFilePath());
}

TEST_F(Desktop, TheWheelScrollsTheDrawingAndShiftScrollsSideways)
{
    DrawSample();
    G().AddVertex(2000, 2000, QString(), G().FreeNameNumber(), G().VertexSize);
    w->UpdateScrollBars();
    auto wheel = [&](QPoint angle, QPoint pixels, Qt::KeyboardModifiers modifiers) {
        const QPointF at(50, 50);
        QWheelEvent event(at, w->DrawingPane()->mapToGlobal(at), pixels, angle, Qt::NoButton, modifiers,
                          Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(w->DrawingPane(), &event);
    };
    wheel({0, -120}, {}, Qt::NoModifier);
    const int notch = w->VerticalBar()->value();
    EXPECT_GT(notch, 0);
    EXPECT_EQ(w->VerticalPosition(), notch);
    EXPECT_EQ(w->HorizontalBar()->value(), 0);
    wheel({0, 120}, {}, Qt::NoModifier);
    EXPECT_EQ(w->VerticalBar()->value(), 0);

    wheel({0, -120}, {}, Qt::ShiftModifier);
    EXPECT_EQ(w->HorizontalBar()->value(), notch);
    EXPECT_EQ(w->VerticalBar()->value(), 0);

    // A touchpad's pixels, both ways at once.
    wheel({-30, -45}, {-13, -17}, Qt::NoModifier);
    EXPECT_EQ(w->HorizontalBar()->value(), notch + 13);
    EXPECT_EQ(w->VerticalBar()->value(), 17);
    wheel({0, 1200}, {}, Qt::NoModifier);
    EXPECT_EQ(w->VerticalBar()->value(), 0) << "clamped at the top";
}

TEST_F(Desktop, QtsOwnButtonsSpeakTheProgramsLanguage)
{
    if (!QFileInfo::exists(QLibraryInfo::path(QLibraryInfo::TranslationsPath) + QStringLiteral("/qt_ru.qm")))
        GTEST_SKIP() << "Qt's Russian catalogue is not installed (qt6-translations-l10n)";
    TranslateManager().UseBuiltIn();
    {
        QMessageBox box(QMessageBox::Question, QString(), QString(),
                        QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        EXPECT_EQ(box.button(QMessageBox::Cancel)->text(), QStringLiteral("Отмена"));
        EXPECT_EQ(box.button(QMessageBox::Yes)->text().remove(QLatin1Char('&')), QStringLiteral("Да"));
        EXPECT_EQ(box.button(QMessageBox::No)->text().remove(QLatin1Char('&')), QStringLiteral("Нет"));
    }
    TranslateManager().LoadLanguage(QStringLiteral("grafEnglish.lang"));
    QMessageBox english(QMessageBox::Question, QString(), QString(), QMessageBox::Cancel);
    EXPECT_EQ(english.button(QMessageBox::Cancel)->text(), QStringLiteral("Cancel"));
    TranslateManager().UseBuiltIn();
    QApplication::processEvents();
    EXPECT_EQ(english.button(QMessageBox::Cancel)->text(), QStringLiteral("Отмена"))
        << "a switch re-captions";
}

TEST_F(Desktop, SmallThingsAroundTheWindow)
{
    // The result panes open with room for a dozen lines of the Text pane (a window of the
    // first start's size) and leave the drawing room to work in.
    auto* splitter = w->findChild<QSplitter*>();
    ASSERT_NE(splitter, nullptr);
    const QWidget* page = w->TextPane()->parentWidget();
    EXPECT_GE(page->height(), 12 * QFontMetrics(w->TextPane()->font()).lineSpacing());
    EXPECT_GE(w->DrawingPane()->height(), 200);
}

TEST(DesktopStart, MenusBehindTheFirstDialogLookDisabledUntilAGraphExists)
{
    ScriptedHost host;
    MainWindow w;
    w.SetDialogHost(&host);
    for (const char* name : {"actLoadGraf", "actSaveGraf", "actAddGraf", "actUndo", "actShowMatrix"})
        EXPECT_FALSE(w.Action(QLatin1String(name))->isEnabled()) << name;
    EXPECT_TRUE(w.Action(QStringLiteral("actCreate"))->isEnabled());
    EXPECT_TRUE(w.Action(QStringLiteral("actExit"))->isEnabled());
    for (const char* name : {"actHelpLocal", "actHelpOnline", "actMindProgram", "actAboutProgram"})
        EXPECT_TRUE(w.Action(QLatin1String(name))->isEnabled()) << name << ": help needs no graph";
    w.NewGraphForm()->Exec = [](NewGraphDialog& dialog) {
        dialog.Confirm();
        return int(QDialog::Accepted);
    };
    w.EnsureFirstGraph();
    for (const char* name : {"actLoadGraf", "actSaveGraf", "actAddGraf", "actShowMatrix"})
        EXPECT_TRUE(w.Action(QLatin1String(name))->isEnabled()) << name;
    EXPECT_FALSE(w.Action(QStringLiteral("actUndo"))->isEnabled());
}
