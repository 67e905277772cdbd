#pragma once

#include <QList>
#include <QRect>
#include <QSize>
#include <QString>
#include <QStringList>

class TranslationManager;
class GraphDocument;
class UserPrompts;

// The main window's left, top, width and height as the settings file keeps them.
struct WindowPlacement {
    int X = 0, Y = 0, Width = 700, Height = 600;
    // The result panes' height: a distance table of a dozen vertices fits without scrolling.
    int ResultsHeight = 300;
    bool operator==(const WindowPlacement&) const = default;
};

// "setting.ini" in the program's folder: the drawing styles, vertex size, background
// picture, map scale and label fonts of every new document, the language, the recent files,
// and a few values of the running program. A missing, damaged or foreign file gives the defaults.
class ProgramSettings {
  public:
    explicit ProgramSettings(TranslationManager& translator);

    static QString FileName();

    // The run counter: read by LoadSettings, raised by the main window when it closes.
    int CountRun = 0;
    // The drawing's zoom in percent (25 to 400): read by LoadSettings, set by the window.
    int ViewZoom = 100;
    // How many edits undo can take back (1 to 1000): read by LoadSettings, kept as read.
    int UndoSteps = 100;
    // Default face of both label fonts: the main window's font.
    QString DefaultFontFace;
    // The folder of the file last chosen in a file dialog, where the next one opens when the
    // graph has no file; written only once there is one.
    QString LastFolder;

    // Styles, vertex size, background, map scale (map mode off), label fonts, the run
    // counter and with withLanguage the language into a new document.
    // Returns whether the matrix window should be shown; only the first document of a run
    // uses that.
    bool LoadSettings(GraphDocument& graf, UserPrompts& prompts, bool withLanguage);
    // The main window's placement, brought onto one of the screens (the first is the
    // primary one, whose size gives the default position).
    WindowPlacement LoadWindowPlacement(const QList<QRect>& screens) const;
    // The recent files, newest first.
    QStringList LoadRecentFiles() const;
    // LastFolder as the settings file keeps it: read once at start, since every new graph
    // reads the other settings again.
    void LoadLastFolder();
    // Writes every key in its order; keys the program does not know stay in the file.
    bool SaveSettings(const GraphDocument& graf, const QStringList& recentFiles,
                      const WindowPlacement& mainWindow, bool matrixWindowVisible,
                      QString* error = nullptr) const;

    // Centred on a screen of the given size.
    static WindowPlacement DefaultPlacement(const QSize& screen);
    // The window lies wholly on the screen that holds its top middle, or on the first screen
    // when none does: no larger than that screen, moved only as far as it must.
    static WindowPlacement BringOnScreen(const WindowPlacement& placement, const QList<QRect>& screens);

  private:
    TranslationManager& translator;
};
