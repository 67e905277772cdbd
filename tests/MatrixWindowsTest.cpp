#include "GraphFixtures.h"
#include "ScriptedHost.h"
#include "base/TranslationManager.h"
#include "commands/GraphSession.h"
#include "document/MatrixGrid.h"
#include "ui/MatrixGridWindow.h"
#include "ui/MatrixTextWindow.h"

#include <QApplication>
#include <QFontMetrics>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

#include <gtest/gtest.h>
#include <random>

using V = std::vector<int>;

namespace {

struct MatrixWindow : ::testing::Test {
    ScriptedHost host;
    GraphSession session{host};
    GraphDocument* g = nullptr;
    std::unique_ptr<MatrixGridWindow> form;

    void Create(bool directed, bool weighted, int n)
    {
        g = &session.CreateDocument();
        g->StartNewGraph(directed, weighted);
        for (int i = 1; i <= n; ++i)
            g->AddVertex(40 * i, 60, QString(), g->FreeNameNumber(), g->VertexSize);
    }
    void Open()
    {
        form = std::make_unique<MatrixGridWindow>(session, TranslateManager());
        form->Refresh();
        form->show();
    }
    QString Cell(int column, int row) const { return form->Grid()->item(row - 1, column - 1)->text(); }
    QLineEdit* Edit(int column, int row)
    {
        MatrixTable* grid = form->Grid();
        const QModelIndex index = grid->model()->index(row - 1, column - 1);
        grid->setCurrentIndex(index); // the editor opens with the current cell
        if (!grid->indexWidget(index))
            grid->edit(index);
        return qobject_cast<QLineEdit*>(grid->indexWidget(index));
    }
    static void Press(QLineEdit* editor, int key, const QString& text)
    {
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
        QApplication::sendEvent(editor, &press);
    }
    static void Type(QLineEdit* editor, const QString& keys)
    {
        for (QChar ch : keys) {
            const int key = ch.isDigit() ? Qt::Key_0 + ch.digitValue() : ch.toUpper().unicode();
            Press(editor, key, QString(ch));
        }
    }
    void SelectAllAndType(int column, int row, const QString& keys)
    {
        QLineEdit* editor = Edit(column, row);
        ASSERT_NE(editor, nullptr);
        editor->selectAll();
        Type(editor, keys);
    }
    // Ends the editing as Enter does: the cell is handed to the graph.
    static void Commit(QLineEdit* editor)
    {
        Press(editor, Qt::Key_Return, QStringLiteral("\r"));
        QApplication::processEvents(); // the view commits a closed editor's text queued
    }
    void TypeAndCommit(int column, int row, const QString& keys)
    {
        QLineEdit* editor = Edit(column, row);
        ASSERT_NE(editor, nullptr);
        editor->selectAll();
        Type(editor, keys);
        Commit(editor);
    }
};

} // namespace

TEST(MatrixGridContent, NamesInTheHeadersAndColumnsAsTails)
{
    auto g = MakeGraf(true, true, 3);
    g->AddArc(1, 2, 5);
    g->AddArc(3, 1, 2);
    QList<QStringList> cells;
    MatrixGrid::MatrixToGrid(*g, cells);
    ASSERT_EQ(cells.size(), 4);
    EXPECT_EQ(cells[0], (QStringList{"", g->VertexName(1), g->VertexName(2), g->VertexName(3)}));
    EXPECT_EQ(cells[2][0], g->VertexName(2));
    EXPECT_EQ(cells[1], (QStringList{g->VertexName(1), "0", "0", "2"}));
    EXPECT_EQ(cells[2], (QStringList{g->VertexName(2), "5", "0", "0"}));
    EXPECT_EQ(cells[3], (QStringList{g->VertexName(3), "0", "0", "0"}));

    g->ToUnweighted();
    MatrixGrid::MatrixToGrid(*g, cells);
    EXPECT_EQ(cells[2][1], "1");

    auto empty = MakeGraf(false, false);
    MatrixGrid::MatrixToGrid(*empty, cells);
    EXPECT_EQ(cells, (QList<QStringList>{QStringList{QString()}}));
}

