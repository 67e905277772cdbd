#pragma once

#include <QString>
#include <QStringList>

class TAllGraf;
struct AlgorithmRun;

// The --json record of one run: what a script needs to check a result without parsing text.
struct JsonResult {
    QString name;
    int exitCode = 0;
    QStringList outp;
    QStringList messages;
    QString report;

    // The result's own keys (route, fills, captions, steps) and the highlighting the run left
    // on the document.
    QByteArray ToJson(const TAllGraf& graf, const AlgorithmRun& run) const;
};
