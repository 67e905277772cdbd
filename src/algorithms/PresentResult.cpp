// Showing a result: the panes and the report in the order the algorithm wrote them, then the
// drawing.
#include "algorithms/RunAlgorithm.h"

#include "base/TranslationManager.h"
#include "document/GraphDocument.h"
#include "document/ProgramHost.h"
#include "drawing/ResultPicture.h"
#include "report/ResultPanes.h"

namespace {

// Saves the report to its file and shows it. A failure is shown and the run goes on, so the
// result is still highlighted.
void ShowReport(const HTMLReportManager& report, ProgramHost& host)
{
    QString error;
    if (!report.SaveToFile(&error)) {
        host.ShowError(Translate(QStringLiteral("Happend_error")) + QLatin1Char('\r') + report.GetFileName() +
                       QStringLiteral(": ") + error);
        return;
    }
    host.ShowReportFile(report.GetFileName());
}

void WriteItem(ProgramHost& host, ResultPanes& panes, const OutputItem& item)
{
    TextPane& outp = panes.Text;
    HTMLReportManager& report = panes.Report;
    switch (item.kind) {
    case OutputItem::Kind::Clear:
        outp.Clear();
        report.Clear();
        break;
    case OutputItem::Kind::Heading:
        outp.AddLine(item.text);
        report.AddBoldLine(item.text);
        break;
    case OutputItem::Kind::Line:
        outp.AppendText(item.text);
        report.AddLine(item.text);
        break;
    case OutputItem::Kind::PaneLine:
        outp.AddLine(item.text);
        break;
    case OutputItem::Kind::ReportLine:
        report.AddLine(item.text);
        break;
    case OutputItem::Kind::ReportBold:
        report.AddBoldLine(item.text);
        break;
    case OutputItem::Kind::ReportRaw:
        report.AddMarkup(item.text);
        break;
    case OutputItem::Kind::Table:
        for (const QString& line : item.paneLines)
            outp.AddLine(line);
        report.BeginTable();
        for (const QStringList& row : item.rows) {
            report.BeginRow();
            for (const QString& cell : row)
                report.AddCell(cell);
            report.EndRow();
        }
        report.EndTable();
        break;
    case OutputItem::Kind::ShowReport:
        ShowReport(report, host);
        break;
    case OutputItem::Kind::Message:
        host.ShowError(item.text);
        break;
    }
}

} // namespace

void PresentResult(GraphDocument& graf, ProgramHost& host, ResultPanes& panes, const AlgorithmResult& result,
                   bool commonTail)
{
    for (const OutputItem& item : result.output)
        WriteItem(host, panes, item);
    if (result.refused)
        return;
    // A picture of its own shows over the highlighting, which outlasts it.
    for (int v : result.highlightedVertices)
        if (graf.IsVertex(v))
            graf.Vertices[v].Active = 1;
    for (const auto& [from, to] : result.highlightedArcs)
        if (graf.IsVertex(from) && graf.IsVertex(to))
            graf.ArcRef(from, to).Active = 1;
    if (result.drawsPicture) {
        if (!host.ShowsPictures())
            return;
        const QImage picture = RenderResultPicture(graf, result.picture, graf.CanvasSize(host.DrawingArea()),
                                                   host.PictureView(), host.PictureRatio());
        if (!picture.isNull())
            host.PresentCanvas(picture, true);
        return;
    }
    const bool highlights = !result.highlightedVertices.empty() || !result.highlightedArcs.empty();
    if (!commonTail) {
        if (highlights)
            host.Redraw();
        return;
    }
    if (result.resultCount > 0)
        graf.MarkPath(result.route);
    host.Redraw();
    // The Text pane's caret goes back to its start; the window that shows the pane does that.
}