TEST(MatrixGridContent, KeyFilterLetsDigitsAndControlCharactersThrough)
{
    for (char ch : QByteArray("0123456789"))
        EXPECT_TRUE(MatrixGrid::IsAcceptedKey(QLatin1Char(ch)));
    EXPECT_TRUE(MatrixGrid::IsAcceptedKey(QChar(8)));
    EXPECT_TRUE(MatrixGrid::IsAcceptedKey(QChar(16)));
    for (QChar ch : QStringLiteral("-+ ,.aZ\x11\x16"))
        EXPECT_FALSE(MatrixGrid::IsAcceptedKey(ch)) << int(ch.unicode());
}

TEST_F(MatrixWindow, GridShowsTheDocumentWithAGreyUnselectableDiagonal)
{
    Create(true, true, 3);
    g->AddArc(1, 2, 5);
    Open();
    MatrixTable* grid = form->Grid();
    ASSERT_EQ(grid->rowCount(), 3);
    ASSERT_EQ(grid->columnCount(), 3);
    EXPECT_EQ(grid->horizontalHeaderItem(1)->text(), g->VertexName(2));
    EXPECT_EQ(grid->verticalHeaderItem(2)->text(), g->VertexName(3));
    EXPECT_EQ(Cell(1, 2), "5");
    EXPECT_EQ(Cell(2, 1), "0");
    for (int k = 0; k < 3; ++k)
        EXPECT_FALSE(grid->item(k, k)->flags() & Qt::ItemIsSelectable);
    EXPECT_TRUE(grid->item(0, 1)->flags() & Qt::ItemIsEditable);
    EXPECT_EQ(form->CaptionLine(), Translate("Matrix_smg"));

    // The grey box covers the diagonal cell's "0".
    const QImage shot = grid->viewport()->grab().toImage();
    const QRect diagonal = grid->visualRect(grid->model()->index(1, 1));
    EXPECT_EQ(shot.pixelColor(diagonal.center()), QColor(0xC0, 0xC0, 0xC0));
}

TEST_F(MatrixWindow, UnweightedGraphTakesOneForAnyEntry)
{
    Create(true, false, 3);
    Open();
    TypeAndCommit(1, 2, "5");
    EXPECT_EQ(Cell(1, 2), "1");
    EXPECT_EQ(OutList(*g, 1), (V{2}));
    EXPECT_EQ(g->Arc(1, 2).Weight, 1);
    EXPECT_EQ(g->OutCount(2), 0);
    EXPECT_EQ(form->CaptionLine(), Translate("Matrix_smg"));
    EXPECT_EQ(host.redraws, 1);
}

TEST_F(MatrixWindow, UndirectedGraphMirrorsTheEntry)
{
    Create(false, true, 3);
    Open();
    TypeAndCommit(2, 3, "7");
    EXPECT_EQ(Cell(3, 2), "7");
    EXPECT_EQ(OutList(*g, 2), (V{3}));
    EXPECT_EQ(OutList(*g, 3), (V{2}));
    EXPECT_EQ(g->Arc(2, 3).Weight, 7);
    EXPECT_EQ(g->Arc(3, 2).Weight, 7);
}

TEST_F(MatrixWindow, EmptiedCellDeletesTheArc)
{
    Create(true, true, 2);
    g->AddArc(1, 2, 4);
    g->AddArc(2, 1, 6);
    Open();
    QLineEdit* editor = Edit(1, 2);
    ASSERT_NE(editor, nullptr);
    editor->setCursorPosition(1);
    Press(editor, Qt::Key_Backspace, "\b");
    EXPECT_EQ(editor->text(), "");
    EXPECT_EQ(g->OutCount(1), 1) << "nothing happens while the cell is being edited";
    Commit(editor);
    EXPECT_EQ(g->OutCount(1), 0);
    EXPECT_EQ(OutList(*g, 2), (V{1}));
    EXPECT_EQ(form->CaptionLine(), Translate("Matrix_smg"));

    // The Delete key carries the DEL code on X11; it edits like Backspace.
    editor = Edit(2, 1);
    ASSERT_NE(editor, nullptr);
    editor->setCursorPosition(0);
    ASSERT_EQ(editor->text(), "6");
    Press(editor, Qt::Key_Delete, QString(QChar(0x7F)));
    EXPECT_EQ(editor->text(), "");
    Commit(editor);
    EXPECT_EQ(g->OutCount(2), 0);
}

