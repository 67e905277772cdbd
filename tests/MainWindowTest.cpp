#include "ui/MainWindow.h"
#include "DrawingAreaEvents.h"
#include "ScriptedHost.h"
#include "TestFolders.h"
#include "base/IniFile.h"
#include "base/ProgramPaths.h"
#include "base/TranslationManager.h"
#include "document/UndoHistory.h"
#include "ui/DrawingArea.h"
#include "ui/EditCommands.h"
#include "ui/FileCommands.h"
#include "ui/MapScaleDialog.h"
#include "ui/MatrixGridWindow.h"
#include "ui/NewGraphDialog.h"
#include "ui/PlaybackBar.h"
#include "ui/ViewCommands.h"
#include "ui/ViewSettingsDialog.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSet>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>
#include <set>

namespace {

struct Window : ::testing::Test {
    // A program folder of its own: no recent files or settings from another window test.
    QTemporaryDir folder;
    ScriptedHost host;
    std::unique_ptr<MainWindow> w;
    qint64 now = 1000;
    QStringList popups;
    std::function<void(QMenu&)> onPopup;
    bool directed = false, weighted = false;
    QString chosenFile;
    QStringList saveQuestions;

    void SetUp() override
    {
        ProgramPaths::SetProgramFolderOverride(folder.path());
        w = std::make_unique<MainWindow>();
        w->SetDialogHost(&host);
        w->Clock = [this] { return now; };
        w->ExecPopup = [this](QMenu& menu, const QPoint&) {
            popups.append(menu.objectName());
            if (onPopup)
                onPopup(menu);
        };
        w->AskFileName = [this](MainWindow::FileDialog) { return chosenFile; };
        // Unsaved work is given up unless a test answers otherwise.
        w->AskSaveChanges = [this](const QString& question) {
            saveQuestions.append(question);
            return MainWindow::SaveAnswer::Discard;
        };
        w->NewGraphForm()->Exec = [this](NewGraphDialog& dialog) {
            dialog.SetDirected(directed);
            dialog.SetWeighted(weighted);
            dialog.Confirm();
            return int(QDialog::Accepted);
        };
    }
    void TearDown() override
    {
        w.reset(); // writes its settings while its folder still exists
        ProgramPaths::SetProgramFolderOverride(TestProgramFolder());
    }
    void Start(bool isDirected, bool isWeighted)
    {
        directed = isDirected;
        weighted = isWeighted;
        w->EnsureFirstGraph();
        // Tall enough that the drawing area, above the result panes, holds every point used.
        w->resize(800, 760);
        w->show();
        QApplication::processEvents();
    }
    GraphDocument& G() { return *w->Document(); }
    void AddVertices(std::initializer_list<QPoint> points)
    {
        for (QPoint p : points)
            G().AddVertex(p.x(), p.y(), QString(), G().FreeNameNumber(), G().VertexSize);
    }
    // Events reach the drawing area as the window system would deliver them; the clock
    // moves on between them so the 25 ms rule lets them through.
    void Mouse(QEvent::Type type, QPoint p, Qt::MouseButton button = Qt::LeftButton)
    {
        now += 100;
        SendToDrawingArea(*w, type, p, button);
    }
    void Click(QPoint p, Qt::MouseButton button = Qt::LeftButton)
    {
        Mouse(QEvent::MouseButtonPress, p, button);
        Mouse(QEvent::MouseButtonRelease, p, button);
    }
    bool Enabled(const char* name) { return w->Action(QLatin1String(name))->isEnabled(); }
    int HistoryCount() { return w->Session().History().Count(); }
};

} // namespace

TEST_F(Window, StartsWithTheNewGraphDialogWhoseCancelIsHiddenOnlyThen)
{
    bool cancelShown = true;
    w->NewGraphForm()->Exec = [&](NewGraphDialog& dialog) {
        cancelShown = dialog.CancelVisible();
        dialog.Confirm();
        return int(QDialog::Accepted);
    };
    w->EnsureFirstGraph();
    ASSERT_NE(w->Document(), nullptr);
    EXPECT_FALSE(cancelShown);
    EXPECT_TRUE(w->NewGraphForm()->CancelVisible());
    EXPECT_EQ(w->NewGraphForm()->ConfirmCaption(), Translate("Create"));
}

TEST(NewGraphWindow, EscTheCloseButtonAndCancelCloseItUnconfirmed)
{
    ScriptedHost host;
    GraphSession session(host);
    NewGraphDialog dialog(session);
    dialog.show();
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QCoreApplication::sendEvent(&dialog, &escape);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    dialog.show();
    EXPECT_TRUE(dialog.close());
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_FALSE(dialog.ConfirmedOnce());

    dialog.show();
    dialog.Confirm();
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
}

