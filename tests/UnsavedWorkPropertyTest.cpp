#include "DrawingAreaEvents.h"
#include "ScriptedHost.h"
#include "TestFolders.h"
#include "base/ProgramPaths.h"
#include "commands/GraphGenerators.h"
#include "files/ExchangeFormats.h"
#include "files/GrafaFile.h"
#include "ui/DrawingArea.h"
#include "ui/GenerateGraphDialog.h"
#include "ui/MainWindow.h"
#include "ui/MatrixGridWindow.h"
#include "ui/MatrixTextWindow.h"
#include "ui/NewGraphDialog.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <random>

// Random sequences of the user's edits in the window: each one that changes the graph marks it
// unsaved in the title, and exactly one undo takes it back (one redo brings it again).
namespace {

// What a graph file keeps of a graph: the kind, the vertices with their names and places,
// the arcs with their weights, the labels.
QString Content(const GraphDocument& g)
{
    QString text = QStringLiteral("%1 %2|").arg(g.Directed).arg(g.Weighted);
    for (int v = 1; v <= g.VertexCount; ++v)
        text += QStringLiteral("%1@%2,%3 ").arg(g.VertexName(v)).arg(g.Vertices[v].X).arg(g.Vertices[v].Y);
    text += QLatin1Char('|');
    for (int a = 1; a <= g.VertexCount; ++a)
        for (int b = 1; b <= g.VertexCount; ++b)
            if (g.HasArc(a, b))
                text += QStringLiteral("%1>%2:%3 ").arg(a).arg(b).arg(g.MatrixEntry(a, b));
    text += QLatin1Char('|');
    for (int k = 1; k <= g.LabelCount; ++k)
        text += QStringLiteral("%1@%2,%3 ").arg(g.Labels[k].Text).arg(g.Labels[k].X).arg(g.Labels[k].Y);
    return text;
}

struct UnsavedWork : ::testing::Test {
    QTemporaryDir folder;
    ScriptedHost host;
    std::unique_ptr<MainWindow> w;
    std::mt19937 rng;
    qint64 now = 1000;
    QString chosenFile;
    bool nextDirected = false, nextWeighted = false;
    GraphGenerators::Params generated;

    int Pick(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); }

    void SetUp() override
    {
        ProgramPaths::SetProgramFolderOverride(folder.path());
        w = std::make_unique<MainWindow>();
        w->SetDialogHost(&host);
        w->Clock = [this] { return now; };
        w->ExecPopup = [](QMenu&, const QPoint&) {};
        w->AskFileName = [this](MainWindow::FileDialog) { return chosenFile; };
        w->AskSaveChanges = [](const QString&) { return MainWindow::SaveAnswer::Discard; };
        w->NewGraphForm()->Exec = [this](NewGraphDialog& dialog) {
            dialog.SetDirected(nextDirected);
            dialog.SetWeighted(nextWeighted);
            dialog.Confirm();
            return int(QDialog::Accepted);
        };
        w->GenerateDialog()->Exec = [this](GenerateGraphDialog& dialog) {
            dialog.SetChosen(generated);
            return int(QDialog::Accepted);
        };
        w->EnsureFirstGraph();
        w->resize(800, 760);
        w->show();
        if (!w->MatrixWindow()->isVisible())
            w->Action("actShowMatrix")->trigger();
        QApplication::processEvents();
        // Files to open and import, each holding a graph of its own.
        GraphDocument& g = G();
        g.AddVertex(60, 60, QString(), g.FreeNameNumber(), g.VertexSize);
        g.AddVertex(200, 90, QString(), g.FreeNameNumber(), g.VertexSize);
        g.AddArc(1, 2, 1);
        ASSERT_TRUE(GrafaFile::SaveGrafa(g, Path("other.grafa")));
        g.AddVertex(120, 200, QString(), g.FreeNameNumber(), g.VertexSize);
        ASSERT_TRUE(ExchangeFormats::ExportGraph(g, Path("other.graphml"), ExchangeFormats::Format::GraphML));
        g.DeleteAllVertices();
    }
    void TearDown() override
    {
        w.reset();
        ProgramPaths::SetProgramFolderOverride(TestProgramFolder());
    }
    GraphDocument& G() { return *w->Document(); }
    QString Path(const char* name) const { return folder.filePath(QLatin1String(name)); }
    QPoint OnScreen(int x, int y) { return QPoint(x, y) - w->ScrollPosition(); }

