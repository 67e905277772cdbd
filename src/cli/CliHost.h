#pragma once

#include "document/ProgramHost.h"

#include <QImage>
#include <QStringList>

class GraphDocument;

// The host of nodeloom-cli: message boxes become "message: " lines on stderr and are kept for
// --json; questions are answered No, input boxes keep their proposed text, and the vertex
// choice is cancelled, since nobody is there to answer.
class CliHost : public ProgramHost {
  public:
    void ShowMessage(MessageKind kind, const QString& text) override;
    bool AskYesNo(const QString&) override { return false; }
    bool InputQuery(const QString&, const QString&, QString&) override { return false; }
    bool ChooseVertex(const QString&, const QStringList&, int&) override { return false; }

    // A notional window, so that vertices placed at random spread over a usable area.
    int DrawingAreaWidth() const override { return 640; }
    int DrawingAreaHeight() const override { return 480; }
    void ShowReportFile(const QString& path) override { shownReport = path; }
    // The picture the window would show. A redraw only marks it stale: it is drawn when asked
    // for, so a command that writes no picture never allocates one; a result's own picture is
    // kept as it was shown.
    void Redraw() override { picture = QImage(); }
    void PresentCanvas(const QImage& surface, bool) override { picture = surface; }
    bool ShowsPictures() const override { return showsPictures; }
    void SetShowsPictures(bool shows) { showsPictures = shows; }
    void SetDocument(GraphDocument* graf) { document = graf; }
    // The last picture shown, or a fresh drawing of the document when none was.
    QImage Picture();

    const QStringList& Messages() const { return messages; }
    // The report file last shown, empty when none was.
    const QString& ShownReport() const { return shownReport; }

    // Turns a message text into stderr lines: carriage returns become line breaks.
    static QString MessageLines(const QString& text);

  private:
    QStringList messages;
    QString shownReport;
    GraphDocument* document = nullptr;
    QImage picture;
    bool showsPictures = true;
};