TEST_F(MatrixWindow, ACellIsAppliedOnceWhenItsEditingEndsAsOneUndoStep)
{
    Create(true, true, 2);
    session.MarkSaved(QString());
    Open();
    QLineEdit* editor = Edit(2, 1);
    ASSERT_NE(editor, nullptr);
    editor->selectAll();
    Type(editor, "12");
    EXPECT_FALSE(g->HasArc(2, 1)) << "no digit is applied on its own";
    EXPECT_EQ(session.History().Count(), 0);
    Commit(editor);
    EXPECT_EQ(g->Arc(2, 1).Weight, 12);
    EXPECT_EQ(session.History().Count(), 1);
    EXPECT_EQ(host.redraws, 1);
    EXPECT_TRUE(session.HasUnsavedChanges());
    session.Undo();
    EXPECT_FALSE(g->HasArc(2, 1));
    EXPECT_FALSE(session.HasUnsavedChanges());

    // The same value again is no change and no step.
    session.Redo();
    TypeAndCommit(2, 1, "12");
    EXPECT_EQ(session.History().Count(), 2);
}

TEST_F(MatrixWindow, ARefusedValueChangesNothingAndTheCellShowsTheWeightAgain)
{
    Create(true, true, 2);
    g->AddArc(2, 1, 7);
    Open();
    TypeAndCommit(1, 2, "60000");
    EXPECT_FALSE(g->HasArc(1, 2)) << "above the largest weight: refused whole";
    EXPECT_EQ(Cell(1, 2), "0");
    EXPECT_EQ(form->CaptionLine(), Translate("Matrix_smg_uncorrect"));
    EXPECT_EQ(session.History().Count(), 0);
    EXPECT_EQ(host.redraws, 0);

    TypeAndCommit(1, 2, "50000");
    EXPECT_EQ(g->Arc(1, 2).Weight, 50000) << "the largest weight is taken";
    EXPECT_EQ(Cell(1, 2), "50000");
    EXPECT_EQ(form->CaptionLine(), Translate("Matrix_smg"));
}

TEST_F(MatrixWindow, FilteredKeysChangeNothing)
{
    Create(true, true, 2);
    g->AddArc(1, 2, 3);
    Open();
    QLineEdit* editor = Edit(1, 2);
    ASSERT_NE(editor, nullptr);
    Type(editor, "a- ,");
    EXPECT_EQ(editor->text(), "3");
    editor->insert("x9"); // what a paste would do
    EXPECT_EQ(editor->text(), "3");
    EXPECT_EQ(session.History().Count(), 0);
    EXPECT_EQ(g->Arc(1, 2).Weight, 3);
}

TEST_F(MatrixWindow, RefreshFollowsTheDocumentAndDropsAnOpenEditor)
{
    Create(true, true, 2);
    Open();
    QLineEdit* editor = Edit(1, 2);
    ASSERT_NE(editor, nullptr);
    editor->setText("9"); // typed but not yet taken
    g->AddVertex(200, 200, QString(), g->FreeNameNumber(), 10);
    g->AddArc(3, 1, 8);
    form->Refresh();
    ASSERT_EQ(form->Grid()->rowCount(), 3);
    EXPECT_EQ(Cell(3, 1), "8");
    EXPECT_EQ(Cell(1, 2), "0");
    // Moving on does not bring the old text back.
    form->Grid()->setCurrentCell(0, 2);
    EXPECT_EQ(Cell(1, 2), "0");

    // No document or no vertices: an empty grid.
    g->DeleteAllVertices();
    form->Refresh();
    EXPECT_EQ(form->Grid()->rowCount(), 0);
}

