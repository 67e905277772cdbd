#pragma once

#include <QSize>
#include <QString>

class GraphDocument;
class StepTrace;

// Draws every recorded frame into the folder as frame-0001.png (or .svg), ... ; false with a
// reason printed when the folder or a file cannot be written, or a picture would be too large.
bool SaveFrames(const GraphDocument& graf, QSize canvas, const StepTrace& trace, const QString& folder,
                const QString& format);
