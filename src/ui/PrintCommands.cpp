#include "ui/PrintCommands.h"

#include "algorithms/AlgorithmResult.h"
#include "base/TranslationManager.h"
#include "commands/GraphSession.h"
#include "drawing/DocumentDrawing.h"
#include "drawing/ResultPicture.h"
#include "drawing/StepPicture.h"
#include "ui/AlgorithmCommands.h"
#include "ui/CommandWindow.h"
#include "ui/PlaybackBar.h"

#include <QAbstractTextDocumentLayout>
#include <QAction>
#include <QCheckBox>
#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>
#include <QToolBar>
#include <QVBoxLayout>
#include <QWidget>
#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

namespace {

// The longer side of the picture made for a page: sharp on paper, small enough to make quickly.
constexpr int PrintPictureSide = 4096;

} // namespace

PrintCommands::PrintCommands(GraphSession& session, CommandWindow& window,
                             const AlgorithmCommands& algorithms, const QWidget& textPane,
                             QTextDocument& report)
    : session(session), window(window), algorithms(algorithms), textPane(textPane), report(report)
{
}

QImage PrintCommands::PrintPicture(const QSize& room)
{
    GraphDocument* g = session.Document();
    if (!g || room.isEmpty())
        return QImage();
    // What the document holds, not the window's view of it.
    const QSize content = g->ContentExtent();
    QRect part(0, 0, std::max(g->ExtentWidth, content.width()), std::max(g->ExtentHeight, content.height()));
    const QSize canvas = window.CanvasSize();
    if (part.isEmpty())
        part = QRect(QPoint(0, 0), canvas);
    const double fit = std::min(double(room.width()) / part.width(), double(room.height()) / part.height());
    const double ratio = std::min(fit, double(PrintPictureSide) / std::max(part.width(), part.height()));
    const PlaybackBar& playback = algorithms.Bar();
    const AlgorithmResult* lastResult = algorithms.LastResult();
    if (options.playbackFrame && playback.Active() && lastResult && playback.Matches(*g)) {
        if (!playback.AtResult())
            return RenderStepPicture(*g, playback.Trace().PictureAt(playback.Current()), canvas, part, ratio);
        if (lastResult->drawsPicture)
            return RenderResultPicture(*g, lastResult->picture, canvas, part, ratio);
    }
    return RenderCanvasPart(
        *g, canvas, part, [g](QPainter& painter) { DrawAll(*g, painter); }, ratio);
}

bool PrintCommands::PrintDrawing(QPrinter& printer)
{
    if (!session.HasDocument())
        return false;
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    const QRect page(QPoint(0, 0), printer.pageLayout().paintRectPixels(printer.resolution()).size());

    // The result text in the Text pane's fixed-pitch face, at the printer's own resolution.
    QTextDocument text;
    text.documentLayout()->setPaintDevice(&printer);
    QFont fixed = textPane.font();
    fixed.setPointSizeF(9);
    text.setDefaultFont(fixed);
    text.setDocumentMargin(0);
    const QString result = session.Outp().Text().trimmed();
    if (options.resultText && !result.isEmpty()) {
        text.setPlainText(result);
        text.setTextWidth(page.width());
    }
    const int gap = printer.resolution() / 4;
    const int textHeight = text.isEmpty() ? 0 : int(std::ceil(text.size().height()));
    // The drawing keeps at least half the first page; the text goes on over further pages.
    const int pictureHeight =
        textHeight == 0 ? page.height() : std::max(page.height() / 2, page.height() - textHeight - gap);
    const QImage picture = PrintPicture(QSize(page.width(), pictureHeight));
    if (!picture.isNull()) {
        const QSizeF size = picture.deviceIndependentSize();
        const double scale = std::min(page.width() / size.width(), pictureHeight / size.height());
        const QSizeF shown = size * scale;
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawImage(QRectF(QPointF((page.width() - shown.width()) / 2, 0), shown), picture);
    }
    if (textHeight == 0)
        return painter.end();
    // Pages break between lines, never through one.
    std::vector<std::pair<double, double>> lines; // top and bottom of each line in the text
    for (QTextBlock block = text.begin(); block.isValid(); block = block.next()) {
        const QRectF box = text.documentLayout()->blockBoundingRect(block);
        const QTextLayout* layout = block.layout();
        for (int i = 0; i < layout->lineCount(); ++i) {
            const QRectF line = layout->lineAt(i).rect();
            lines.emplace_back(box.top() + line.top(), box.top() + line.bottom());
        }
    }
    double top = pictureHeight + gap; // where the text goes on this page
    for (std::size_t next = 0; next < lines.size();) {
        const double start = lines[next].first;
        std::size_t end = next;
        while (end < lines.size() && lines[end].second - start <= page.height() - top)
            ++end;
        if (end == next && top > 0) {
            printer.newPage();
            top = 0;
            continue;
        }
        end = std::max(end, next + 1); // a line taller than a page is cut, not dropped
        const double stop = lines[end - 1].second;
        painter.save();
        painter.translate(0, top - start);
        text.drawContents(&painter, QRectF(0, start, page.width(), stop - start));
        painter.restore();
        next = end;
        if (next < lines.size()) {
            printer.newPage();
            top = 0;
        }
    }
    return painter.end();
}

