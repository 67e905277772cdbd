// Printing through the print path into PDF files, read back with poppler's tools.
#include "ScriptedHost.h"
#include "TestFolders.h"
#include "base/ProgramPaths.h"
#include "base/TranslationManager.h"
#include "ui/MainWindow.h"
#include "ui/NewGraphDialog.h"
#include "ui/PlaybackBar.h"
#include "ui/PrintCommands.h"

#include <QAction>
#include <QApplication>
#include <QImage>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <gtest/gtest.h>

namespace {

QString RunTool(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    process.waitForFinished(60000);
    return QString::fromUtf8(process.readAllStandardOutput());
}

struct Print : ::testing::Test {
    QTemporaryDir folder;
    ScriptedHost host;
    std::unique_ptr<MainWindow> w;

    void SetUp() override
    {
        for (const char* tool : {"pdftotext", "pdfinfo", "pdftoppm"})
            if (QStandardPaths::findExecutable(QLatin1String(tool)).isEmpty())
                GTEST_SKIP() << tool << " (poppler-utils) is not installed";
        ProgramPaths::SetProgramFolderOverride(folder.path());
        w = std::make_unique<MainWindow>();
        w->SetDialogHost(&host);
        w->NewGraphForm()->Exec = [](NewGraphDialog& dialog) {
            dialog.Confirm();
            return int(QDialog::Accepted);
        };
        w->EnsureFirstGraph();
        w->resize(800, 700);
        w->show();
        QApplication::processEvents();
        GraphDocument& g = *w->Document();
        for (const QPoint p : {QPoint(60, 60), QPoint(400, 60), QPoint(230, 300)})
            g.AddVertex(p.x(), p.y(), QString(), g.FreeNameNumber(), g.VertexSize);
        g.AddArc(1, 2, 1);
        g.AddArc(2, 3, 1);
    }
    void TearDown() override
    {
        w.reset();
        ProgramPaths::SetProgramFolderOverride(TestProgramFolder());
    }
    QString PdfPath() const { return folder.filePath(QStringLiteral("print.pdf")); }
    std::unique_ptr<QPrinter> PdfPrinter()
    {
        auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        printer->setOutputFormat(QPrinter::PdfFormat);
        printer->setOutputFileName(PdfPath());
        printer->setPageSize(QPageSize(QPageSize::A4));
        return printer;
    }
    int Pages() const
    {
        return QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)"))
            .match(RunTool(QStringLiteral("pdfinfo"), {PdfPath()}))
            .captured(1)
            .toInt();
    }
    QString Text() const
    {
        return RunTool(QStringLiteral("pdftotext"),
                       {QStringLiteral("-enc"), QStringLiteral("UTF-8"), PdfPath(), QStringLiteral("-")})
            .simplified();
    }
    // The first page as a small picture: the rows holding something other than white.
    QImage FirstPage() const
    {
        const QString prefix = folder.filePath(QStringLiteral("page"));
        RunTool(QStringLiteral("pdftoppm"),
                {QStringLiteral("-r"), QStringLiteral("30"), QStringLiteral("-png"),
                 QStringLiteral("-singlefile"), PdfPath(), prefix});
        return QImage(prefix + QStringLiteral(".png"));
    }
};

// Rows [from, to) of the picture hold a pixel that is not near white.
bool Inked(const QImage& page, int from, int to)
{
    for (int y = from; y < to; ++y)
        for (int x = 0; x < page.width(); ++x)
            if (qGray(page.pixel(x, y)) < 200)
                return true;
    return false;
}

} // namespace

TEST_F(Print, TheDrawingFillsThePageWidthAndTheResultTextFollowsOnlyWhenAsked)
{
    w->Action(QStringLiteral("actConnectionDetermin"))->trigger();
    const QString result = Translate("graph_is_connectivity");
    ASSERT_TRUE(w->Session().Outp().Text().contains(result));

    w->Printing().options.resultText = false;
    ASSERT_TRUE(w->Printing().PrintDrawing(*PdfPrinter()));
    EXPECT_EQ(Pages(), 1);
    EXPECT_FALSE(Text().contains(result.simplified()));
    // The drawing (wider than tall: 400 by 300 units with the vertices' reach) spans the
    // page's width, so it ends well above the page's foot.
    const QImage plain = FirstPage();
    ASSERT_FALSE(plain.isNull());
    EXPECT_TRUE(Inked(plain, 0, plain.height() / 8));
    EXPECT_FALSE(Inked(plain, plain.height() * 3 / 4, plain.height()));

    w->Printing().options.resultText = true;
    ASSERT_TRUE(w->Printing().PrintDrawing(*PdfPrinter()));
    EXPECT_EQ(Pages(), 1);
    EXPECT_TRUE(Text().contains(result.simplified()));
}

TEST_F(Print, ALongResultTextGoesOnOverFurtherPagesWithNothingLost)
{
    for (int line = 1; line <= 150; ++line)
        w->Session().Outp().AddLine(QStringLiteral("line %1 of the result").arg(line));
    w->Printing().options.resultText = true;
    ASSERT_TRUE(w->Printing().PrintDrawing(*PdfPrinter()));
    EXPECT_GE(Pages(), 3);
    const QString text = Text();
    for (int line = 1; line <= 150; ++line)
        EXPECT_TRUE(text.contains(QStringLiteral("line %1 of the result").arg(line))) << line;
}

TEST_F(Print, TheReportPrintsAsItsPaneShowsIt)
{
    w->HtmlPane()->setHtml(QStringLiteral("<h1>Report heading</h1><p>First paragraph of the report.</p>"));
    w->Printing().PrintReport(*PdfPrinter());
    EXPECT_EQ(Pages(), 1);
    const QString text = Text();
    EXPECT_TRUE(text.contains(QStringLiteral("Report heading")));
    EXPECT_TRUE(text.contains(QStringLiteral("First paragraph of the report.")));
}

TEST_F(Print, AFileThatCannotBeWrittenIsReportedAsAFailure)
{
    auto printer = PdfPrinter();
    printer->setOutputFileName(folder.filePath(QStringLiteral("no-such-folder/print.pdf")));
    EXPECT_FALSE(w->Printing().PrintDrawing(*printer));
}

TEST_F(Print, WhileThePlaybackIsOnTheFrameItShowsIsPrintedUnlessThePlainDrawingIsAsked)
{
    w->Action(QStringLiteral("actDeterminHromNumber"))->trigger();
    ASSERT_TRUE(w->PlaybackControls()->Active());
    ASSERT_GE(w->PlaybackControls()->Count(), 2);
    w->PlaybackControls()->ShowFrame(1);
    ASSERT_FALSE(w->PlaybackControls()->AtResult());

    w->Printing().options.playbackFrame = false;
    ASSERT_TRUE(w->Printing().PrintDrawing(*PdfPrinter()));
    const QImage plain = FirstPage();
    w->Printing().options.playbackFrame = true;
    ASSERT_TRUE(w->Printing().PrintDrawing(*PdfPrinter()));
    const QImage frame = FirstPage();
    ASSERT_EQ(plain.size(), frame.size());
    EXPECT_NE(plain, frame);
}
