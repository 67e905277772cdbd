#include "commands/ProgramSettings.h"
#include "GraphFixtures.h"
#include "TestFolders.h"
#include "base/ProgramPaths.h"
#include "base/TranslationManager.h"
#include "document/ProgramHost.h"

#include <QFile>
#include <QFont>
#include <QImage>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// Settings are read with no window to show a message in.
SilentProgramHost silent;

struct Settings : ::testing::Test {
    QTemporaryDir folder;
    TranslationManager translator;
    ProgramSettings config{translator};
    std::unique_ptr<GraphDocument> g = MakeGraf(true, true, 2);

    void SetUp() override
    {
        ASSERT_TRUE(folder.isValid());
        ProgramPaths::SetProgramFolderOverride(folder.path());
        config.DefaultFontFace = QStringLiteral("Window Font");
    }
    void TearDown() override { ProgramPaths::SetProgramFolderOverride(TestProgramFolder()); }

    void WriteFile(const QByteArray& bytes)
    {
        QFile file(ProgramSettings::FileName());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    QByteArray ReadFile() const
    {
        QFile file(ProgramSettings::FileName());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    // The keys of the file in the order in which they stand.
    QStringList FileKeys() const
    {
        QStringList keys;
        for (const QByteArray& line : ReadFile().split('\n'))
            if (line.contains('='))
                keys.append(QString::fromUtf8(line.left(line.indexOf('='))));
        return keys;
    }
};

// The values a document has after loading without a settings file.
void ExpectDefaults(const GraphDocument& g, const QString& face)
{
    EXPECT_EQ(g.Style().ActiveArc.PenColor, 0x008000);
    EXPECT_EQ(g.Style().ActiveArc.TextColor, 0x008000);
    EXPECT_EQ(g.Style().ActiveArc.PenSize, 2);
    EXPECT_EQ(g.Style().ActiveVertex.PenColor, 0);
    EXPECT_EQ(g.Style().ActiveVertex.TextColor, 0xFFFFFF);
    EXPECT_EQ(g.Style().ActiveVertex.BrushColor, 0x0000FF);
    EXPECT_EQ(g.Style().NormalArc.PenColor, 0x808080);
    EXPECT_EQ(g.Style().NormalArc.TextColor, 0x808080);
    EXPECT_EQ(g.Style().NormalArc.PenSize, 2);
    EXPECT_EQ(g.Style().NormalVertex.PenColor, 0x808080);
    EXPECT_EQ(g.Style().NormalVertex.TextColor, 0xFF0000);
    EXPECT_EQ(g.Style().NormalVertex.BrushColor, 0xFFFFFF);
    EXPECT_EQ(g.VertexSize, 10);
    EXPECT_EQ(g.BackgroundFile, QString());
    EXPECT_EQ(g.ZoomMap, 10);
    EXPECT_EQ(g.MapMode, 0);
    const TextStyle normal{10, 0, 0xFFFFFF, 0, face};
    const TextStyle active{10, 0xFFFFFF, 0x0000FF, 0, face};
    EXPECT_EQ(g.NormalLabelStyle, normal);
    EXPECT_EQ(g.ActiveLabelStyle, active);
}

} // namespace

TEST_F(Settings, FirstStartWithoutAFile)
{
    g->MapMode = 1;
    config.CountRun = 7;
    EXPECT_TRUE(config.LoadSettings(*g, silent, false));
    ExpectDefaults(*g, "Window Font");
    EXPECT_TRUE(config.LoadRecentFiles().isEmpty());
    EXPECT_EQ(config.CountRun, 0);
    EXPECT_FALSE(QFile::exists(ProgramSettings::FileName()));

    // Centred on the primary screen, halves rounded to even.
    EXPECT_EQ(config.LoadWindowPlacement({QRect(0, 0, 1920, 1080)}), (WindowPlacement{610, 240, 700, 600}));
    EXPECT_EQ(config.LoadWindowPlacement({QRect(0, 0, 1365, 767), QRect(1365, 0, 800, 600)}),
              (WindowPlacement{332, 84, 700, 600}));
    EXPECT_EQ(ProgramSettings::DefaultPlacement(QSize(600, 400)), (WindowPlacement{0, 0, 700, 600}));
}

TEST_F(Settings, EveryKeyRoundTripsInItsOrder)
{
    g->Style().ActiveArc.PenColor = 1;
    g->Style().ActiveArc.TextColor = 2;
    g->Style().ActiveArc.PenSize = 3;
    g->Style().ActiveVertex.PenColor = 4;
    g->Style().ActiveVertex.TextColor = 5;
    g->Style().ActiveVertex.BrushColor = 6;
    g->Style().NormalArc.PenColor = 7;
    g->Style().NormalArc.TextColor = 8;
    g->Style().NormalArc.PenSize = 9;
    g->Style().NormalVertex.PenColor = 0x123456;
    g->Style().NormalVertex.TextColor = 11;
    g->Style().NormalVertex.BrushColor = 12;
    g->VertexSize = 25;
    const QString picture = folder.filePath("фон.png");
    QImage(4, 3, QImage::Format_RGB32).save(picture);
    g->LoadBackground(picture, silent);
    g->ZoomMap = -3; // any scale is accepted
    g->NormalLabelStyle = TextStyle{14, 13, 15, 5, "Normal Face"};
    g->ActiveLabelStyle = TextStyle{16, 17, 18, 10, "Active Face"};
    const QStringList recent{"/a/один.grafa", "/b/two.grafa", "c.grafa", "d e.grafa"};
    config.CountRun = 3;
    config.UndoSteps = 7;
    translator.LoadLanguage("grafEnglish.lang");
    QString error;
    ASSERT_TRUE(config.SaveSettings(*g, recent, WindowPlacement{-20, 30, 640, 480, 222}, false, &error))
        << error.toStdString();

    const QStringList order{"ActDugePenColor",
                            "ActDugeTextColor",
                            "ActDugePenSize",
                            "ActGrafPenColor",
                            "ActGrafTextColor",
                            "ActGrafBrushColor",
                            "NormalDugePenColor",
                            "NormalDugeTextColor",
                            "NormalDugePenSize",
                            "NormalGrafPenColor",
                            "NormalGrafTextColor",
                            "NormalGrafBrushColor",
                            "SizeGraf",
                            "backgroundImage",
                            "ZoomMap",
                            "ShowMatrixWindow",
                            "CountRun",
                            "SizeLabel",
                            "ColorLabel",
                            "ColorBackgroundLabel",
                            "StyleLabel",
                            "FaceLabel",
                            "ActiveSizeLabel",
                            "ActiveColorLabel",
                            "ActiveColorBackgroundLabel",
                            "ActStyleLabel",
                            "ActFaceLabel",
                            "FormPosX",
                            "FormPosY",
                            "FormWidth",
                            "FormHeight",
                            "Lang",
                            "LastFile0",
                            "LastFile1",
                            "LastFile2",
                            "LastFile3",
                            "ResultsHeight",
                            "ViewZoom",
                            "UndoSteps"};
    EXPECT_EQ(FileKeys(), order);
    EXPECT_TRUE(ReadFile().contains("NormalGrafPenColor=1193046\n")); // decimal 0x00BBGGRR

    auto h = MakeGraf(false, false);
    TranslationManager otherTranslator;
    ProgramSettings other(otherTranslator);
    EXPECT_FALSE(other.LoadSettings(*h, silent, true));
    EXPECT_EQ(h->Style().ActiveArc, g->Style().ActiveArc);
    EXPECT_EQ(h->Style().ActiveVertex, g->Style().ActiveVertex);
    EXPECT_EQ(h->Style().NormalArc, g->Style().NormalArc);
    EXPECT_EQ(h->Style().NormalVertex, g->Style().NormalVertex);
    EXPECT_EQ(h->VertexSize, 25);
    EXPECT_EQ(h->BackgroundFile, picture);
    EXPECT_EQ(h->BackgroundBitmap.size(), QSize(4, 3));
    EXPECT_EQ(h->ZoomMap, -3);
    EXPECT_EQ(h->NormalLabelStyle, g->NormalLabelStyle);
    EXPECT_EQ(h->ActiveLabelStyle, g->ActiveLabelStyle);
    EXPECT_EQ(other.LoadRecentFiles(), recent);
    EXPECT_EQ(other.CountRun, 3);
    EXPECT_EQ(other.UndoSteps, 7);
    EXPECT_EQ(otherTranslator.CurrentLanguageFile(), "grafEnglish.lang");
    // Stored as it was; read back wholly on the screen.
    EXPECT_EQ(other.LoadWindowPlacement({QRect(0, 0, 1920, 1080)}), (WindowPlacement{0, 30, 640, 480, 222}));

    // The built-in language is stored as an empty name and comes back as such.
    translator.UseBuiltIn();
    ASSERT_TRUE(config.SaveSettings(*g, recent, WindowPlacement{}, true));
    EXPECT_TRUE(ReadFile().contains("\nLang=\n"));
    EXPECT_TRUE(other.LoadSettings(*h, silent, true));
    EXPECT_EQ(otherTranslator.CurrentLanguageFile(), QString());
}

TEST_F(Settings, UndoStepsFromOneToAThousand)
{
    for (const auto& [stored, read] :
         {std::pair{"1", 1}, {"1000", 1000}, {"0", 100}, {"1001", 100}, {"-4", 100}}) {
        WriteFile(QByteArray("[MainSetting]\nUndoSteps=") + stored + "\n");
        config.LoadSettings(*g, silent, false);
        EXPECT_EQ(config.UndoSteps, read) << stored;
    }
}

TEST_F(Settings, LanguageOnlyWhenAskedAndBackgroundThatIsGoneIsDropped)
{
    WriteFile("[MainSetting]\nLang=grafEnglish.lang\nbackgroundImage=/no/such/picture.bmp\n");
    config.LoadSettings(*g, silent, false);
    EXPECT_EQ(translator.CurrentLanguageFile(), QString());
    EXPECT_EQ(g->BackgroundFile, QString());
    EXPECT_TRUE(g->BackgroundBitmap.isNull());
    config.LoadSettings(*g, silent, true);
    EXPECT_EQ(translator.CurrentLanguageFile(), "grafEnglish.lang");
}

TEST_F(Settings, DamagedFilesGiveTheDefaults)
{
    QByteArray nonNumbers = "[MainSetting]\n";
    for (const char* key : {"ActDugePenColor",
                            "ActDugeTextColor",
                            "ActDugePenSize",
                            "ActGrafPenColor",
                            "ActGrafTextColor",
                            "ActGrafBrushColor",
                            "NormalDugePenColor",
                            "NormalDugeTextColor",
                            "NormalDugePenSize",
                            "NormalGrafPenColor",
                            "NormalGrafTextColor",
                            "NormalGrafBrushColor",
                            "SizeGraf",
                            "ZoomMap",
                            "ShowMatrixWindow",
                            "CountRun",
                            "SizeLabel",
                            "ColorLabel",
                            "ColorBackgroundLabel",
                            "StyleLabel",
                            "ActiveSizeLabel",
                            "ActiveColorLabel",
                            "ActiveColorBackgroundLabel",
                            "ActStyleLabel",
                            "FormPosX",
                            "FormPosY",
                            "FormWidth",
                            "FormHeight"})
        nonNumbers += QByteArray(key) + "=twelve\n";
    const QByteArray cases[] = {
        "",
        "[MainSetting]\nActDugePenCol", // cut off inside a line
        "[MainSet",
        "[MainSetting]\nActDugePenSize=\xff\xfe\x80\nSizeGraf=1\xe9\n", // not UTF-8
        QByteArray("\x00\x01\x02[Main\x00Setting]\n=\n==\n", 17),       // binary junk
        nonNumbers,
        // Numbers, but not sizes anything could be drawn with.
        "[MainSetting]\nSizeGraf=-5\nSizeLabel=0\nActiveSizeLabel=99999\nNormalDugePenSize=-1\n"
        "FormWidth=0\nFormHeight=-600\n",
    };
    for (const QByteArray& bytes : cases) {
        SCOPED_TRACE(bytes.toStdString());
        WriteFile(bytes);
        auto h = MakeGraf(true, true);
        config.CountRun = 5;
        EXPECT_TRUE(config.LoadSettings(*h, silent, false));
        ExpectDefaults(*h, "Window Font");
        EXPECT_EQ(config.CountRun, 0);
        EXPECT_EQ(config.LoadWindowPlacement({QRect(0, 0, 1920, 1080)}),
                  (WindowPlacement{610, 240, 700, 600}));
    }
}

TEST_F(Settings, LabelStyleBitsAndEmptyFaces)
{
    WriteFile("[MainSetting]\nStyleLabel=3\nActStyleLabel=268\nFaceLabel=\nActFaceLabel=Serif\n");
    config.LoadSettings(*g, silent, false);
    EXPECT_EQ(g->NormalLabelStyle.Style, 3);
    const QFont font = g->NormalLabelStyle.Font();
    EXPECT_TRUE(font.bold());
    EXPECT_TRUE(font.italic());
    EXPECT_FALSE(font.underline());
    EXPECT_EQ(g->ActiveLabelStyle.Style, 12); // the low byte of 268: underline and strike-out
    EXPECT_EQ(g->NormalLabelStyle.Face, "Window Font");
    EXPECT_EQ(g->ActiveLabelStyle.Face, "Serif");
}

TEST_F(Settings, RecentFilesSkipEmptiesAndUnknownKeysSurviveASave)
{
    WriteFile("[Other]\nmine=kept\n[MainSetting]\nCustom=yes\nLastFile0=a.grafa\nLastFile1=\n"
              "LastFile2=c.grafa\nLastFile5=f.grafa\nLastFile6=never.grafa\n");
    EXPECT_EQ(config.LoadRecentFiles(), (QStringList{"a.grafa", "c.grafa", "f.grafa"}));

    ASSERT_TRUE(config.SaveSettings(*g, {"x.grafa"}, WindowPlacement{}, true));
    const QByteArray text = ReadFile();
    EXPECT_TRUE(text.contains("[Other]\nmine=kept\n"));
    EXPECT_TRUE(text.contains("Custom=yes\n"));
    EXPECT_TRUE(text.contains("LastFile0=x.grafa\n"));
    // Later entries of a longer list are not removed.
    EXPECT_TRUE(text.contains("LastFile2=c.grafa\n"));
}

TEST_F(Settings, SaveIntoAFolderThatIsGoneFails)
{
    ProgramPaths::SetProgramFolderOverride(folder.filePath("missing/deeper"));
    QString error;
    EXPECT_FALSE(config.SaveSettings(*g, {}, WindowPlacement{}, true, &error));
    EXPECT_FALSE(error.isEmpty());
}

TEST(WindowPlacement, OffScreenWindowsComeBack)
{
    const QList<QRect> screens{QRect(0, 0, 1920, 1080), QRect(1920, -200, 1280, 1024)};
    // On the second screen: left alone.
    const WindowPlacement second{2500, 100, 700, 600};
    EXPECT_EQ(ProgramSettings::BringOnScreen(second, screens), second);
    // Partly off the left edge: onto the screen holding its title bar, as little moved as can be.
    EXPECT_EQ(ProgramSettings::BringOnScreen({-300, 50, 700, 600}, screens),
              (WindowPlacement{0, 50, 700, 600}));
    EXPECT_EQ(ProgramSettings::BringOnScreen({2400, 700, 700, 600}, screens),
              (WindowPlacement{2400, 224, 700, 600}));
    EXPECT_EQ(ProgramSettings::BringOnScreen({2600, 0, 700, 600}, screens),
              (WindowPlacement{2500, 0, 700, 600}));
    // Exactly filling a screen is within it; a pixel more in either direction is not.
    EXPECT_EQ(ProgramSettings::BringOnScreen({0, 0, 1920, 1080}, screens),
              (WindowPlacement{0, 0, 1920, 1080}));
    EXPECT_EQ(ProgramSettings::BringOnScreen({0, 0, 1921, 1081}, screens),
              (WindowPlacement{0, 0, 1920, 1080}));
    EXPECT_EQ(ProgramSettings::BringOnScreen({1, 0, 1920, 1080}, screens),
              (WindowPlacement{0, 0, 1920, 1080}));
    // Kept from a larger screen at another scale: 1600×1200 on a 1600×1000 screen.
    EXPECT_EQ(ProgramSettings::BringOnScreen({0, 0, 1600, 1200}, {QRect(0, 0, 1600, 1000)}),
              (WindowPlacement{0, 0, 1600, 1000}));
    // Beyond every screen: onto the primary one.
    EXPECT_EQ(ProgramSettings::BringOnScreen({5000, 300, 700, 600}, screens),
              (WindowPlacement{1220, 300, 700, 600}));
    EXPECT_EQ(ProgramSettings::BringOnScreen({100, -500, 700, 600}, screens),
              (WindowPlacement{100, 0, 700, 600}));
    EXPECT_EQ(ProgramSettings::BringOnScreen({-2000000000, 2000000000, 700, 600}, screens),
              (WindowPlacement{0, 480, 700, 600}));
    // Larger than the screen it lands on: no larger than that screen.
    EXPECT_EQ(ProgramSettings::BringOnScreen({4000, 0, 3000, 2000}, screens),
              (WindowPlacement{0, 0, 1920, 1080}));
    // Title bar above the second screen's top, where the primary screen does not reach.
    EXPECT_EQ(ProgramSettings::BringOnScreen({2000, -300, 700, 600}, screens),
              (WindowPlacement{1220, 0, 700, 600}));
}
