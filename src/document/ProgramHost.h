#pragma once

#include <QImage>
#include <QRect>
#include <QString>
#include <QStringList>

// The one channel between the core and whatever program surrounds it: message boxes,
// questions, input boxes, the vertex choice, and the window surfaces the core draws for.
// The desktop program answers with dialogs, nodeloom-cli from its options, tests from a script.
class ProgramHost {
  public:
    enum class MessageKind { Error, Warning, Information };

    virtual ~ProgramHost() = default;

    // A modal box with an OK button.
    virtual void ShowMessage(MessageKind kind, const QString& text) = 0;
    // A warning box with Yes and No buttons; true for Yes.
    virtual bool AskYesNo(const QString& text) = 0;
    // The same question as good news: an information box with Yes and No buttons.
    virtual bool AskInformationYesNo(const QString& text) { return AskYesNo(text); }
    enum class SaveAnswer { Save, Discard, Cancel };
    // A question about work that may be lost, with Save, Discard and Cancel buttons. A host
    // without such a box asks yes or no: yes saves, no goes on without saving.
    virtual SaveAnswer AskSaveChanges(const QString& text)
    {
        return AskYesNo(text) ? SaveAnswer::Save : SaveAnswer::Discard;
    }
    // An input query: true when confirmed, with value holding the answer.
    virtual bool InputQuery(const QString& caption, const QString& prompt, QString& value) = 0;
    // The vertex-choice dialog: names in list order, index of the proposed entry in/out.
    // True only when confirmed with an entry selected.
    virtual bool ChooseVertex(const QString& caption, const QStringList& names, int& index) = 0;

    // The drawing area of the main window; 0 where there is none.
    virtual int DrawingAreaWidth() const { return 0; }
    virtual int DrawingAreaHeight() const { return 0; }
    // Copy the visible part of a surface to the window (force skips the rate limit).
    virtual void PresentCanvas(const QImage& surface, bool force)
    {
        (void)surface;
        (void)force;
    }
    // The part of the canvas a picture for PresentCanvas needs: a window shows only its
    // drawing area at the scroll position; empty means the whole canvas.
    virtual QRect PictureView() const { return QRect(); }
    // Pixels to a canvas unit in such a picture: the window's zoom on its screen.
    virtual qreal PictureRatio() const { return 1.0; }
    // Full redraw of the current document into the window.
    virtual void Redraw() {}
    // Whether pictures made for the window are looked at; a host without one is spared
    // drawing them.
    virtual bool ShowsPictures() const { return true; }
    // The report file was saved; show it in the HTML pane.
    virtual void ShowReportFile(const QString& path) { (void)path; }
    // The document's arcs or vertices changed: the matrix window refreshes its grid.
    virtual void RefreshMatrixWindow() {}
    // Undo/redo or a command changed what the menus should enable.
    virtual void UpdateMenus() {}
    // The save command of the file menu, asked for by the kind conversions; true when saved.
    virtual bool SaveGraphCommand() { return false; }

    // An input box: the proposed text when the user cancels.
    QString InputBox(const QString& caption, const QString& prompt, const QString& proposed)
    {
        QString value = proposed;
        if (!InputQuery(caption, prompt, value))
            return proposed;
        return value;
    }
    void ShowError(const QString& text) { ShowMessage(MessageKind::Error, text); }
};

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
