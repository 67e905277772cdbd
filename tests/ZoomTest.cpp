// The zoom is a view of the drawing: the pointer, the picture and the document's coordinates
// agree at every zoom, and the document never changes.
#include "DrawingAreaEvents.h"
#include "ScriptedHost.h"
#include "TestFolders.h"
#include "base/IniFile.h"
#include "base/ProgramPaths.h"
#include "files/GrafaFile.h"
#include "ui/DrawingArea.h"
#include "ui/EditCommands.h"
#include "ui/MainWindow.h"
#include "ui/NewGraphDialog.h"
#include "ui/PlaybackBar.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QWheelEvent>
#include <gtest/gtest.h>

namespace {

struct Zoom : ::testing::Test {
    QTemporaryDir folder;
    ScriptedHost host;
    std::unique_ptr<MainWindow> w;
    qint64 now = 1000;

    void SetUp() override
    {
        ProgramPaths::SetProgramFolderOverride(folder.path());
        Open();
    }
    void TearDown() override
    {
        w.reset();
        ProgramPaths::SetProgramFolderOverride(TestProgramFolder());
    }
    void Open()
    {
        w = std::make_unique<MainWindow>();
        w->SetDialogHost(&host);
        w->Clock = [this] { return now; };
        w->ExecPopup = [](QMenu&, const QPoint&) {};
        w->NewGraphForm()->Exec = [](NewGraphDialog& dialog) {
            dialog.Confirm();
            return int(QDialog::Accepted);
        };
        w->EnsureFirstGraph();
        w->resize(800, 760);
        w->show();
        QApplication::processEvents();
    }
    GraphDocument& G() { return *w->Document(); }
    void AddVertex(int x, int y) { G().AddVertex(x, y, QString(), G().FreeNameNumber(), G().VertexSize); }
    void Mouse(QEvent::Type type, QPoint p)
    {
        now += 100;
        SendToDrawingArea(*w, type, p);
    }
    void Wheel(QPointF at, int notches, Qt::KeyboardModifiers modifiers)
    {
        QWheelEvent event(at, w->DrawingPane()->mapToGlobal(at), QPoint(), QPoint(0, notches * 120),
                          Qt::NoButton, modifiers, Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(w->DrawingPane(), &event);
    }
    // The share of pure red (a selected vertex's fill) on screen in the square of the given
    // half side around an area position (logical pixels).
    double RedShare(QPoint centre, int half)
    {
        const QImage& shown = w->DrawingPane()->Shown();
        const qreal ratio = shown.devicePixelRatio();
        int red = 0, all = 0;
        for (int y = centre.y() - half; y <= centre.y() + half; ++y)
            for (int x = centre.x() - half; x <= centre.x() + half; ++x, ++all)
                red += shown.pixelColor(qRound(x * ratio), qRound(y * ratio)) == QColor(Qt::red);
        return double(red) / all;
    }
    QByteArray Saved()
    {
        const QString file = folder.filePath(QStringLiteral("state.grafa"));
        EXPECT_TRUE(GrafaFile::SaveGrafa(G(), file));
        QFile saved(file);
        EXPECT_TRUE(saved.open(QIODevice::ReadOnly));
        return saved.readAll();
    }
};

} // namespace

TEST_F(Zoom, EveryZoomCommandChangesOnlyTheViewNeverTheDocument)
{
    AddVertex(100, 80);
    AddVertex(300, 200);
    G().AddArc(1, 2, 1);
    const QByteArray before = Saved();
    const int history = w->Session().History().Count();
    const bool unsaved = w->Session().HasUnsavedChanges();

    w->ZoomInCommand();
    EXPECT_DOUBLE_EQ(w->Zoom(), 1.1);
    w->ZoomOutCommand();
    w->ZoomOutCommand();
    EXPECT_DOUBLE_EQ(w->Zoom(), 0.9);
    w->ZoomFitCommand();
    Wheel(QPointF(120, 90), 2, Qt::ControlModifier);
    w->ZoomActualCommand();
    EXPECT_DOUBLE_EQ(w->Zoom(), 1.0);

    EXPECT_EQ(Saved(), before);
    EXPECT_EQ(w->Session().History().Count(), history);
    EXPECT_EQ(w->Session().HasUnsavedChanges(), unsaved);
    EXPECT_EQ(G().Vertices[1].X, 100);
    EXPECT_EQ(G().Vertices[2].Y, 200);
}

TEST_F(Zoom, ThePointerFindsAndDragsTheVertexItSeesAt50And200Percent)
{
    AddVertex(100, 80);
    for (const double zoom : {0.5, 2.0}) {
        w->SetZoom(zoom, QPointF());
        ASSERT_DOUBLE_EQ(w->Zoom(), zoom);
        ASSERT_EQ(w->HorizontalPosition(), 0);
        const QPoint seen(qRound(G().Vertices[1].X * zoom), qRound(G().Vertices[1].Y * zoom));
        // Where the vertex was at 100 %: nothing there now.
        const QPoint unzoomed(G().Vertices[1].X, G().Vertices[1].Y);
        Mouse(QEvent::MouseButtonPress, unzoomed);
        Mouse(QEvent::MouseButtonRelease, unzoomed);
        EXPECT_EQ(G().ActiveVertex, 0) << zoom;

        Mouse(QEvent::MouseButtonPress, seen);
        EXPECT_EQ(G().ActiveVertex, 1) << zoom;
        // Drawn where it was hit: the selected vertex's fill under the pointer, white where it was.
        now += 100;
        w->Redraw();
        const int half = qRound(G().Vertices[1].Size * zoom * 0.7);
        EXPECT_GT(RedShare(seen, half), 0.4) << zoom;
        EXPECT_EQ(RedShare(unzoomed, half), 0.0) << zoom;

        // Dragged 40 pixels right: 40 / zoom canvas units.
        const int x = G().Vertices[1].X;
        Mouse(QEvent::MouseMove, seen + QPoint(40, 0));
        Mouse(QEvent::MouseButtonRelease, seen + QPoint(40, 0));
        EXPECT_EQ(G().Vertices[1].X, x + qRound(40 / zoom)) << zoom;
        w->Edits().Undo();
        EXPECT_EQ(G().Vertices[1].X, x) << zoom;
    }
}

TEST_F(Zoom, CtrlWheelZoomsAroundThePointerWithinQuarterAndFourTimes)
{
    AddVertex(1500, 1200); // a drawing larger than the area, so it scrolls
    w->HorizontalBar()->setValue(200);
    w->VerticalBar()->setValue(100);
    const QPointF pointer(300, 150);
    const QPointF under(w->HorizontalPosition() + pointer.x(), w->VerticalPosition() + pointer.y());
    Wheel(pointer, 3, Qt::ControlModifier); // three steps: 110 %, 125 %, 150 %
    EXPECT_DOUBLE_EQ(w->Zoom(), 1.5);
    // The canvas point under the pointer stays there (to the scroll's whole canvas units).
    EXPECT_NEAR(w->HorizontalPosition() + pointer.x() / w->Zoom(), under.x(), 1.0);
    EXPECT_NEAR(w->VerticalPosition() + pointer.y() / w->Zoom(), under.y(), 1.0);
    // The wheel without Ctrl still scrolls.
    const int scrolled = w->VerticalPosition();
    Wheel(pointer, -1, Qt::NoModifier);
    EXPECT_GT(w->VerticalPosition(), scrolled);
    EXPECT_DOUBLE_EQ(w->Zoom(), 1.5);

    // The limits, each from both sides.
    w->SetZoom(3.0, pointer);
    Wheel(pointer, 1, Qt::ControlModifier);
    EXPECT_DOUBLE_EQ(w->Zoom(), 4.0);
    Wheel(pointer, 1, Qt::ControlModifier);
    EXPECT_DOUBLE_EQ(w->Zoom(), 4.0);
    w->SetZoom(0.33, pointer);
    Wheel(pointer, -1, Qt::ControlModifier);
    EXPECT_DOUBLE_EQ(w->Zoom(), 0.25);
    Wheel(pointer, -1, Qt::ControlModifier);
    EXPECT_DOUBLE_EQ(w->Zoom(), 0.25);
    w->SetZoom(0.1, pointer);
    EXPECT_DOUBLE_EQ(w->Zoom(), 0.25);
    w->SetZoom(9.0, pointer);
    EXPECT_DOUBLE_EQ(w->Zoom(), 4.0);
}

TEST_F(Zoom, TheKeysZoomAndFitToWindowShowsTheWholeDrawing)
{
    QTest::keyClick(w.get(), Qt::Key_Plus, Qt::ControlModifier);
    EXPECT_DOUBLE_EQ(w->Zoom(), 1.1);
    QTest::keyClick(w.get(), Qt::Key_Equal, Qt::ControlModifier);
    EXPECT_DOUBLE_EQ(w->Zoom(), 1.25);
    QTest::keyClick(w.get(), Qt::Key_Minus, Qt::ControlModifier);
    EXPECT_DOUBLE_EQ(w->Zoom(), 1.1);
    QTest::keyClick(w.get(), Qt::Key_0, Qt::ControlModifier);
    EXPECT_DOUBLE_EQ(w->Zoom(), 1.0);

    // Content twice the area's width: half size, from the corner.
    const int areaWidth = w->DrawingPane()->width();
    const int areaHeight = w->DrawingPane()->height();
    AddVertex(2 * areaWidth - G().VertexSize, 10 + G().VertexSize);
    w->Action(QStringLiteral("actZoomFit"))->trigger();
    EXPECT_DOUBLE_EQ(w->Zoom(), 0.5);
    EXPECT_EQ(w->HorizontalPosition(), 0);
    EXPECT_EQ(w->DrawingAreaWidth(), areaWidth * 2);
    EXPECT_EQ(w->HorizontalBar()->maximum(), 0) << "all of it in view";
    // Content far smaller than the area: no more than four times.
    G().DeleteVertex(1);
    AddVertex(areaHeight / 40, areaHeight / 40);
    w->ZoomFitCommand();
    EXPECT_DOUBLE_EQ(w->Zoom(), 4.0);
}

TEST_F(Zoom, TheZoomIsRememberedInTheSettingsAndAStrayValueIsIgnored)
{
    w->SetZoom(2.0, QPointF());
    w.reset();
    Open();
    EXPECT_DOUBLE_EQ(w->Zoom(), 2.0);
    w.reset();

    const QString settings = folder.filePath(QStringLiteral("setting.ini"));
    for (const auto& [stored, expected] : {std::pair{25, 0.25}, {400, 4.0}, {24, 1.0}, {401, 1.0}}) {
        {
            IniFile ini(settings);
            ini.WriteInteger(QStringLiteral("MainSetting"), QStringLiteral("ViewZoom"), stored);
            ASSERT_TRUE(ini.UpdateFile());
        }
        Open();
        EXPECT_DOUBLE_EQ(w->Zoom(), expected) << stored;
        w.reset();
    }
}

TEST_F(Zoom, ThePlaybackFrameIsDrawnWhereTheVerticesAreSeenAtEveryZoom)
{
    AddVertex(100, 80);
    AddVertex(100, 200);
    G().AddArc(1, 2, 1);
    w->Action(QStringLiteral("actDeterminHromNumber"))->trigger();
    ASSERT_TRUE(w->PlaybackControls()->Active());
    w->PlaybackControls()->ShowFrame(1);
    ASSERT_FALSE(w->PlaybackControls()->AtResult());
    auto inked = [this](QPoint centre, int half) {
        const QImage& shown = w->DrawingPane()->Shown();
        const qreal ratio = shown.devicePixelRatio();
        int count = 0, all = 0;
        for (int y = centre.y() - half; y <= centre.y() + half; ++y)
            for (int x = centre.x() - half; x <= centre.x() + half; ++x, ++all)
                count += shown.pixelColor(qRound(x * ratio), qRound(y * ratio)) != QColor(Qt::white);
        return double(count) / all;
    };
    for (const double zoom : {0.5, 2.0}) {
        w->SetZoom(zoom, QPointF());
        ASSERT_TRUE(w->PlaybackControls()->Active()) << "a view change keeps the playback";
        const QPoint seen(qRound(100 * zoom), qRound(80 * zoom));
        const int half = qRound(G().Vertices[1].Size * zoom * 0.7);
        EXPECT_GT(inked(seen, half), 0.05) << zoom;
        EXPECT_EQ(inked(QPoint(100, 80), half), 0.0) << zoom;
    }
}
