#include "ui/ViewSettingsDialog.h"
#include "GraphFixtures.h"
#include "TestFolders.h"
#include "base/ProgramPaths.h"
#include "base/TranslationManager.h"
#include "commands/ProgramSettings.h"

#include <QFile>
#include <QFont>
#include <QPushButton>
#include <QSlider>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

struct ViewSettings : ::testing::Test {
    QTemporaryDir folder;
    std::unique_ptr<GraphDocument> g = MakeGraf(true, true, 3);
    ViewSettingsDialog dialog{TranslateManager()};

    void SetUp() override
    {
        ProgramPaths::SetProgramFolderOverride(folder.path());
        g->Style().NormalArc.PenSize = 2;
        g->Style().ActiveArc.PenSize = 5;
        g->Style().NormalVertex.BrushColor = 0x00FFFF;
        g->ActiveLabelStyle.Size = 12;
        g->Vertices[2].Size = 17;
    }
    void TearDown() override { ProgramPaths::SetProgramFolderOverride(TestProgramFolder()); }

    // Runs the command with the given actions done while the dialog is open.
    bool Run(std::function<void()> actions)
    {
        QTimer::singleShot(0, &dialog, actions);
        return dialog.Execute(*g);
    }
};

QColor Pixel(const QImage& image, int x, int y)
{
    return image.pixelColor(x, y);
}

} // namespace

TEST_F(ViewSettings, SaveGivesTheDocumentTheWorkingCopies)
{
    ASSERT_TRUE(Run([this] {
        EXPECT_EQ(dialog.VertexSizeSlider()->value(), 10);
        EXPECT_EQ(dialog.ArcWidthSlider()->value(), 5); // the active width
        EXPECT_EQ(dialog.Swatch(ViewSettingsDialog::VertexFill, false)->Color(), 0x00FFFF);
        dialog.Swatch(ViewSettingsDialog::VertexFill, true)->SetColor(0x112233);
        dialog.Swatch(ViewSettingsDialog::ArcText, false)->SetColor(0x445566);
        dialog.Swatch(ViewSettingsDialog::LabelBackground, true)->SetColor(0x778899);
        dialog.VertexSizeSlider()->setValue(25);
        dialog.SaveButton()->click();
    }));
    EXPECT_EQ(g->VertexSize, 25);
    for (int v = 1; v <= 3; ++v)
        EXPECT_EQ(g->Vertices[v].Size, 25);
    EXPECT_EQ(g->Style().NormalVertex.Size, 25);
    EXPECT_EQ(g->Style().ActiveVertex.Size, 25);
    EXPECT_EQ(g->Style().ActiveVertex.BrushColor, 0x112233);
    EXPECT_EQ(g->Style().NormalVertex.BrushColor, 0x00FFFF);
    EXPECT_EQ(g->Style().NormalVertex.PenSize, 1);
    EXPECT_EQ(g->Style().NormalArc.TextColor, 0x445566);
    EXPECT_EQ(g->Style().NormalArc.PenSize, 5);
    EXPECT_EQ(g->Style().ActiveArc.PenSize, 5);
    EXPECT_EQ(g->Style().ActiveArc.HeadSize, 25);
    EXPECT_EQ(g->ActiveLabelStyle.ColorBackground, 0x778899);
    EXPECT_EQ(g->ActiveLabelStyle.Size, 12);
    EXPECT_EQ(g->Style().ActiveArc.PenStyle, 1); // what no control edits stays
    // The dialog itself writes no settings file.
    EXPECT_FALSE(QFile::exists(ProgramSettings::FileName()));
}

