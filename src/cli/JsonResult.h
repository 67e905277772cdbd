#pragma once

#include <QString>
#include <QStringList>

#include <QJsonArray>

class GraphDocument;
class StepTrace;
struct AlgorithmRun;

// The recorded frames: each with its narration in the current language and what changed
// since the frame before (vertex and arc states, captions), so a long trace stays linear.
QJsonArray StepsJson(const GraphDocument& graf, const StepTrace& trace);

// The --json record of one run: what a script needs to check a result without parsing text.
struct JsonResult {
    QString name;
    int exitCode = 0;
    QStringList outp;
    QStringList messages;
    QString report;

    // The result's own keys (route, fills, captions, steps) and the highlighting the run left
    // on the document.
    QByteArray ToJson(const GraphDocument& graf, const AlgorithmRun& run) const;
};