TEST_F(MatrixWindow, PlacementVisibilityAndCaptions)
{
    const QSize own(306, 283);
    const QRect wide(0, 0, 1920, 1080), small(0, 0, 800, 600);
    // Beside the right edge, else the left; where neither has room, at the screen's edge.
    EXPECT_EQ(MatrixGridWindow::InitialPosition(QRect(100, 50, 800, 600), own, wide), QPoint(900, 50));
    EXPECT_EQ(MatrixGridWindow::InitialPosition(QRect(1000, 100, 800, 600), own, wide), QPoint(694, 100));
    EXPECT_EQ(MatrixGridWindow::InitialPosition(QRect(306, 0, 1614, 900), own, wide), QPoint(0, 0));
    EXPECT_EQ(MatrixGridWindow::InitialPosition(QRect(305, 0, 1615, 900), own, wide), QPoint(1614, 0));
    EXPECT_EQ(MatrixGridWindow::InitialPosition(small, own, small), QPoint(494, 0));
    EXPECT_EQ(MatrixGridWindow::InitialPosition(QRect(0, 500, 400, 300), own, small), QPoint(400, 317));
    EXPECT_EQ(MatrixGridWindow::InitialPosition(small, QSize(900, 700), small), QPoint(0, 0));
    // A second screen to the right is a screen like any other.
    EXPECT_EQ(MatrixGridWindow::InitialPosition(QRect(1920, 0, 800, 600), own, QRect(1920, 0, 1280, 1024)),
              QPoint(2720, 0));
    // Whatever the main window's place, the window lies on the screen, and off the main
    // window whenever a side has room for it.
    std::mt19937 random(7);
    for (int i = 0; i < 2000; ++i) {
        const QRect screen(int(random() % 3000) - 1000, int(random() % 200), 640 + int(random() % 2000),
                           480 + int(random() % 1200));
        const QRect main(screen.left() + int(random() % screen.width()) - 100,
                         screen.top() + int(random() % screen.height()) - 100, 200 + int(random() % 1800),
                         200 + int(random() % 1200));
        const QRect placed(MatrixGridWindow::InitialPosition(main, own, screen), own);
        ASSERT_TRUE(screen.contains(placed)) << i;
        const bool room =
            main.right() + own.width() <= screen.right() || main.left() - own.width() >= screen.left();
        if (room) {
            ASSERT_FALSE(placed.intersects(main)) << i;
        }
    }
    Create(true, true, 1);
    form = std::make_unique<MatrixGridWindow>(session, TranslateManager());
    std::vector<bool> seen;
    QObject::connect(form.get(), &MatrixGridWindow::visibilityChanged,
                     [&](bool visible) { seen.push_back(visible); });
    form->show();
    form->close();
    EXPECT_EQ(seen, (std::vector<bool>{true, false}));

    // Modal dialogs of the main window come above it.
    EXPECT_FALSE(form->windowFlags() & Qt::WindowStaysOnTopHint);

    // A language switch says the same line again in the new language.
    EXPECT_EQ(form->CaptionLine(), Translate("Start_point"));
    form->Refresh();
    TranslateManager().LoadLanguage(QStringLiteral("grafEnglish.lang"));
    EXPECT_EQ(form->CaptionLine(), Translate("Matrix_smg"));
    EXPECT_EQ(form->windowTitle(), Translate("Adjacency_matrix"));
    TranslateManager().UseBuiltIn();
    EXPECT_EQ(form->CaptionLine(), Translate("Matrix_smg"));
    // A line of no key stays as it is.
    form->SetCaptionLine("status");
    emit TranslateManager().languageChanged();
    EXPECT_EQ(form->CaptionLine(), "status");
}

