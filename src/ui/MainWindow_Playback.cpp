// The step-by-step playback of the last run: the bar, the frames on the drawing, the page.
#include "algorithms/RunAlgorithm.h"
#include "base/TranslationManager.h"
#include "base/WholeFile.h"
#include "commands/WalkthroughPage.h"
#include "drawing/ResultPicture.h"
#include "drawing/StepPicture.h"
#include "ui/DocumentPainter.h"
#include "ui/MainWindow.h"
#include "ui/PlaybackBar.h"

#include <QAction>
#include <QFileInfo>

void MainWindow::StartPlayback(const QString& name, AlgorithmResult result, int first, int second)
{
    GraphDocument* g = Document();
    if (!g || result.steps.FrameCount() == 0) {
        lastResult.reset();
        Action(QStringLiteral("actShowPlayback"))->setChecked(false);
        return;
    }
    lastRunName = name;
    lastRunFirst = first;
    lastRunSecond = second;
    lastResult = std::make_unique<AlgorithmResult>(std::move(result));
    playback->Start(*g, lastResult->steps);
    Action(QStringLiteral("actShowPlayback"))->setChecked(true);
}

bool MainWindow::EndStalePlayback()
{
    const GraphDocument* g = Document();
    if (!playback->Active() || (g && playback->Matches(*g)))
        return false;
    playback->Stop();
    Action(QStringLiteral("actShowPlayback"))->setChecked(false);
    return true;
}

void MainWindow::PresentPlaybackFrame(int frame)
{
    GraphDocument* g = Document();
    if (!g || !lastResult)
        return;
    // A frame of a graph that has been edited since is never shown.
    if (EndStalePlayback()) {
        Redraw();
        return;
    }
    const QRect view = Host().PictureView();
    // The last frame of a whole trace is the result as the run showed it.
    if (playback->AtResult() && frame == playback->Current()) {
        if (lastResult->drawsPicture) {
            const QImage picture =
                RenderResultPicture(*g, lastResult->picture, CanvasSize(), view, ViewPixelRatio());
            if (!picture.isNull())
                PresentCanvas(picture, true);
            return;
        }
        const QSize size = ViewSize();
        QImage surface = MakeSurface(size.width(), size.height(), ViewPixelRatio());
        DrawDocument(surface);
        PresentCanvas(surface, true);
        return;
    }
    const QImage picture =
        RenderStepPicture(*g, playback->Trace().PictureAt(frame), CanvasSize(), view, ViewPixelRatio());
    if (!picture.isNull())
        PresentCanvas(picture, true);
}

bool MainWindow::RedrawPlayback()
{
    if (!playback->Active())
        return false;
    // An edit, undo, opening or a new graph makes another document: the normal drawing is back.
    if (EndStalePlayback())
        return false;
    PresentPlaybackFrame(playback->Current());
    return true;
}

void MainWindow::TogglePlaybackCommand()
{
    QAction* item = Action(QStringLiteral("actShowPlayback"));
    GraphDocument* g = Document();
    if (playback->Active()) {
        playback->Stop();
        item->setChecked(false);
        Redraw();
        return;
    }
    // The last run's steps again, as long as the document is still the one it ran on.
    if (g && lastResult) {
        playback->Start(*g, lastResult->steps);
        if (playback->Matches(*g) && lastResult->steps.FrameCount() > 0) {
            item->setChecked(true);
            return;
        }
    }
    item->setChecked(false);
}

void MainWindow::SaveWalkthroughCommand()
{
    GraphDocument* g = Document();
    if (!g || !lastResult || lastResult->steps.FrameCount() == 0) {
        Host().ShowMessage(ProgramHost::MessageKind::Information, Translate("Playback_nothing"));
        return;
    }
    QString fileName = ChooseFile(FileDialog::SaveWalkthrough);
    if (fileName.isEmpty())
        return;
    if (!fileName.endsWith(QLatin1String(".html"), Qt::CaseInsensitive))
        fileName += QStringLiteral(".html");
    WalkthroughTask task;
    task.name = lastRunName;
    task.title = WalkthroughTitle(lastRunName);
    task.graphName = QFileInfo(Session().FileName()).fileName();
    if (const AlgorithmInfo* info = FindAlgorithm(lastRunName);
        info && info->vertices != AlgorithmInfo::Vertices::None) {
        task.first = lastRunFirst;
        task.second = info->vertices == AlgorithmInfo::Vertices::StartAndFinish ? lastRunSecond : 0;
    }
    const QByteArray page = WalkthroughPage(*g, *lastResult, task);
    QString reason;
    if (!WriteWholeFile(fileName, page, &reason))
        Host().ShowError(Translate("Happend_error") + QLatin1Char('\r') + fileName + QStringLiteral(": ") +
                         reason);
}
