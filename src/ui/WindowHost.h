#pragma once

#include "document/ProgramHost.h"

class MainWindow;

// The desktop answer to the core's questions: message boxes, input boxes and the
// vertex-choice dialog, and the main window's drawing area. The dialogs can be handed
// to another host (tests script them) while the window parts stay.
class WindowHost : public ProgramHost {
  public:
    explicit WindowHost(MainWindow& window) : window(window) {}

    void SetDialogHost(ProgramHost* host) { dialogs = host; }
    ProgramHost* DialogHost() const { return dialogs; }
    // While a file is named here, every message that does not name it begins with it.
    void NameFileInMessages(const QString& fileName) { messageFile = fileName; }

    void ShowMessage(MessageKind kind, const QString& text) override;
    bool AskYesNo(const QString& text) override;
    bool AskInformationYesNo(const QString& text) override;
    SaveAnswer AskSaveChanges(const QString& text) override;
    bool InputQuery(const QString& caption, const QString& prompt, QString& value) override;
    bool ChooseVertex(const QString& caption, const QStringList& names, int& index) override;

    int DrawingAreaWidth() const override;
    int DrawingAreaHeight() const override;
    QPoint ScrollPosition() const override;
    void ResetScroll() override;
    void PresentCanvas(const QImage& surface, bool force) override;
    QRect PictureView() const override;
    qreal PictureRatio() const override;
    void Redraw() override;
    void ShowReportFile(const QString& path) override;
    void RefreshMatrixWindow() override;
    void UpdateMenus() override;
    bool SaveGraphCommand() override;

  private:
    MainWindow& window;
    ProgramHost* dialogs = nullptr;
    QString messageFile;
};