    void Mouse(QEvent::Type type, QPoint p, Qt::MouseButton button = Qt::LeftButton)
    {
        now += 100;
        SendToDrawingArea(*w, type, p, button);
    }
    QPoint FreePoint()
    {
        return {Pick(40, w->DrawingPane()->width() - 40), Pick(40, w->DrawingPane()->height() - 40)};
    }
    int RandomVertex() { return G().VertexCount == 0 ? 0 : Pick(1, G().VertexCount); }
    void SelectVertex(int v)
    {
        const QPoint p = OnScreen(G().Vertices[v].X, G().Vertices[v].Y);
        Mouse(QEvent::MouseButtonPress, p);
        Mouse(QEvent::MouseButtonRelease, p);
    }

    // One gesture of the user's; its name for the failure message.
    QString Gesture()
    {
        GraphDocument& g = G();
        switch (Pick(0, 12)) {
        case 0:
            Mouse(QEvent::MouseButtonDblClick, FreePoint());
            Mouse(QEvent::MouseButtonRelease, QPoint(0, 0));
            return QStringLiteral("add a vertex");
        case 1:
        case 2: {
            const int v = RandomVertex();
            if (v == 0)
                return QStringLiteral("no vertex to move");
            const QPoint from = OnScreen(g.Vertices[v].X, g.Vertices[v].Y);
            Mouse(QEvent::MouseButtonPress, from);
            Mouse(QEvent::MouseMove, FreePoint());
            // Released over the results pane or outside the window as often as inside.
            const bool outside = Pick(0, 1) == 1;
            Mouse(QEvent::MouseButtonRelease,
                  outside ? QPoint(-30, w->DrawingPane()->height() + 90) : FreePoint());
            return outside ? QStringLiteral("move, released outside") : QStringLiteral("move");
        }
        case 3: {
            const int a = RandomVertex(), b = RandomVertex();
            if (a == 0 || a == b)
                return QStringLiteral("no arc to draw");
            w->Action("actConstruct")->trigger();
            SelectVertex(a);
            host.inputs = {{true, QString::number(Pick(1, 50000))}};
            Mouse(QEvent::MouseButtonPress, OnScreen(g.Vertices[b].X, g.Vertices[b].Y), Qt::RightButton);
            Mouse(QEvent::MouseButtonRelease, OnScreen(g.Vertices[b].X, g.Vertices[b].Y), Qt::RightButton);
            return QStringLiteral("draw an arc");
        }
        case 4: {
            const int a = RandomVertex();
            if (a == 0 || g.OutCount(a) == 0)
                return QStringLiteral("no weight to edit");
            g.ActiveArcTail = a;
            g.ActiveArcHead = g.OutArcs(a)[0];
            host.inputs = {{true, QString::number(Pick(1, 50000))}};
            w->Action("actEditLoadDuga")->trigger();
            return QStringLiteral("edit a weight");
        }
        case 5: {
            w->Action("actAddText")->trigger();
            host.inputs = {{true, QStringLiteral("note %1").arg(Pick(1, 99))}};
            const QPoint p = FreePoint();
            Mouse(QEvent::MouseButtonPress, p);
            Mouse(QEvent::MouseButtonRelease, p);
            return QStringLiteral("add a label");
        }
        case 6: {
            const int v = RandomVertex();
            if (v == 0)
                return QStringLiteral("no vertex to delete");
            SelectVertex(v);
            QKeyEvent key(QEvent::KeyPress, Qt::Key_Delete, Qt::NoModifier);
            QCoreApplication::sendEvent(w->DrawingPane(), &key);
            return QStringLiteral("delete a vertex");
        }
        case 7: {
            const int a = RandomVertex(), b = RandomVertex();
            if (a == 0 || a == b)
                return QStringLiteral("no matrix cell");
            MatrixTable* grid = w->MatrixWindow()->Grid();
            const QModelIndex index = grid->model()->index(b - 1, a - 1);
            grid->setCurrentIndex(index);
            grid->edit(index);
            auto* editor = qobject_cast<QLineEdit*>(grid->indexWidget(index));
            if (!editor)
                return QStringLiteral("no matrix cell editor");
            editor->setText(QString::number(g.Weighted ? Pick(0, 30) : Pick(0, 1)));
            QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
            QCoreApplication::sendEvent(editor, &enter);
            return QStringLiteral("matrix cell");
        }
        case 8: {
            MatrixTextWindow* text = w->TextMatrixWindow();
            text->Prepare();
            const int n = Pick(1, 5);
            QStringList rows;
            for (int r = 0; r < n; ++r) {
                QStringList entries;
                for (int c = 0; c < n; ++c)
                    entries.append(r == c || !g.Directed ? QStringLiteral("0") : QString::number(Pick(0, 1)));
                rows.append(entries.join(QLatin1Char(',')));
            }
            text->Memo()->setPlainText(rows.join(QLatin1Char('\n')));
            text->Apply();
            w->UpdateMenus();
            return QStringLiteral("matrix text");
        }
        case 9:
            nextDirected = Pick(0, 1) == 1;
            nextWeighted = Pick(0, 1) == 1;
            w->Action("actPropGraf")->trigger();
            return QStringLiteral("properties");
        case 10:
            generated = GraphGenerators::Params{};
            generated.family = GraphGenerators::Family::Cycle;
            generated.first = Pick(3, 8);
            w->Action("actGenerate")->trigger();
            return QStringLiteral("generate");
        case 11:
            chosenFile = Path("other.grafa");
            w->Action("actLoadGraf")->trigger();
            return QStringLiteral("open");
        default:
            chosenFile = Path("other.graphml");
            w->Action("actImport")->trigger();
            return QStringLiteral("import");
        }
    }
};

} // namespace

