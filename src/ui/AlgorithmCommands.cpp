#include "ui/AlgorithmCommands.h"

#include "algorithms/RunAlgorithm.h"
#include "base/TranslationManager.h"
#include "base/WholeFile.h"
#include "commands/GraphSession.h"
#include "commands/SelectPathEnds.h"
#include "commands/WalkthroughPage.h"
#include "drawing/ResultPicture.h"
#include "drawing/StepPicture.h"
#include "ui/CommandWindow.h"
#include "ui/DocumentPainter.h"
#include "ui/PlaybackBar.h"

#include <QAction>
#include <QFileInfo>

AlgorithmCommands::AlgorithmCommands(GraphSession& session, CommandWindow& window, PlaybackBar& bar)
    : session(session), window(window), bar(bar)
{
}

AlgorithmCommands::~AlgorithmCommands() = default;

void AlgorithmCommands::PathAlgorithm(const QString& name)
{
    if (!session.RequireDocument())
        return;
    window.LeaveTextMode();
    int first = 0, second = 0;
    if (SelectPathEnds(*session.Document(), window.Host(), first, second))
        Run(name, first, second);
}

void AlgorithmCommands::PopupAlgorithm(const QString& name)
{
    if (GraphDocument* g = session.Document())
        Run(name, g->ActiveVertex, g->TargetVertex);
}

void AlgorithmCommands::Run(const QString& name, int first, int second)
{
    if (!session.RequireDocument())
        return;
    window.LeaveTextMode();
    window.PrepareCanvas();
    bar.Stop();
    AlgorithmRun run;
    RunOptions options;
    options.recordSteps = true; // cheap, and capped: the bar is there the moment it finishes
    RunAlgorithm(*session.Document(), window.Host(), session.Panes(), name, first, second, &run, options);
    window.RefreshTextPane();
    if (run.ran)
        StartPlayback(name, std::move(run.result), first, second);
    window.UpdateMenus();
}

void AlgorithmCommands::ShowPlaybackChecked(bool on)
{
    window.Action(QStringLiteral("actShowPlayback"))->setChecked(on);
}

void AlgorithmCommands::StartPlayback(const QString& name, AlgorithmResult result, int first, int second)
{
    GraphDocument* g = session.Document();
    if (!g || result.steps.FrameCount() == 0) {
        lastResult.reset();
        ShowPlaybackChecked(false);
        return;
    }
    lastRunName = name;
    lastRunFirst = first;
    lastRunSecond = second;
    lastResult = std::make_unique<AlgorithmResult>(std::move(result));
    bar.Start(*g, lastResult->steps);
    ShowPlaybackChecked(true);
}

bool AlgorithmCommands::EndStalePlayback()
{
    const GraphDocument* g = session.Document();
    if (!bar.Active() || (g && bar.Matches(*g)))
        return false;
    bar.Stop();
    ShowPlaybackChecked(false);
    return true;
}

void AlgorithmCommands::PresentFrame(int frame)
{
    GraphDocument* g = session.Document();
    if (!g || !lastResult)
        return;
    // A frame of a graph that has been edited since is never shown.
    if (EndStalePlayback()) {
        window.Redraw();
        return;
    }
    const QRect view = window.Host().PictureView();
    const qreal ratio = window.ViewPixelRatio();
    // The last frame of a whole trace is the result as the run showed it.
    if (bar.AtResult() && frame == bar.Current()) {
        if (lastResult->drawsPicture) {
            const QImage picture =
                RenderResultPicture(*g, lastResult->picture, window.CanvasSize(), view, ratio);
            if (!picture.isNull())
                window.PresentCanvas(picture, true);
            return;
        }
        const QSize size = window.ViewSize();
        QImage surface = MakeSurface(size.width(), size.height(), ratio);
        window.DrawDocument(surface);
        window.PresentCanvas(surface, true);
        return;
    }
    const QImage picture =
        RenderStepPicture(*g, bar.Trace().PictureAt(frame), window.CanvasSize(), view, ratio);
    if (!picture.isNull())
        window.PresentCanvas(picture, true);
}

bool AlgorithmCommands::RedrawPlayback()
{
    if (!bar.Active())
        return false;
    // An edit, undo, opening or a new graph makes another document: the normal drawing is back.
    if (EndStalePlayback())
        return false;
    PresentFrame(bar.Current());
    return true;
}

void AlgorithmCommands::TogglePlayback()
{
    GraphDocument* g = session.Document();
    if (bar.Active()) {
        bar.Stop();
        ShowPlaybackChecked(false);
        window.Redraw();
        return;
    }
    // The last run's steps again, as long as the document is still the one it ran on.
    if (g && lastResult) {
        bar.Start(*g, lastResult->steps);
        if (bar.Matches(*g) && lastResult->steps.FrameCount() > 0) {
            ShowPlaybackChecked(true);
            return;
        }
    }
    ShowPlaybackChecked(false);
}

void AlgorithmCommands::SaveWalkthrough()
{
    GraphDocument* g = session.Document();
    if (!g || !lastResult || lastResult->steps.FrameCount() == 0) {
        window.Host().ShowMessage(ProgramHost::MessageKind::Information, Translate("Playback_nothing"));
        return;
    }
    QString fileName = window.ChooseFile(FileDialogKind::SaveWalkthrough);
    if (fileName.isEmpty())
        return;
    if (!fileName.endsWith(QLatin1String(".html"), Qt::CaseInsensitive))
        fileName += QStringLiteral(".html");
    WalkthroughTask task;
    task.name = lastRunName;
    task.title = WalkthroughTitle(lastRunName);
    task.graphName = QFileInfo(session.FileName()).fileName();
    if (const AlgorithmInfo* info = FindAlgorithm(lastRunName);
        info && info->vertices != AlgorithmInfo::Vertices::None) {
        task.first = lastRunFirst;
        task.second = info->vertices == AlgorithmInfo::Vertices::StartAndFinish ? lastRunSecond : 0;
    }
    const QByteArray page = WalkthroughPage(*g, *lastResult, task);
    QString reason;
    if (!WriteWholeFile(fileName, page, &reason))
        window.Host().ShowError(Translate("Happend_error") + QLatin1Char('\r') + fileName +
                                QStringLiteral(": ") + reason);
}
