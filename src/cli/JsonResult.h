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

    // Fills the path and highlight keys from the document after the run.
    QByteArray ToJson(const TAllGraf& graf, const AlgorithmRun& run) const;
};
