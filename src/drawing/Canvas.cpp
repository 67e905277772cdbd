#include "drawing/Canvas.h"

#include "base/TranslateManager.h"
#include "document/AllGrafUnit.h"
#include "drawing/CurveFrame.h"
#include "drawing/DocumentDrawing.h"
#include "drawing/Surface.h"

#include <QImageWriter>
#include <QPainter>
#include <QSaveFile>
#include <QSvgGenerator>
#include <algorithm>

int MapModeWeight(double distance, int zoomMap)
{
    const int weight = RoundHalfEven(distance / 10 * zoomMap);
    return std::clamp(weight, 1, TAllGraf::MaxCost);
}

namespace {

bool Fail(QString* error, const QString& reason)
{
    if (error)
        *error = reason;
    return false;
}

// Written beside the target and renamed over it, so a failed write never leaves half a file.
bool WriteImage(const QImage& picture, const QString& fileName, const char* format, QString* error)
{
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly))
        return Fail(error, file.errorString());
    QImageWriter writer(&file, format);
    if (!writer.write(picture)) {
        file.cancelWriting();
        return Fail(error, writer.errorString());
    }
    if (!file.commit())
        return Fail(error, file.errorString());
    return true;
}

} // namespace

bool SaveCanvasBitmap(const QImage& picture, const QString& chosenName, QString* error)
{
    return WriteImage(picture, chosenName + QStringLiteral(".bmp"), "BMP", error);
}

bool SaveCanvasImage(const QImage& picture, const QString& fileName, QString* error)
{
    const bool png = fileName.endsWith(QStringLiteral(".png"), Qt::CaseInsensitive);
    return WriteImage(picture, fileName, png ? "PNG" : "BMP", error);
}

bool SaveDocumentSvg(TAllGraf& graf, const QString& fileName, QString* error)
{
    const QSize size(graf.CanvasWidth(), graf.CanvasHeight());
    if (size.isEmpty())
        return Fail(error, Translate(QStringLiteral("Happend_error")));
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly))
        return Fail(error, file.errorString());
    QSvgGenerator generator;
    generator.setOutputDevice(&file);
    generator.setSize(size);
    generator.setViewBox(QRect(QPoint(0, 0), size));
    // The resolution of a bitmap surface, so fonts keep the size they have on the canvas.
    generator.setResolution(96);
    QPainter painter;
    BeginSurface(painter, &generator);
    DrawAll(graf, painter);
    painter.end();
    if (!file.commit())
        return Fail(error, file.errorString());
    return true;
}
