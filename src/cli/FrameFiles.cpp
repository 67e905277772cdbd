#include "cli/FrameFiles.h"

#include "algorithms/StepTrace.h"
#include "base/TranslateManager.h"
#include "cli/CliSession.h"
#include "document/AllGrafUnit.h"
#include "drawing/Canvas.h"
#include "drawing/DocumentDrawing.h"
#include "drawing/Surface.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QPainter>
#include <QSvgGenerator>
#include <filesystem>

namespace {

QByteArray FrameSvg(const TAllGraf& g, const StepPicture& step)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    const QSize size(g.CanvasWidth(), g.CanvasHeight());
    QSvgGenerator generator;
    generator.setOutputDevice(&buffer);
    generator.setSize(size);
    generator.setViewBox(QRect(QPoint(0, 0), size));
    generator.setResolution(96);
    QPainter painter;
    BeginSurface(painter, &generator);
    DrawStepPicture(g, painter, step);
    painter.end();
    return buffer.data();
}

} // namespace

bool SaveFrames(const TAllGraf& g, const StepTrace& trace, const QString& folder, const QString& format)
{
    std::error_code failure;
    std::filesystem::create_directories(QFile::encodeName(folder).toStdString(), failure);
    if (failure) {
        PrintReason(folder, QString::fromLocal8Bit(failure.message()));
        return false;
    }
    const bool svg = format == QLatin1String("svg");
    if (!svg && !PictureSizeAllowed(g.CanvasWidth(), g.CanvasHeight())) {
        PrintReason(folder, Translate(QStringLiteral("Cli_picture_too_large"))
                                .arg(g.CanvasWidth())
                                .arg(g.CanvasHeight())
                                .arg(MaxPictureSide)
                                .arg(MaxPictureBytes / (1024 * 1024)));
        return false;
    }
    const QDir dir(folder);
    for (int i = 0; i < trace.FrameCount(); ++i) {
        const StepPicture step = trace.PictureAt(i);
        const QString name =
            dir.filePath(QStringLiteral("frame-%1.%2").arg(i + 1, 4, 10, QLatin1Char('0')).arg(format));
        if (svg) {
            if (!WriteOutputFile(name, FrameSvg(g, step)))
                return false;
            continue;
        }
        QString error;
        if (!SaveCanvasImage(RenderStepPicture(g, step), name, &error)) {
            PrintReason(name, error);
            return false;
        }
    }
    return true;
}