namespace {
struct TextMatrixWindow : ::testing::Test {
    ScriptedHost host;
    GraphSession session{host};
    GraphDocument* g = nullptr;
    std::unique_ptr<MatrixTextWindow> form;
    void SetUp() override
    {
        g = &session.CreateDocument();
        g->StartNewGraph(true, true);
        for (int i = 1; i <= 2; ++i)
            g->AddVertex(40 * i, 60, QString(), g->FreeNameNumber(), g->VertexSize);
        g->AddArc(1, 2, 5);
        form = std::make_unique<MatrixTextWindow>(session, TranslateManager());
    }
};
} // namespace

TEST_F(TextMatrixWindow, OpeningShowsTheMatrixAndRecords)
{
    form->Memo()->setPlainText("left over");
    form->Prepare();
    EXPECT_EQ(form->Memo()->toPlainText(), "0,5\n0,0");
    EXPECT_EQ(session.History().Count(), 1);
    form->Memo()->setPlainText("0,1\n0,0\n");
    EXPECT_EQ(form->Lines(), (QStringList{"0,1", "0,0"}));
}

TEST_F(TextMatrixWindow, ApplyReplacesTheGraphAndStaysOpen)
{
    form->Prepare();
    form->show();
    form->Memo()->setPlainText("0,2,0\n0,0,3\n4,0,0");
    form->ApplyButton()->click();
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(g->VertexCount, 3);
    EXPECT_EQ(OutList(*g, 1), (V{2}));
    EXPECT_EQ(g->Arc(2, 3).Weight, 3);
    EXPECT_EQ(g->Arc(3, 1).Weight, 4);
    EXPECT_TRUE(host.messages.empty());
    EXPECT_EQ(host.matrixRefreshes, 1);
    // Applying records nothing more than opening did.
    EXPECT_EQ(session.History().Count(), 1);
    form->CloseButton()->click();
    EXPECT_FALSE(form->isVisible());
}

TEST_F(TextMatrixWindow, BadTextIsReportedAndChangesNothing)
{
    form->Prepare();
    form->Memo()->setPlainText("0,x\n0,0");
    form->Apply();
    EXPECT_EQ(host.MessageTexts(), QStringList{Translate("Matrix_have_not_correct_value")});
    EXPECT_EQ(g->VertexCount, 2);
    EXPECT_EQ(g->Arc(1, 2).Weight, 5);
    EXPECT_EQ(OutList(*g, 1), (V{2}));
}

TEST_F(TextMatrixWindow, AMatrixTheGraphRefusesWhileBuildingLeavesItAsItWas)
{
    g->ToUnweighted();
    g->Vertices[2].X = 333;
    form->Prepare();
    form->Memo()->setPlainText("0,2,0\n0,0,0\n0,0,0"); // a weight in a graph without weights
    form->Apply();
    EXPECT_EQ(host.MessageTexts(), QStringList{Translate("Not_correct_matrix_not_load_matrix")});
    EXPECT_EQ(g->VertexCount, 2);
    EXPECT_EQ(g->Vertices[2].X, 333);
    EXPECT_EQ(OutList(*g, 1), (V{2}));
    EXPECT_GT(host.redraws, 0) << "the drawing shows the graph as it is";
}

TEST_F(MatrixWindow, ColumnsFitFiveDigitsAndTheirNames)
{
    Create(true, true, 3);
    session.Naming().SetKind(VertexNaming::Manual);
    session.Naming().SetManualName(g->Vertices[2].NameNumber, QStringLiteral("Hauptbahnhof"));
    session.Naming().SetManualName(g->Vertices[3].NameNumber, QString(200, QLatin1Char('W')));
    g->AddArc(1, 2, 50000);
    Open();
    MatrixTable* grid = form->Grid();
    const QFontMetrics cells(grid->font());
    const QFontMetrics names(grid->horizontalHeader()->font());
    for (int column = 0; column < 3; ++column)
        EXPECT_GT(grid->columnWidth(column), cells.horizontalAdvance(QStringLiteral("99999"))) << column;
    EXPECT_GT(grid->columnWidth(1), names.horizontalAdvance(QStringLiteral("Hauptbahnhof")));
    EXPECT_LE(grid->columnWidth(2), 160) << "a very long name does not take the whole window";
}
