#include "algorithms/AlgorithmOutput.h"

#include "base/TranslateManager.h"
#include "document/AllGrafUnit.h"

namespace AlgorithmOutput {

void Begin(TAllGraf& graf)
{
    graf.Outp().Clear();
    graf.ReportManager.Clear();
}

void Heading(TAllGraf& graf, const QString& text)
{
    graf.Outp().AddLine(text);
    graf.ReportManager.AddBoldLine(text);
}

void Line(TAllGraf& graf, const QString& text)
{
    graf.Outp().AppendText(text);
    graf.ReportManager.AddLine(text);
}

bool ShowReport(TAllGraf& graf, const HTMLReportManager& report)
{
    QString error;
    if (!report.SaveToFile(&error)) {
        graf.Host().ShowError(Translate(QStringLiteral("Happend_error")) + QLatin1Char('\r') +
                              report.GetFileName() + QStringLiteral(": ") + error);
        return false;
    }
    graf.Host().ShowReportFile(report.GetFileName());
    return true;
}

bool ShowReport(TAllGraf& graf)
{
    return ShowReport(graf, graf.ReportManager);
}

} // namespace AlgorithmOutput
