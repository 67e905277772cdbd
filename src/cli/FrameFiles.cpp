#include "cli/FrameFiles.h"

#include "algorithms/StepTrace.h"
#include "base/TranslationManager.h"
#include "cli/CliSession.h"
#include "document/GraphDocument.h"
#include "drawing/Canvas.h"
#include "drawing/DocumentDrawing.h"

#include <QDir>
#include <QFile>
#include <QPainter>
#include <filesystem>

namespace {

// One frame as the bytes of its file; false with the reason printed.
bool FrameBytes(const GraphDocument& g, QSize canvas, const StepTrace& trace, int frame, bool svg,
                const QString& name, QByteArray& bytes)
{
    const StepPicture step = trace.PictureAt(frame);
    if (svg) {
        bytes = SvgDrawing(canvas, [&g, &step](QPainter& painter) { DrawStepPicture(g, painter, step); });
        return true;
    }
    QString error;
    if (EncodeImage(RenderStepPicture(g, step, canvas), "PNG", &bytes, &error))
        return true;
    PrintReason(name, error);
    return false;
}

} // namespace

bool SaveFrames(const GraphDocument& g, QSize canvas, const StepTrace& trace, const QString& folder,
                const QString& format)
{
    const bool svg = format == QLatin1String("svg");
    if (!svg && !PictureSizeAllowed(canvas.width(), canvas.height())) {
        PrintReason(folder, Translate(QStringLiteral("Cli_picture_too_large"))
                                .arg(canvas.width())
                                .arg(canvas.height())
                                .arg(MaxPictureSide)
                                .arg(MaxPictureBytes / (1024 * 1024)));
        return false;
    }
    const QDir dir(folder);
    auto frameName = [&dir, &format](int i) {
        return dir.filePath(QStringLiteral("frame-%1.%2").arg(i + 1, 4, 10, QLatin1Char('0')).arg(format));
    };
    // The first frame, drawn before anything is written, tells what all of them would cost.
    QByteArray bytes;
    const qint64 frames = trace.FrameCount();
    if (frames > 0 && !FrameBytes(g, canvas, trace, 0, svg, frameName(0), bytes))
        return false;
    if (!FramePicturesAllowed(frames, bytes.size())) {
        const qint64 megabyte = 1024 * 1024;
        PrintReason(folder, Translate(QStringLiteral("Cli_frames_too_many"))
                                .arg(frames)
                                .arg((frames * bytes.size() + megabyte - 1) / megabyte)
                                .arg(MaxFramePictures)
                                .arg(MaxFramePictureBytes / megabyte));
        return false;
    }
    std::error_code failure;
    std::filesystem::create_directories(QFile::encodeName(folder).toStdString(), failure);
    if (failure) {
        PrintReason(folder, Translate(QStringLiteral("Cli_folder_not_created"))
                                .arg(QString::fromLocal8Bit(failure.message())));
        return false;
    }
    for (int i = 0; i < frames; ++i) {
        if (i > 0 && !FrameBytes(g, canvas, trace, i, svg, frameName(i), bytes))
            return false;
        if (!WriteOutputFile(frameName(i), bytes))
            return false;
    }
    return true;
}