TEST_F(UnsavedWork, EveryEditMarksTheGraphUnsavedAndOneUndoTakesItBack)
{
    int checked = 0;
    for (unsigned seed = 1; seed <= 4; ++seed) {
        rng.seed(seed);
        for (int step = 0; step < 30; ++step) {
            chosenFile = Path("work.grafa");
            w->Action("actSaveGrafAs")->trigger();
            ASSERT_FALSE(w->isWindowModified()) << "saved";
            const QString before = Content(G());
            const QString gesture = Gesture();
            QApplication::processEvents();
            const QString after = Content(G());
            SCOPED_TRACE(gesture.toStdString() + " on " + before.toStdString());
            // A graph opened from a file is that file's, saved; a generated or imported one is
            // in no file yet, so unsaved even when it happens to equal the graph before.
            const bool opened = gesture == QStringLiteral("open");
            const bool fileless =
                gesture == QStringLiteral("generate") || gesture == QStringLiteral("import");
            EXPECT_EQ(w->windowTitle().startsWith(QStringLiteral("other.grafa")), opened);
            if (after == before) {
                // The same graph again is no step to undo.
                EXPECT_EQ(w->isWindowModified(), fileless) << "nothing changed, nothing to save";
                continue;
            }
            ++checked;
            EXPECT_EQ(w->isWindowModified(), !opened) << "the title marks unsaved work";
            w->Action("actUndo")->trigger();
            EXPECT_EQ(Content(G()), before) << "one undo takes the whole edit back";
            EXPECT_FALSE(w->isWindowModified()) << "back to the saved graph";
            w->Action("actRedo")->trigger();
            EXPECT_EQ(Content(G()), after);
        }
    }
    EXPECT_GT(checked, 60) << "most gestures changed the graph";
}

TEST_F(UnsavedWork, UndoBringsBackTheFileNameOfTheGraphItRestores)
{
    GraphDocument& g = G();
    g.AddVertex(50, 50, QString(), g.FreeNameNumber(), g.VertexSize);
    chosenFile = Path("first.grafa");
    w->Action("actSaveGraf")->trigger();
    ASSERT_TRUE(w->windowTitle().startsWith(QStringLiteral("first.grafa")));

    chosenFile = Path("other.grafa");
    w->Action("actLoadGraf")->trigger();
    EXPECT_TRUE(w->windowTitle().startsWith(QStringLiteral("other.grafa")));
    EXPECT_FALSE(w->isWindowModified());

    generated.family = GraphGenerators::Family::Petersen;
    w->Action("actGenerate")->trigger();
    EXPECT_FALSE(w->windowTitle().contains(QStringLiteral(".grafa"))) << "a generated graph has no file";
    EXPECT_TRUE(w->isWindowModified()) << "and is unsaved until saved";

    w->Action("actUndo")->trigger();
    EXPECT_TRUE(w->windowTitle().startsWith(QStringLiteral("other.grafa")));
    EXPECT_FALSE(w->isWindowModified());
    w->Action("actUndo")->trigger();
    EXPECT_TRUE(w->windowTitle().startsWith(QStringLiteral("first.grafa")));
    EXPECT_FALSE(w->isWindowModified());
    w->Action("actRedo")->trigger();
    w->Action("actRedo")->trigger();
    EXPECT_TRUE(w->isWindowModified());

    // With unsaved work, each way of replacing the graph asks first; Cancel keeps it.
    QStringList asked;
    w->AskSaveChanges = [&asked](const QString& question) {
        asked.append(question);
        return MainWindow::SaveAnswer::Cancel;
    };
    const QString kept = Content(G());
    chosenFile = Path("other.grafa");
    for (const char* item : {"actLoadGraf", "actImport", "actCreate", "actGenerate"})
        w->Action(QLatin1String(item))->trigger();
    EXPECT_EQ(asked.size(), 4);
    EXPECT_EQ(Content(G()), kept);
    EXPECT_TRUE(w->isWindowModified());
}
