#pragma once

#include <QString>

class TAllGraf;
class HTMLReportManager;

// The output convention every algorithm follows: the same texts go to the Text pane and to
// the document's HTML report, then the report is saved and shown.
namespace AlgorithmOutput {

// Empties the Text pane and the report.
void Begin(TAllGraf& graf);
// A heading: a Text pane line and a bold report line.
void Heading(TAllGraf& graf, const QString& text);
// A result line: a new Text pane line and a plain report line.
void Line(TAllGraf& graf, const QString& text);

// Saves a report to the report file and shows it through the host. On failure the host
// shows the error and the HTML pane keeps what it showed; false then.
bool ShowReport(TAllGraf& graf, const HTMLReportManager& report);
bool ShowReport(TAllGraf& graf);

} // namespace AlgorithmOutput
