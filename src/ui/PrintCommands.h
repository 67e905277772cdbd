#pragma once

#include <QImage>
#include <QSize>

class AlgorithmCommands;
class CommandWindow;
class GraphSession;
class QPrinter;
class QTextDocument;
class QWidget;

// Print and Print preview: the drawing scaled to the page, optionally with the result text
// below it and the playback frame shown; and the HTML report as it reads in its pane.
class PrintCommands {
  public:
    // The result text prints in the text pane's face; report is the HTML pane's document.
    PrintCommands(GraphSession& session, CommandWindow& window, const AlgorithmCommands& algorithms,
                  const QWidget& textPane, QTextDocument& report);

    struct Options {
        // The Text pane's result below the drawing, on further pages where it is long.
        bool resultText = false;
        // While the playback is on, the frame it shows instead of the plain drawing.
        bool playbackFrame = true;
    };
    Options options;

    void Print();
    void Preview();
    // The drawing's pages onto a printer (or a PDF file); false when it could not be printed.
    bool PrintDrawing(QPrinter& printer);
    void PrintReport();
    void PreviewReport();
    void PrintReport(QPrinter& printer);

  private:
    // The drawing (or the playback's frame) for a page, as large as fits the room (in pixels).
    QImage PrintPicture(const QSize& room);
    QWidget* OptionsPanel();

    GraphSession& session;
    CommandWindow& window;
    const AlgorithmCommands& algorithms;
    const QWidget& textPane;
    QTextDocument& report;
};