TEST_F(Window, ClosingTheFirstDialogGivesAnEmptyUndirectedGraphAndTheProgramCanQuit)
{
    int shown = 0;
    w->NewGraphForm()->Exec = [&](NewGraphDialog& dialog) {
        ++shown;
        // Chosen, then the dialog closed: the choice does not count.
        dialog.SetDirected(true);
        dialog.SetWeighted(true);
        dialog.SetKind(1);
        dialog.close();
        return dialog.result();
    };
    w->EnsureFirstGraph();
    EXPECT_EQ(shown, 1);
    ASSERT_NE(w->Document(), nullptr);
    EXPECT_FALSE(w->Document()->Directed);
    EXPECT_FALSE(w->Document()->Weighted);
    EXPECT_EQ(w->Document()->VertexCount, 0);
    EXPECT_FALSE(w->Session().HasUnsavedChanges());
    EXPECT_TRUE(w->NewGraphForm()->CancelVisible());
    // Vertices are named by numbers.
    ASSERT_TRUE(w->Session().AddVertexAt(40, 40));
    EXPECT_EQ(w->Document()->VertexName(1), QStringLiteral("1"));
    w->Session().Undo();
    int asked = 0;
    w->AskSaveChanges = [&](const QString&) {
        ++asked;
        return MainWindow::SaveAnswer::Cancel;
    };
    w->show();
    EXPECT_TRUE(w->close());
    EXPECT_EQ(asked, 0);
}

TEST(NewGraphWindow, ConfirmAppliesTheNamingScheme)
{
    ScriptedHost host;
    GraphSession session(host);
    NewGraphDialog dialog(session);
    dialog.SetKind(0);
    dialog.SetStartText(QStringLiteral("0"));
    dialog.Confirm();
    EXPECT_EQ(session.Naming().NameOf(1), QStringLiteral("0"));
    dialog.SetStartText(QStringLiteral("x7"));
    dialog.Confirm();
    EXPECT_EQ(session.Naming().NameOf(1), QStringLiteral("1")) << "not a number starts at 1";
    dialog.SetKind(1);
    EXPECT_EQ(dialog.StartText(), QStringLiteral("A"));
    dialog.SetStartText(QStringLiteral("C"));
    dialog.Confirm();
    EXPECT_EQ(session.Naming().NameOf(1) + session.Naming().NameOf(3), QStringLiteral("CE"));
    dialog.SetKind(2);
    dialog.Confirm();
    EXPECT_EQ(session.Naming().GetKind(), VertexNaming::Manual);
}

TEST_F(Window, PressSelectsAVertexAndADragMovesItAndRecordsOnceOnRelease)
{
    Start(false, false);
    AddVertices({{100, 100}, {300, 100}});
    const int before = HistoryCount();
    const int presents = w->PresentCount();

    Mouse(QEvent::MouseButtonPress, {103, 98});
    EXPECT_EQ(G().ActiveVertex, 1);
    EXPECT_EQ(G().Vertices[1].Active, 1);
    Mouse(QEvent::MouseMove, {150, 200});
    Mouse(QEvent::MouseMove, {170, 210});
    EXPECT_EQ(QPoint(G().Vertices[1].X, G().Vertices[1].Y), QPoint(170, 210));
    Mouse(QEvent::MouseButtonRelease, {170, 210});
    EXPECT_EQ(HistoryCount(), before + 1);
    EXPECT_GT(w->PresentCount(), presents) << "each step reached the screen";

    Mouse(QEvent::MouseButtonPress, {500, 300});
    EXPECT_EQ(G().ActiveVertex, 0);
    EXPECT_EQ(G().Vertices[1].Active, 0);
}

