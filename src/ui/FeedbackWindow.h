#pragma once

#include "online/ServerEndpoint.h"

#include <QDialog>
#include <functional>

class UserPrompts;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

// "Ваше мнение о программе": an e-mail address, a text and a send button. The window only
// collects; sending, its limits and its messages belong to the online module.
class FeedbackWindow : public QDialog {
    Q_OBJECT

  public:
    FeedbackWindow(UserPrompts& prompts, QWidget* parent = nullptr);

    // Where the opinion goes; read from the settings each time it is sent.
    std::function<ServerEndpoint()> Server;
    // Runs the window modally; tests replace it.
    std::function<int(FeedbackWindow&)> Exec;

    // Shows the window modally with empty fields.
    void Execute();
    // The send button.
    void Send();
    void ApplyCaptions();

    QLineEdit* EmailField() const { return email; }
    QPlainTextEdit* TextField() const { return text; }
    QLabel* Counter() const { return counter; }
    QPushButton* SendButton() const { return sendButton; }
    QPushButton* CloseButton() const { return closeButton; }

  private:
    void UpdateCounter();

    UserPrompts& prompts;
    QLabel* explanation = nullptr;
    QLabel* emailLabel = nullptr;
    QLabel* emailLimit = nullptr;
    QLabel* connectionNote = nullptr;
    QLabel* counter = nullptr;
    QLineEdit* email = nullptr;
    QPlainTextEdit* text = nullptr;
    QPushButton* sendButton = nullptr;
    QPushButton* closeButton = nullptr;
    bool edited = false;
};
