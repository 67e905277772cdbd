#pragma once

#include "document/ProgramView.h"
#include "document/UserPrompts.h"

// Both halves of what surrounds the core, as one program provides them: the prompts and the
// window. Commands take the half they need.
class ProgramHost : public UserPrompts, public ProgramView {};

// Answers nothing and shows nothing: the host of a document nobody watches.
class SilentProgramHost : public ProgramHost {
  public:
    void ShowMessage(MessageKind, const QString&) override {}
    bool AskYesNo(const QString&) override { return false; }
    bool InputQuery(const QString&, const QString&, QString&) override { return false; }
    bool ChooseVertex(const QString&, const QStringList&, int&) override { return false; }
};

// Passes everything to another host and counts the message boxes shown through it, so a
// caller can tell a refusal that explained itself from one that said nothing.
class MessageCountingHost : public ProgramHost {
  public:
    explicit MessageCountingHost(ProgramHost& inner) : inner(inner) {}
    int Messages() const { return messages; }

    void ShowMessage(MessageKind kind, const QString& text) override
    {
        ++messages;
        inner.ShowMessage(kind, text);
    }
    bool AskYesNo(const QString& text) override { return inner.AskYesNo(text); }
    bool AskInformationYesNo(const QString& text) override { return inner.AskInformationYesNo(text); }
    SaveAnswer AskSaveChanges(const QString& text) override { return inner.AskSaveChanges(text); }
    bool InputQuery(const QString& caption, const QString& prompt, QString& value) override
    {
        return inner.InputQuery(caption, prompt, value);
    }
    bool ChooseVertex(const QString& caption, const QStringList& names, int& index) override
    {
        return inner.ChooseVertex(caption, names, index);
    }
    int DrawingAreaWidth() const override { return inner.DrawingAreaWidth(); }
    int DrawingAreaHeight() const override { return inner.DrawingAreaHeight(); }
    QPoint ScrollPosition() const override { return inner.ScrollPosition(); }
    void ResetScroll() override { inner.ResetScroll(); }
    void PresentCanvas(const QImage& surface, bool force) override { inner.PresentCanvas(surface, force); }
    QRect PictureView() const override { return inner.PictureView(); }
    qreal PictureRatio() const override { return inner.PictureRatio(); }
    void Redraw() override { inner.Redraw(); }
    bool ShowsPictures() const override { return inner.ShowsPictures(); }
    void ShowReportFile(const QString& path) override { inner.ShowReportFile(path); }
    void RefreshMatrixWindow() override { inner.RefreshMatrixWindow(); }
    void UpdateMenus() override { inner.UpdateMenus(); }
    bool SaveGraphCommand() override { return inner.SaveGraphCommand(); }

  private:
    ProgramHost& inner;
    int messages = 0;
};