void PrintCommands::PrintReport(QPrinter& printer)
{
    report.print(&printer);
}

QWidget* PrintCommands::OptionsPanel()
{
    auto* panel = new QWidget;
    panel->setWindowTitle(Translate("Print_options"));
    auto* layout = new QVBoxLayout(panel);
    auto* withText = new QCheckBox(Translate("Print_with_text"), panel);
    withText->setChecked(options.resultText);
    QObject::connect(withText, &QCheckBox::toggled, panel, [this](bool on) { options.resultText = on; });
    auto* withFrame = new QCheckBox(Translate("Print_playback_frame"), panel);
    withFrame->setChecked(options.playbackFrame);
    withFrame->setEnabled(algorithms.Bar().Active());
    QObject::connect(withFrame, &QCheckBox::toggled, panel, [this](bool on) { options.playbackFrame = on; });
    layout->addWidget(withText);
    layout->addWidget(withFrame);
    layout->addStretch();
    return panel;
}

void PrintCommands::Print()
{
    if (!session.RequireDocument())
        return;
    QPrinter printer(QPrinter::HighResolution);
    QPrintDialog dialog(&printer, window.DialogParent());
    dialog.setOptionTabs({OptionsPanel()});
    if (dialog.exec() == QDialog::Accepted && !PrintDrawing(printer))
        window.Host().ShowError(Translate("Print_failed"));
}

void PrintCommands::Preview()
{
    if (!session.RequireDocument())
        return;
    QPrinter printer(QPrinter::HighResolution);
    QPrintPreviewDialog preview(&printer, window.DialogParent());
    QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &preview,
                     [this](QPrinter* target) { PrintDrawing(*target); });
    // The two choices sit on the preview's own toolbar; each change shows the pages again.
    auto* pages = preview.findChild<QPrintPreviewWidget*>();
    auto* bar = preview.findChild<QToolBar*>();
    if (pages && bar) {
        bar->addSeparator();
        QAction* withText = bar->addAction(TranslatePlain("Print_with_text"));
        withText->setCheckable(true);
        withText->setChecked(options.resultText);
        QObject::connect(withText, &QAction::toggled, pages, [this, pages](bool on) {
            options.resultText = on;
            pages->updatePreview();
        });
        QAction* withFrame = bar->addAction(TranslatePlain("Print_playback_frame"));
        withFrame->setCheckable(true);
        withFrame->setChecked(options.playbackFrame);
        withFrame->setEnabled(algorithms.Bar().Active());
        QObject::connect(withFrame, &QAction::toggled, pages, [this, pages](bool on) {
            options.playbackFrame = on;
            pages->updatePreview();
        });
    }
    preview.exec();
}

void PrintCommands::PrintReport()
{
    QPrinter printer(QPrinter::HighResolution);
    QPrintDialog dialog(&printer, window.DialogParent());
    if (dialog.exec() == QDialog::Accepted)
        PrintReport(printer);
}

void PrintCommands::PreviewReport()
{
    QPrinter printer(QPrinter::HighResolution);
    QPrintPreviewDialog preview(&printer, window.DialogParent());
    QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &preview,
                     [this](QPrinter* target) { PrintReport(*target); });
    preview.exec();
}
