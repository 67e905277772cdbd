#include "ScriptedHost.h"
#include "base/TranslationManager.h"
#include "document/UndoHistory.h"
#include "ui/GenerateGraphDialog.h"
#include "ui/MainWindow.h"
#include "ui/NewGraphDialog.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <gtest/gtest.h>

namespace {

struct GenerateWindow : ::testing::Test {
    ScriptedHost host;
    std::unique_ptr<MainWindow> w;
    QStringList saveQuestions;
    MainWindow::SaveAnswer answer = MainWindow::SaveAnswer::Discard;
    GraphGenerators::Params chosen;
    int dialogsShown = 0;

    void SetUp() override
    {
        w = std::make_unique<MainWindow>();
        w->SetDialogHost(&host);
        w->NewGraphForm()->Exec = [](NewGraphDialog& dialog) {
            dialog.Confirm();
            return int(QDialog::Accepted);
        };
        w->AskSaveChanges = [this](const QString& question) {
            saveQuestions.append(question);
            return answer;
        };
        w->GenerateDialog()->Exec = [this](GenerateGraphDialog& dialog) {
            ++dialogsShown;
            dialog.SetChosen(chosen);
            return int(dialog.CanConfirm() ? QDialog::Accepted : QDialog::Rejected);
        };
        w->EnsureFirstGraph();
        w->resize(800, 760);
        w->show();
        QApplication::processEvents();
    }
    GraphDocument& G() { return *w->Document(); }
};

int NonWhitePixels(const QImage& image)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            count += (image.pixel(x, y) & 0xFFFFFF) != 0xFFFFFF;
    return count;
}

TEST_F(GenerateWindow, GenerateReplacesTheGraphAsOneUndoStepAfterAskingAboutUnsavedWork)
{
    G().AddVertex(50, 50, QString(), G().FreeNameNumber(), G().VertexSize);
    const auto before = UndoHistory::TakeSnapshot(G());

    // Unsaved work and Cancel: no dialog, nothing changes.
    answer = MainWindow::SaveAnswer::Cancel;
    chosen.family = GraphGenerators::Family::Petersen;
    w->Action("actGenerate")->trigger();
    EXPECT_EQ(saveQuestions.size(), 1);
    EXPECT_EQ(dialogsShown, 0);
    EXPECT_TRUE(*before == *UndoHistory::TakeSnapshot(G()));

    answer = MainWindow::SaveAnswer::Discard;
    w->Action("actGenerate")->trigger();
    EXPECT_EQ(dialogsShown, 1);
    EXPECT_EQ(G().VertexCount, 10);
    EXPECT_TRUE(w->Action("actUndo")->isEnabled());
    // Every vertex inside the drawing area the window shows.
    for (int v = 1; v <= 10; ++v) {
        EXPECT_LE(G().Vertices[v].X + G().Vertices[v].Size, w->DrawingAreaWidth());
        EXPECT_LE(G().Vertices[v].Y + G().Vertices[v].Size, w->DrawingAreaHeight());
    }
    // A generated graph is unsaved until saved: generating again asks first.
    chosen.family = GraphGenerators::Family::Grid;
    chosen.first = 3;
    chosen.second = 4;
    w->Action("actGenerate")->trigger();
    EXPECT_EQ(saveQuestions.size(), 3);
    EXPECT_EQ(G().VertexCount, 12);

    w->Action("actUndo")->trigger();
    EXPECT_EQ(G().VertexCount, 10);
    w->Action("actUndo")->trigger();
    EXPECT_TRUE(*before == *UndoHistory::TakeSnapshot(G()));
}

TEST_F(GenerateWindow, LayoutItemsPlaceTheVerticesAndUndoBringsThemBack)
{
    for (int i = 0; i < 6; ++i)
        G().AddVertex(40 + 7 * i, 40 + 3 * i, QString(), G().FreeNameNumber(), G().VertexSize);
    G().AddArc(1, 2, 1);
    const auto before = UndoHistory::TakeSnapshot(G());
    for (const auto& info : GraphLayouts::Kinds()) {
        QAction* item = w->Action(QStringLiteral("actLayout_") + QLatin1String(info.name));
        ASSERT_NE(item, nullptr) << info.name;
        EXPECT_EQ(item->text(), Translate(QLatin1String(info.captionKey)));
        item->trigger();
        EXPECT_FALSE(G().Vertices == before->Unpacked().Vertices) << info.name;
        w->Action("actUndo")->trigger();
        EXPECT_TRUE(*before == *UndoHistory::TakeSnapshot(G())) << info.name;
    }
}

TEST_F(GenerateWindow, ThePreviewFollowsTheChoiceAndARefusalIsShownInsteadOfAGraph)
{
    GenerateGraphDialog& dialog = *w->GenerateDialog();
    GraphGenerators::Params p;
    p.family = GraphGenerators::Family::Complete;
    p.first = 3;
    dialog.SetChosen(p);
    const int triangle = NonWhitePixels(dialog.Preview());
    EXPECT_GT(triangle, 0);
    EXPECT_TRUE(dialog.Problem().isEmpty());
    p.first = 12;
    dialog.SetChosen(p);
    EXPECT_GT(NonWhitePixels(dialog.Preview()), triangle);
    EXPECT_EQ(dialog.Chosen().first, 12);

    p.family = GraphGenerators::Family::Cycle;
    p.first = 2;
    dialog.SetChosen(p);
    EXPECT_FALSE(dialog.CanConfirm());
    EXPECT_EQ(dialog.Problem(), "n (вершин): допустимо от 3 до 255");
    EXPECT_EQ(NonWhitePixels(dialog.Preview()), 0);
    // The session's graph is not touched by the preview.
    EXPECT_EQ(G().VertexCount, 0);

    // A random DAG is always directed; the next family gets the user's own choice back.
    auto* family = dialog.findChild<QComboBox*>(QStringLiteral("family"));
    auto* directed = dialog.findChild<QCheckBox*>(QStringLiteral("directed"));
    ASSERT_TRUE(family && directed);
    auto choose = [family](GraphGenerators::Family f) { family->setCurrentIndex(family->findData(int(f))); };
    for (bool own : {true, false}) {
        choose(GraphGenerators::Family::Path);
        directed->click();
        if (directed->isChecked() != own)
            directed->click();
        choose(GraphGenerators::Family::RandomDag);
        EXPECT_TRUE(dialog.Chosen().directed);
        EXPECT_FALSE(directed->isEnabled());
        choose(GraphGenerators::Family::Wheel);
        EXPECT_EQ(dialog.Chosen().directed, own);
        EXPECT_TRUE(directed->isEnabled());
    }
}

} // namespace
