#pragma once

#include "algorithms/StepTrace.h"
#include "document/GraphDocument.h"

#include <QWidget>
#include <functional>
#include <memory>

class QComboBox;
class QLabel;
class QShortcut;
class QSlider;
class QTimer;
class QToolButton;

// The bar under the drawing that walks through the recorded steps of the last run: first,
// back, play or pause, forward, last, a slider over the frames, a speed, and the current
// frame's narration. It draws nothing itself: the window draws the frame it names. Playback
// never changes the document; a document that changed since the run ends it.
class PlaybackBar : public QWidget {
    Q_OBJECT

  public:
    explicit PlaybackBar(QWidget* parent = nullptr);
    ~PlaybackBar() override;

    // Takes the run's steps and shows its last frame, the result as the run presented it.
    // A run without frames ends playback.
    void Start(const GraphDocument& graf, const StepTrace& trace);
    void Stop();
    bool Active() const { return active; }
    // Whether the document is still the one the run left (any edit, undo, opening or a new
    // graph makes it another).
    bool Matches(const GraphDocument& graf) const;

    int Current() const { return current; }
    int Count() const { return trace.FrameCount(); }
    bool AtResult() const { return current == Count() - 1 && !trace.Cut(); }
    const StepTrace& Trace() const { return trace; }
    void ShowFrame(int frame);
    void Step(int delta) { ShowFrame(current + delta); }
    void TogglePlay();
    bool Playing() const;
    QString NarrationLine() const;
    void ApplyCaptions();

    // Draws frame i for the window; the last frame of an uncut trace is the result itself.
    std::function<void(int frame)> Present;

  signals:
    void stopped();

  private:
    void UpdateControls();

    StepTrace trace;
    std::unique_ptr<Graph> stamp;
    QStringList names; // display names at the run, for the narration
    int current = -1;
    bool active = false;

    QToolButton* first = nullptr;
    QToolButton* back = nullptr;
    QToolButton* play = nullptr;
    QToolButton* forward = nullptr;
    QToolButton* last = nullptr;
    QSlider* slider = nullptr;
    QComboBox* speed = nullptr;
    QLabel* narration = nullptr;
    QTimer* timer = nullptr;
    QList<QShortcut*> keys;
};
