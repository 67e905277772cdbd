#pragma once

#include <QString>
#include <QStringList>

// What the core asks of the user: message boxes, questions, input boxes and the vertex choice.
// The desktop program answers with dialogs, nodeloom-cli from its options, tests from a script.
class UserPrompts {
  public:
    enum class MessageKind { Error, Warning, Information };

    virtual ~UserPrompts() = default;

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