TEST_F(ViewSettings, CancelLeavesEveryStyle)
{
    // Opening the dialog gives both vertex styles the size of new vertices, whatever follows.
    VertexStyle normalPoint = g->Style().NormalVertex;
    VertexStyle activePoint = g->Style().ActiveVertex;
    normalPoint.Size = activePoint.Size = g->VertexSize;
    const ArcStyle normalDuga = g->Style().NormalArc;
    const ArcStyle activeDuga = g->Style().ActiveArc;
    const TextStyle normalLabel = g->NormalLabelStyle;
    const TextStyle activeLabel = g->ActiveLabelStyle;
    EXPECT_FALSE(Run([this] {
        dialog.Swatch(ViewSettingsDialog::VertexLine, false)->SetColor(0x010203);
        dialog.Swatch(ViewSettingsDialog::LabelText, true)->SetColor(0x040506);
        dialog.VertexSizeSlider()->setValue(30);
        dialog.ArcWidthSlider()->setValue(9);
        // The working copies follow the controls at once.
        EXPECT_EQ(dialog.WorkingCopies().NormalVertex.PenColor, 0x010203);
        EXPECT_EQ(dialog.WorkingCopies().NormalArc.PenSize, 9);
        dialog.CancelButton()->click();
    }));
    EXPECT_EQ(g->Style().NormalVertex, normalPoint);
    EXPECT_EQ(g->Style().ActiveVertex, activePoint);
    EXPECT_EQ(g->Style().NormalArc, normalDuga);
    EXPECT_EQ(g->Style().ActiveArc, activeDuga);
    EXPECT_EQ(g->NormalLabelStyle, normalLabel);
    EXPECT_EQ(g->ActiveLabelStyle, activeLabel);
    EXPECT_EQ(g->VertexSize, 10);
    EXPECT_EQ(g->Vertices[2].Size, 17);
}

TEST_F(ViewSettings, FontChoiceKeepsSizesBetween8And48)
{
    TextStyle label;
    QFont font(QStringLiteral("Serif"));
    font.setPointSize(72);
    font.setBold(true);
    font.setStrikeOut(true);
    ViewSettingsDialog::TakeFont(label, font);
    EXPECT_EQ(label.Face, font.family());
    EXPECT_EQ(label.Style, TextStyle::Bold | TextStyle::StrikeOut);
    EXPECT_EQ(label.Size, 48);
    font.setPointSize(6);
    font.setBold(false);
    font.setStrikeOut(false);
    font.setItalic(true);
    ViewSettingsDialog::TakeFont(label, font);
    EXPECT_EQ(label.Style, TextStyle::Italic);
    EXPECT_EQ(label.Size, 8);
}

TEST_F(ViewSettings, PreviewPlacesEveryElement)
{
    ViewStyles styles;
    styles.NormalVertex.BrushColor = 0x0000FF; // red
    styles.NormalVertex.PenColor = 0;
    styles.ActiveVertex.BrushColor = 0x00FF00; // green
    styles.NormalVertex.Size = styles.ActiveVertex.Size = 20;
    styles.NormalArc.PenColor = 0xFF0000; // blue
    styles.NormalArc.PenSize = 3;
    styles.ActiveArc.PenColor = 0x00FFFF; // yellow
    styles.ActiveArc.PenSize = 3;
    styles.ActiveArc.PenStyle = 0;                 // solid, so the sample below never falls in a gap
    styles.NormalLabel.ColorBackground = 0xFF00FF; // magenta
    styles.ActiveLabel.ColorBackground = 0xFFFF00; // cyan
    const QImage image = ViewSettingsDialog::RenderPreview(styles, TranslateManager());
    ASSERT_EQ(image.size(), QSize(258, 353));
    // Normal vertices 1 and 2, active vertices 3 to 5, sampled inside the circle below the name.
    EXPECT_EQ(Pixel(image, 40, 40 + 14), QColor(Qt::red));
    EXPECT_EQ(Pixel(image, 218, 313 + 14), QColor(Qt::red));
    EXPECT_EQ(Pixel(image, 218, 40 + 14), QColor(Qt::green));
    EXPECT_EQ(Pixel(image, 129, 176 + 14), QColor(Qt::green));
    EXPECT_EQ(Pixel(image, 40, 313 + 14), QColor(Qt::green));
    // Arc 1->4 in the normal style a quarter of the way, 4->5 in the active style.
    EXPECT_EQ(Pixel(image, 62, 74), QColor(Qt::blue));
    EXPECT_EQ(Pixel(image, 107, 210), QColor(Qt::yellow));
    // Label boxes just inside their top-left corners.
    EXPECT_EQ(Pixel(image, 158 + 1, 20 + 1), QColor(Qt::magenta));
    EXPECT_EQ(Pixel(image, 80 + 1, 313 + 1), QColor(Qt::magenta));
    EXPECT_EQ(Pixel(image, 65 + 1, 88 + 1), QColor(Qt::cyan));
}