TEST_F(Window, MovesWithin25MsOfTheLastCopyAreDropped)
{
    Start(false, false);
    AddVertices({{100, 100}});
    Mouse(QEvent::MouseButtonPress, {100, 100});
    Mouse(QEvent::MouseMove, {150, 150});
    now += 10;
    QMouseEvent move(QEvent::MouseMove, QPointF(200, 200), w->DrawingPane()->mapToGlobal(QPointF(200, 200)),
                     Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(w->DrawingPane(), &move);
    EXPECT_EQ(G().Vertices[1].X, 150);

    const int presents = w->PresentCount();
    now += 100;
    w->PresentCanvas(w->CanvasSurface(), false);
    now += 10;
    w->PresentCanvas(w->CanvasSurface(), false);
    EXPECT_EQ(w->PresentCount(), presents + 1);
    w->PresentCanvas(w->CanvasSurface(), true);
    EXPECT_EQ(w->PresentCount(), presents + 2) << "a forced copy ignores the rate limit";
}

TEST_F(Window, DraggingEmptySpacePansTheScrollBars)
{
    Start(false, false);
    AddVertices({{100, 100}});
    G().ExtentWidth = 3000;
    G().ExtentHeight = 3000;
    w->UpdateScrollBars();
    ASSERT_TRUE(w->HorizontalBar()->isEnabled());
    w->ScrollToX(500);
    w->ScrollToY(500);
    EXPECT_EQ(w->HorizontalPosition(), 500);

    Mouse(QEvent::MouseButtonPress, {300, 200});
    Mouse(QEvent::MouseMove, {280, 230});
    EXPECT_EQ(w->HorizontalBar()->value(), 540);
    EXPECT_EQ(w->VerticalBar()->value(), 440);
    EXPECT_EQ(QPoint(w->HorizontalPosition(), w->VerticalPosition()), QPoint(540, 440));

    // a new graph starts at the origin, and the bars say so
    host.yesNoAnswers = {true}; // yes, lose the old graph
    w->Edits().NewGraph();
    EXPECT_EQ(QPoint(w->HorizontalPosition(), w->VerticalPosition()), QPoint(0, 0));
    EXPECT_EQ(w->HorizontalBar()->value(), 0);
    EXPECT_EQ(w->VerticalBar()->value(), 0);
}

TEST_F(Window, AReleaseThatNeverReachedTheDrawingEndsTheDragAndThePan)
{
    Start(false, false);
    AddVertices({{100, 100}});
    auto moveWithoutButtons = [&](QPoint p) {
        now += 100;
        QMouseEvent move(QEvent::MouseMove, QPointF(p), w->DrawingPane()->mapToGlobal(QPointF(p)),
                         Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(w->DrawingPane(), &move);
    };
    w->Session().MarkSaved(QString());
    const int before = HistoryCount();
    Mouse(QEvent::MouseButtonPress, {100, 100});
    Mouse(QEvent::MouseMove, {150, 150});
    Mouse(QEvent::MouseButtonRelease, {-20, -20});
    moveWithoutButtons({300, 300});
    EXPECT_EQ(QPoint(G().Vertices[1].X, G().Vertices[1].Y), QPoint(150, 150));
    EXPECT_EQ(HistoryCount(), before + 1) << "the drag is one step, released wherever";
    EXPECT_TRUE(w->isWindowModified());
    Click({400, 300});
    EXPECT_EQ(HistoryCount(), before + 1) << "and the next click adds none";
    w->Action("actUndo")->trigger();
    EXPECT_EQ(QPoint(G().Vertices[1].X, G().Vertices[1].Y), QPoint(100, 100));
    EXPECT_FALSE(w->isWindowModified());

    // A press in text mode opens a box that takes the release with it.
    G().ExtentWidth = 3000;
    w->UpdateScrollBars();
    w->Action("actAddText")->trigger();
    host.inputs = {{false, QString()}};
    Mouse(QEvent::MouseButtonPress, {400, 300});
    moveWithoutButtons({300, 300});
    EXPECT_EQ(w->HorizontalBar()->value(), 0) << "no pan without a held button";
}

TEST_F(Window, ADoubleClickAddsAVertexThatItsSecondPressSelects)
{
    Start(false, false);
    AddVertices({{100, 100}});
    Click({300, 200});
    Mouse(QEvent::MouseButtonDblClick, {300, 200});
    Mouse(QEvent::MouseButtonRelease, {300, 200});
    ASSERT_EQ(G().VertexCount, 2);
    EXPECT_EQ(QPoint(G().Vertices[2].X, G().Vertices[2].Y), QPoint(300, 200));
    EXPECT_EQ(G().ActiveVertex, 2);

    // A quick second right press on another vertex opens its popup again; no vertex is added.
    Click({100, 100}, Qt::RightButton);
    Mouse(QEvent::MouseButtonDblClick, {100, 100}, Qt::RightButton);
    EXPECT_EQ(G().VertexCount, 2);
    EXPECT_EQ(popups, (QStringList{"VertexPopup", "VertexPopup"}));
}

TEST_F(Window, ScrollBarsStayDisabledForASmallDrawing)
{
    Start(false, false);
    AddVertices({{100, 100}});
    w->UpdateScrollBars();
    EXPECT_FALSE(w->HorizontalBar()->isEnabled());
    EXPECT_FALSE(w->VerticalBar()->isEnabled());
    EXPECT_EQ(w->CanvasSize().width(), w->DrawingPane()->width());
}

TEST_F(Window, RightButtonInConstructorModeConnectsWithTheTypedWeight)
{
    Start(true, true);
    w->Action("actConstruct")->trigger();
    EXPECT_EQ(w->MenuEditMode(), 0);
    AddVertices({{100, 100}, {300, 100}});
    Click({100, 100});

    host.inputs = {{true, QStringLiteral("x")}, {true, QStringLiteral("70000")}, {false, QString()}};
    for (int i = 0; i < 3; ++i)
        Click({300, 100}, Qt::RightButton);
    EXPECT_EQ(host.MessageTexts(), (QStringList{Translate("Uncorrect_number"), Translate("Load_must_be"),
                                                Translate("Uncorrect_number")}));
    EXPECT_FALSE(G().HasArc(1, 2));

    host.inputs = {{true, QStringLiteral("12")}};
    Click({300, 100}, Qt::RightButton);
    EXPECT_EQ(G().Arc(1, 2).Weight, 12);
    EXPECT_FALSE(G().HasArc(2, 1));
    EXPECT_TRUE(popups.isEmpty()) << "no popups in constructor mode";
}

TEST_F(Window, MapModeGivesAMouseDrawnArcItsLength)
{
    Start(false, false);
    w->Action("actMapOn")->trigger();
    EXPECT_EQ(host.MessageTexts(), QStringList{Translate("Only_load_graf_map")});
    EXPECT_TRUE(w->Action("actMapOff")->isChecked());
    EXPECT_FALSE(G().MapMode);

    w->Action("actToWeighted")->trigger();
    w->Action("actMapOn")->trigger();
    EXPECT_TRUE(G().MapMode);
    EXPECT_TRUE(w->Action("actMapOn")->isChecked());
    EXPECT_EQ(w->Action("actScaleSettings")->text(), Translate("Scale_setting") + QStringLiteral("10"));
    w->Action("actConstruct")->trigger();
    AddVertices({{100, 100}, {157, 100}});
    Click({100, 100});
    Click({157, 100}, Qt::RightButton);
    EXPECT_EQ(G().Arc(1, 2).Weight, 57);
    EXPECT_TRUE(host.prompts.isEmpty());
}

TEST_F(Window, TheScaleDialogOpensCentredAndTakesAnyInteger)
{
    Start(false, true);
    auto* dialog = w->findChild<MapScaleDialog*>();
    ASSERT_NE(dialog, nullptr);
    QPoint dialogCentre;
    auto answer = [&](const QString& typed) {
        QTimer::singleShot(0, dialog, [&, typed] {
            dialogCentre = dialog->frameGeometry().center();
            dialog->Field()->setText(typed);
            dialog->Apply();
        });
        w->Action("actScaleSettings")->trigger();
    };
    const int before = HistoryCount();
    answer(QStringLiteral("0"));
    EXPECT_EQ(G().ZoomMap, 0) << "no range check";
    EXPECT_EQ(w->Action("actScaleSettings")->text(), Translate("Scale_setting") + QStringLiteral("0"));
    EXPECT_EQ(HistoryCount(), before + 1);
    const QPoint offset = dialogCentre - w->frameGeometry().center();
    EXPECT_LE(offset.manhattanLength(), 40) << "centred on the main window";
    EXPECT_EQ(dialog->minimumSize(), dialog->maximumSize()) << "a dialog of fixed size";

    answer(QStringLiteral("ten"));
    EXPECT_EQ(G().ZoomMap, 0) << "not an integer: ignored";
}

TEST_F(Window, TheMapModeItemsShowWhetherTheGraphIsInMapMode)
{
    Start(false, true);
    w->Action("actMapOn")->trigger();
    ASSERT_TRUE(G().MapMode);
    w->Action("actUndo")->trigger();
    EXPECT_FALSE(G().MapMode);
    EXPECT_TRUE(w->Action("actMapOff")->isChecked()) << "undo brought map mode back off";
    w->Action("actRedo")->trigger();
    EXPECT_TRUE(w->Action("actMapOn")->isChecked());

    for (bool nextWeighted : {true, false}) {
        w->Action("actMapOn")->trigger();
        weighted = nextWeighted;
        host.yesNoAnswers = {true};
        w->Edits().NewGraph();
        EXPECT_FALSE(G().MapMode);
        EXPECT_TRUE(w->Action("actMapOff")->isChecked()) << "a new graph starts without map mode";
    }
}

TEST_F(Window, TheRightButtonInPathModeOpensThePopupByTheSelection)
{
    Start(false, false);
    AddVertices({{100, 100}, {300, 100}});
    Click({300, 100}, Qt::RightButton);
    Click({100, 100});
    Click({300, 100}, Qt::RightButton);
    Click({100, 100}, Qt::RightButton);
    Click({500, 300}, Qt::RightButton);
    EXPECT_EQ(popups, (QStringList{"FreeSpacePopup", "VertexPopup", "FreeSpacePopup"}));
    EXPECT_EQ(G().VertexCount, 2) << "no arcs or vertices come from the right button here";
}

TEST_F(Window, DijkstraFromTheVertexPopupHighlightsThePathAndFillsThePanes)
{
    Start(false, true);
    AddVertices({{100, 100}, {300, 100}, {300, 300}});
    G().AddArc(1, 2, 5);
    G().AddArc(2, 3, 5);
    G().AddArc(1, 3, 20);
    onPopup = [](QMenu& menu) {
        for (QAction* item : menu.actions())
            if (item->objectName() == QLatin1String("popupAlgoritmDejkstri"))
                item->trigger();
    };
    Click({100, 100});
    Click({300, 300}, Qt::RightButton);
    EXPECT_TRUE(G().Vertices[2].Active) << "the path goes through vertex 2";
    EXPECT_EQ(G().Arc(1, 2).Active, 1);
    EXPECT_EQ(G().Arc(2, 3).Active, 1);
    EXPECT_EQ(G().Arc(1, 3).Active, 0);
    EXPECT_FALSE(w->TextPane()->toPlainText().isEmpty());
}

TEST_F(Window, AColouringFromTheMenuStaysOnScreenWithItsFills)
{
    Start(false, false);
    AddVertices({{100, 100}, {300, 100}});
    G().AddArc(1, 2, 1);
    w->Redraw();
    w->Action("actDeterminHromNumber")->trigger();
    QApplication::processEvents();
    QEventLoop wait; // past any catch-up redraw
    QTimer::singleShot(60, &wait, &QEventLoop::quit);
    wait.exec();
    const QImage shown = w->DrawingPane()->Shown();
    const qreal ratio = shown.devicePixelRatio();
    // Inside each circle, left of its name: vertex 1 red, vertex 2 green.
    EXPECT_EQ(shown.pixelColor(qRound(93 * ratio), qRound(104 * ratio)), QColor(Qt::red));
    EXPECT_EQ(shown.pixelColor(qRound(293 * ratio), qRound(104 * ratio)), QColor(0, 128, 0));
}

TEST_F(Window, SavedViewSettingsAreOnScreenAtOnceAndCancelledOnesChangeNothing)
{
    Start(false, false);
    AddVertices({{100, 100}});
    w->Redraw();
    auto fillAfter = [this](int colour, bool save) {
        QTimer::singleShot(0, w.get(), [this, colour, save] {
            auto* dialog = w->findChild<ViewSettingsDialog*>();
            ASSERT_NE(dialog, nullptr);
            dialog->Swatch(ViewSettingsDialog::VertexFill, false)->SetColor(colour);
            (save ? dialog->SaveButton() : dialog->CancelButton())->click();
        });
        now += 100; // past the 25 ms rule
        w->Action("actSettings")->trigger();
        const QImage shown = w->DrawingPane()->Shown();
        const qreal ratio = shown.devicePixelRatio();
        return shown.pixelColor(qRound(93 * ratio), qRound(104 * ratio)); // inside, left of the name
    };
    EXPECT_EQ(fillAfter(0x00FF00, true), QColor(0, 255, 0)); // 0x00BBGGRR
    EXPECT_EQ(G().Style().NormalVertex.BrushColor, 0x00FF00);
    EXPECT_EQ(fillAfter(0x0000FF, false), QColor(0, 255, 0));
    EXPECT_EQ(G().Style().NormalVertex.BrushColor, 0x00FF00);
}

TEST_F(Window, PlaybackWalksTheStepsOnTheDrawingAndAnEditEndsIt)
{
    Start(true, true);
    AddVertices({{100, 100}, {300, 100}, {300, 300}});
    G().AddArc(1, 2, 4);
    G().AddArc(2, 3, 5);
    onPopup = [](QMenu& menu) {
        for (QAction* item : menu.actions())
            if (item->objectName() == QLatin1String("popupAlgoritmDejkstri"))
                item->trigger();
    };
    Click({100, 100});
    Click({300, 300}, Qt::RightButton);
    PlaybackBar* bar = w->PlaybackControls();
    ASSERT_TRUE(bar->Active());
    EXPECT_EQ(bar->Count(), 6);
    EXPECT_EQ(bar->Current(), 5) << "it opens on the result";
    EXPECT_TRUE(w->Action("actShowPlayback")->isChecked());
    const auto before = UndoHistory::TakeSnapshot(G());
    const int history = HistoryCount();

    // Keys move through the frames; frame 3 has vertex 2 just fixed, drawn as the current one.
    auto key = [this](Qt::Key k) {
        QKeyEvent press(QEvent::ShortcutOverride, k, Qt::NoModifier);
        QCoreApplication::sendEvent(w->DrawingPane(), &press);
        QKeyEvent event(QEvent::KeyPress, k, Qt::NoModifier);
        QCoreApplication::sendEvent(w->DrawingPane(), &event);
    };
    w->activateWindow();
    w->DrawingPane()->setFocus();
    bar->ShowFrame(0);
    EXPECT_EQ(bar->Current(), 0);
    bar->Step(2);
    EXPECT_EQ(bar->Current(), 2);
    EXPECT_TRUE(bar->NarrationLine().startsWith(Translate("Playback_frame").arg(3).arg(6)));
    const QImage shown = w->DrawingPane()->Shown();
    const qreal ratio = shown.devicePixelRatio();
    EXPECT_EQ(shown.pixelColor(qRound(294 * ratio), qRound(100 * ratio)), QColor(0xD5, 0x5E, 0x00))
        << "vertex 2 in the current vertex's colour";
    key(Qt::Key_End);
    EXPECT_EQ(bar->Current(), 5);
    key(Qt::Key_Left);
    EXPECT_EQ(bar->Current(), 4);
    key(Qt::Key_Home);
    EXPECT_EQ(bar->Current(), 0);

    // Playback never touched the document or its history.
    EXPECT_EQ(*before, *UndoHistory::TakeSnapshot(G()));
    EXPECT_EQ(HistoryCount(), history);

    // An edit ends it, and the drawing is the document again.
    w->Action("actConstruct")->trigger();
    Mouse(QEvent::MouseButtonDblClick, {500, 300});
    EXPECT_FALSE(bar->Active());
    EXPECT_FALSE(w->Action("actShowPlayback")->isChecked());
}

TEST_F(Window, ExportAndImportCarryTheGraphThroughAnExchangeFormat)
{
    Start(true, true);
    AddVertices({{100, 100}, {300, 100}, {300, 300}});
    G().AddArc(1, 2, 4);
    G().AddArc(2, 3, 5);
    const QStringList matrix = G().MatrixToMemo();
    QTemporaryDir dir;
    chosenFile = dir.filePath("graph.dot");
    w->Files().Export();
    ASSERT_TRUE(QFileInfo::exists(chosenFile));

    w->Action("actDeleteObject")->trigger(); // nothing selected: only to have another state
    G().DeleteArc(1, 2);
    const int history = HistoryCount();
    w->Files().Import();
    EXPECT_EQ(G().MatrixToMemo(), matrix);
    EXPECT_TRUE(G().Directed);
    EXPECT_EQ(HistoryCount(), history + 1) << "one undo step";
    w->Action("actUndo")->trigger();
    EXPECT_FALSE(G().HasArc(1, 2));

    chosenFile = dir.filePath("graph.xyz");
    w->Files().Import();
    EXPECT_EQ(host.MessageTexts().last(), Translate("Exchange_unknown_format").arg("graph.xyz"));
}

TEST_F(Window, DeleteKeyWithNothingSelectedChangesNothing)
{
    Start(false, false);
    AddVertices({{100, 100}});
    Click({400, 300});
    const int presents = w->PresentCount();
    now += 100;
    QKeyEvent del(QEvent::KeyPress, Qt::Key_Delete, Qt::NoModifier);
    QCoreApplication::sendEvent(w->DrawingPane(), &del);
    EXPECT_EQ(G().VertexCount, 1);
    EXPECT_EQ(G().Vertices[1].Active, 0);
    EXPECT_GT(w->PresentCount(), presents) << "still redrawn";

    Click({100, 100});
    w->Action("actDeleteObject")->trigger();
    EXPECT_EQ(G().VertexCount, 0);
}

TEST_F(Window, AVerticalArcIsSelectedByAClickAndDeletedAsOneStep)
{
    Start(false, false);
    AddVertices({{200, 100}, {200, 400}, {400, 400}});
    G().AddArc(1, 2, 1);
    G().AddArc(2, 3, 1);
    w->Session().MarkSaved(QString());
    w->Redraw();
    const int before = HistoryCount();
    Click({201, 250});
    EXPECT_EQ((std::set<int>{G().ActiveArcTail, G().ActiveArcHead}), (std::set<int>{1, 2}));
    EXPECT_EQ(HistoryCount(), before) << "selecting is no edit";
    EXPECT_FALSE(w->isWindowModified());

    now += 100;
    QKeyEvent del(QEvent::KeyPress, Qt::Key_Delete, Qt::NoModifier);
    QCoreApplication::sendEvent(w->DrawingPane(), &del);
    EXPECT_FALSE(G().HasArc(1, 2));
    EXPECT_TRUE(G().HasArc(2, 3));
    EXPECT_EQ(HistoryCount(), before + 1);
    EXPECT_TRUE(w->isWindowModified());
    w->Action("actUndo")->trigger();
    EXPECT_TRUE(G().HasArc(1, 2));
    EXPECT_FALSE(w->isWindowModified());
}

TEST_F(Window, HelpExamplesOpenTheManualsGraphsAsOneStepInNoFile)
{
    Start(false, false);
    AddVertices({{100, 100}});
    const QFileInfoList files =
        QDir(ProgramPaths::ExamplesFolder()).entryInfoList({"*.grafa"}, QDir::Files, QDir::Name);
    ASSERT_GE(files.size(), 10);
    const QMenu* examples = w->findChild<QMenu*>("ExamplesMenu");
    ASSERT_NE(examples, nullptr);
    ASSERT_EQ(examples->actions().size(), files.size());

    // Every example is a graph the manual draws: its matrix is one of the pictures'.
    QFile pictures(NODELOOM_SOURCE_DIR "/docs/manual/pictures.ini");
    ASSERT_TRUE(pictures.open(QIODevice::ReadOnly));
    QSet<QString> matrices;
    for (const QString& line : QString::fromUtf8(pictures.readAll()).split('\n'))
        if (line.startsWith("matrix="))
            matrices.insert(line.mid(7).trimmed());
    for (QAction* item : examples->actions()) {
        EXPECT_FALSE(item->text().isEmpty()) << item->objectName().toStdString();
        EXPECT_NE(item->text(), item->objectName().mid(11)) << "captioned from the texts";
        w->AskSaveChanges = [](const QString&) { return MainWindow::SaveAnswer::Discard; };
        item->trigger();
        EXPECT_TRUE(matrices.contains(G().MatrixToMemo().join(';'))) << item->objectName().toStdString();
    }

    // Unsaved work (the last example is in no file) is asked about first, and Cancel keeps it.
    w->Action("actExample_house")->trigger();
    ASSERT_TRUE(w->isWindowModified());
    const QString graph = G().MatrixToMemo().join(';');
    saveQuestions.clear();
    w->AskSaveChanges = [this](const QString& question) {
        saveQuestions.append(question);
        return MainWindow::SaveAnswer::Cancel;
    };
    w->Action("actExample_roads")->trigger();
    EXPECT_EQ(saveQuestions.size(), 1);
    EXPECT_EQ(G().MatrixToMemo().join(';'), graph);
    EXPECT_FALSE(w->Session().History().CanRedo());

    // Opened: one undo step, unsaved, in no file and not among the recent ones.
    w->AskSaveChanges = [](const QString&) { return MainWindow::SaveAnswer::Discard; };
    const QStringList recent = w->Session().RecentFiles();
    w->Action("actExample_roads")->trigger();
    EXPECT_EQ(G().VertexCount, 5);
    EXPECT_TRUE(G().Directed);
    EXPECT_TRUE(G().HasArc(1, 2));
    EXPECT_TRUE(w->isWindowModified());
    EXPECT_TRUE(w->Session().FileName().isEmpty()) << "Save must not write over the shipped file";
    EXPECT_EQ(w->Session().RecentFiles(), recent);
    // One step back is the graph before, one forward the example again.
    w->Action("actUndo")->trigger();
    EXPECT_EQ(G().MatrixToMemo().join(';'), graph);
    w->Action("actRedo")->trigger();
    EXPECT_EQ(G().VertexCount, 5);
    EXPECT_TRUE(G().HasArc(1, 2));
}

TEST_F(Window, TextModeWithAnEmptyTextStaysOn)
{
    Start(false, false);
    w->Action("actAddText")->trigger();
    EXPECT_TRUE(w->TextMode());
    EXPECT_EQ(w->DrawingPane()->cursor().shape(), Qt::CrossCursor);
    host.inputs = {{true, QString()}};
    Click({50, 50});
    EXPECT_EQ(G().LabelCount, 0);
    EXPECT_TRUE(w->TextMode());
    host.inputs = {{true, QStringLiteral("Start")}};
    Click({50, 50});
    EXPECT_EQ(G().LabelCount, 1);
    EXPECT_FALSE(w->TextMode());
    EXPECT_EQ(w->DrawingPane()->cursor().shape(), Qt::ArrowCursor);
}

TEST_F(Window, AnyCommandOrEscapeEndsTextMode)
{
    Start(false, false);
    w->Action("actAddText")->trigger();
    host.inputs = {{false, QString()}}; // a cancelled text keeps the mode on
    Click({50, 50});
    EXPECT_TRUE(w->TextMode());
    w->Action("actConstruct")->trigger();
    EXPECT_FALSE(w->TextMode());

    w->Action("actAddText")->trigger();
    ASSERT_TRUE(w->TextMode());
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QCoreApplication::sendEvent(w->DrawingPane(), &escape);
    EXPECT_FALSE(w->TextMode());
    EXPECT_EQ(w->DrawingPane()->cursor().shape(), Qt::ArrowCursor);
}

TEST_F(Window, TheEnablingTableFollowsTheSelection)
{
    Start(false, true);
    AddVertices({{100, 100}, {300, 100}});
    G().AddArc(1, 2, 4);
    for (const char* item : {"actEditNameGraf", "actEditLoadDuga", "actEditText", "actUndo", "actRedo"})
        EXPECT_FALSE(Enabled(item)) << item;
    EXPECT_TRUE(Enabled("actAlgoritmDejkstri"));
    EXPECT_TRUE(Enabled("popupAlgoritmDejkstri"));

    Click({100, 100});
    EXPECT_FALSE(Enabled("actEditNameGraf")) << "numbered vertices are not renamed";
    w->Session().Naming().SetKind(VertexNaming::Manual);
    Click({100, 100});
    EXPECT_TRUE(Enabled("actEditNameGraf"));

    Click({200, 100});
    EXPECT_TRUE(Enabled("actEditLoadDuga"));
    EXPECT_FALSE(Enabled("actEditNameGraf"));

    G().AddLabel(QStringLiteral("note"), 400, 300);
    Click({402, 302});
    EXPECT_TRUE(Enabled("actEditText"));
    EXPECT_FALSE(Enabled("actEditLoadDuga"));

    w->Action("actToUnweighted")->trigger();
    EXPECT_FALSE(Enabled("actAlgoritmDejkstri"));
    EXPECT_TRUE(Enabled("actUndo"));
    w->Action("actUndo")->trigger();
    EXPECT_TRUE(G().Weighted);
    EXPECT_TRUE(Enabled("actRedo"));
    EXPECT_TRUE(Enabled("actAlgoritmDejkstri"));
}

TEST_F(Window, PropertiesConvertTheGraphToTheDialogsKind)
{
    Start(false, false);
    AddVertices({{100, 100}, {300, 100}});
    G().AddArc(1, 2, 1);
    directed = true;
    host.yesNoAnswers = {false};
    w->Action("actPropGraf")->trigger();
    EXPECT_TRUE(G().Directed);
    EXPECT_TRUE(G().HasArc(1, 2) && G().HasArc(2, 1));
    EXPECT_EQ(host.questions.size(), 1);
    EXPECT_EQ(w->NewGraphForm()->ConfirmCaption(), Translate("Edit"));
}

TEST_F(Window, SavingAppendsTheExtensionAndListsRecentFiles)
{
    Start(true, true);
    AddVertices({{100, 100}, {300, 100}});
    G().AddArc(1, 2, 7);
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());

    chosenFile = dir.filePath(QStringLiteral("graph.GRAFA"));
    ASSERT_TRUE(w->Files().Save());
    EXPECT_TRUE(QFileInfo::exists(chosenFile + QStringLiteral(".grafa")));
    chosenFile = dir.filePath(QStringLiteral("a-rather-long-name-for-a-graph-file.grafa"));
    ASSERT_TRUE(w->Files().SaveAs());
    EXPECT_TRUE(QFileInfo::exists(chosenFile));
    EXPECT_FALSE(QFileInfo::exists(chosenFile + QStringLiteral(".grafa")));

    EXPECT_TRUE(w->RecentMenu()->menuAction()->isVisible());
    QAction* newest = w->Action("actRecent1") ? w->Action("actRecent1") : w->RecentMenu()->actions().value(0);
    ASSERT_NE(newest, nullptr);
    EXPECT_EQ(newest->toolTip(), chosenFile);
    EXPECT_EQ(newest->text(),
              QStringLiteral("&1 ") + chosenFile.left(16) + QStringLiteral("..") + chosenFile.right(16));
    EXPECT_TRUE(w->RecentMenu()->actions().value(1)->isVisible());
    EXPECT_FALSE(w->RecentMenu()->actions().value(2)->isVisible());

    // Open the older file again: the graph comes back and the list keeps its order.
    G().DeleteAllVertices();
    w->Files().OpenRecent(1);
    EXPECT_EQ(G().VertexCount, 2);
    EXPECT_EQ(G().Arc(1, 2).Weight, 7);
    EXPECT_EQ(w->Session().RecentFiles().first(), chosenFile);

    // A file that vanished is reported and leaves the list.
    QFile::remove(chosenFile);
    w->Files().OpenRecent(0);
    EXPECT_EQ(host.messages.size(), 1u);
    EXPECT_TRUE(host.MessageTexts().value(0).contains(chosenFile));
    EXPECT_EQ(w->Session().RecentFiles().size(), 1);
    EXPECT_EQ(G().VertexCount, 2) << "the graph is untouched";
    EXPECT_FALSE(w->RecentMenu()->actions().value(1)->isVisible());
}

TEST_F(Window, LanguageItemsRecaptionTheWindow)
{
    Start(false, false);
    w->Action("actRus")->trigger();
    const QString russian = w->Action("actLoadGraf")->text();
    w->Action("actEn")->trigger();
    EXPECT_EQ(w->Action("actLoadGraf")->text(), QStringLiteral("&Open graph"));
    EXPECT_EQ(w->Action("actLoadGraf")->toolTip(), QStringLiteral("Open graph"));
    EXPECT_EQ(w->windowTitle(), Translate("ProgramTitle") + QStringLiteral("[*]"));
    w->Action("actRus")->trigger();
    EXPECT_EQ(w->Action("actLoadGraf")->text(), russian);
    EXPECT_NE(russian, QStringLiteral("Open graph"));
}

TEST_F(Window, MatrixWindowFollowsTheSettingsAndItsVisibilityIsSavedOnClose)
{
    w->show(); // before any graph the matrix window stays hidden
    EXPECT_FALSE(w->MatrixWindow()->isVisible());
    Start(false, false);
    EXPECT_TRUE(w->MatrixWindow()->isVisible()); // shown by default with the first graph
    EXPECT_EQ(w->Action("actShowMatrix")->text(), Translate("Hide_matrix"));
    w->Views().ShowMatrix();
    EXPECT_FALSE(w->MatrixWindow()->isVisible());
    EXPECT_EQ(w->Action("actShowMatrix")->text(), Translate("Show_matrix"));

    w->close();
    w.reset();
    IniFile settings(folder.filePath("setting.ini"));
    EXPECT_EQ(settings.ReadInteger("MainSetting", "ShowMatrixWindow", -1), 0);
    EXPECT_EQ(settings.ReadInteger("MainSetting", "CountRun", -1), 1);
}

TEST_F(Window, UndoTakesBackAsManyStepsAsTheSettingsSay)
{
    IniFile settings(folder.filePath("setting.ini"));
    settings.WriteInteger("MainSetting", "UndoSteps", 3);
    ASSERT_TRUE(settings.UpdateFile());
    Start(false, false);
    for (int i = 1; i <= 5; ++i)
        w->Session().AddVertexAt(40 * i, 40);
    int steps = 0;
    for (; w->Action("actUndo")->isEnabled() && steps < 10; ++steps)
        w->Action("actUndo")->trigger();
    EXPECT_EQ(steps, 3);
    EXPECT_EQ(w->Document()->VertexCount, 2);
}
