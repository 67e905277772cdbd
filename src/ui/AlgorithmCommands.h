#pragma once

#include "algorithms/AlgorithmResult.h"

#include <QString>
#include <memory>

class CommandWindow;
class GraphSession;
class PlaybackBar;

// The algorithm menus and the vertex popup, and the step-by-step playback of the last run:
// the bar, its frames on the drawing and the walk-through page. The main window owns one and
// wires the menus and the bar to it.
class AlgorithmCommands {
  public:
    AlgorithmCommands(GraphSession& session, CommandWindow& window, PlaybackBar& bar);
    ~AlgorithmCommands();

    // An algorithm that needs a start (and a finish) asks for them first.
    void PathAlgorithm(const QString& name);
    // The vertex popup's run from the highlighted vertex (and the target).
    void PopupAlgorithm(const QString& name);
    // Every run goes through the dispatcher; one with frames starts the playback.
    void Run(const QString& name, int first, int second);

    // The playback shown or hidden again.
    void TogglePlayback();
    // The last run's walk-through, saved as a web page.
    void SaveWalkthrough();
    // Ends the playback when the graph is no longer the one it ran on; true when it ended.
    bool EndStalePlayback();
    // Draws the frame the bar names.
    void PresentFrame(int frame);
    // A redraw while the playback is on shows its frame again; false when it is off (or has
    // just ended, the graph having changed), and the plain drawing is to be shown.
    bool RedrawPlayback();

    PlaybackBar& Bar() const { return bar; }
    // The last run with frames; null when there is none.
    const AlgorithmResult* LastResult() const { return lastResult.get(); }

  private:
    void StartPlayback(const QString& name, AlgorithmResult result, int first, int second);
    void ShowPlaybackChecked(bool on);

    GraphSession& session;
    CommandWindow& window;
    PlaybackBar& bar;
    std::unique_ptr<AlgorithmResult> lastResult;
    QString lastRunName;
    int lastRunFirst = 0; // the vertices the last run was given, for its page
    int lastRunSecond = 0;
};
