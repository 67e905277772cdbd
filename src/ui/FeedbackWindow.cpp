#include "ui/FeedbackWindow.h"

#include "base/TranslationManager.h"
#include "online/Feedback.h"
#include "ui/BusyCursor.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

FeedbackWindow::FeedbackWindow(UserPrompts& prompts, QWidget* parent) : QDialog(parent), prompts(prompts)
{
    setObjectName(QStringLiteral("mindProgram"));
    explanation = new QLabel(this);
    explanation->setWordWrap(true);
    emailLabel = new QLabel(this);
    email = new QLineEdit(this);
    email->setMaxLength(kFeedbackEmailMaxChars);
    emailLabel->setBuddy(email);
    emailLimit = new QLabel(this);
    connectionNote = new QLabel(this);
    connectionNote->setWordWrap(true);
    text = new QPlainTextEdit(this);
    text->setTabChangesFocus(true);
    counter = new QLabel(this);
    sendButton = new QPushButton(this);
    sendButton->setDefault(false);
    connect(text, &QPlainTextEdit::textChanged, this, [this] {
        edited = true;
        UpdateCounter();
    });
    connect(sendButton, &QPushButton::clicked, this, &FeedbackWindow::Send);
    // A way out that sends nothing, besides Esc and the title bar.
    closeButton = new QPushButton(this);
    closeButton->setAutoDefault(false);
    connect(closeButton, &QPushButton::clicked, this, &QDialog::reject);

    auto* grid = new QGridLayout(this);
    grid->addWidget(explanation, 0, 0, 1, 3);
    grid->addWidget(emailLabel, 1, 0);
    grid->addWidget(email, 1, 1);
    grid->addWidget(emailLimit, 1, 2);
    grid->addWidget(connectionNote, 2, 0, 1, 3);
    grid->addWidget(text, 3, 0, 1, 3);
    grid->addWidget(counter, 4, 0, 1, 2);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(sendButton);
    buttons->addWidget(closeButton);
    grid->addLayout(buttons, 4, 2, Qt::AlignRight);
    grid->setRowStretch(3, 1);
    resize(480, 360);
    ApplyCaptions();
}

void FeedbackWindow::ApplyCaptions()
{
    setWindowTitle(TranslatePlain("MindProgram"));
    explanation->setText(Translate("Please_send"));
    emailLabel->setText(Translate("Youremail"));
    emailLimit->setText(Translate("64Chars"));
    connectionNote->setText(Translate("rInternet"));
    sendButton->setText(Translate("Send"));
    closeButton->setText(Translate("Close"));
    UpdateCounter();
}

void FeedbackWindow::UpdateCounter()
{
    // Until the first change the label shows the limit; from then on the count.
    counter->setText(edited ? FeedbackCounterText(text->toPlainText().size()) : Translate("1000Chars"));
}

void FeedbackWindow::Execute()
{
    email->clear();
    text->clear();
    edited = false;
    UpdateCounter();
    email->setFocus();
    if (parentWidget())
        move(parentWidget()->window()->frameGeometry().center() - QPoint(width() / 2, height() / 2));
    Exec ? Exec(*this) : exec();
}

void FeedbackWindow::Send()
{
    const ServerEndpoint server = Server ? Server() : ServerEndpoint();
    // The wait for the server shows: the window stays painted, the cursor says it is busy.
    sendButton->setEnabled(false);
    FeedbackOutcome outcome;
    {
        const BusyCursor busy;
        outcome = SendFeedback(prompts, server, email->text(), text->toPlainText());
    }
    sendButton->setEnabled(true);
    if (FeedbackWindowCloses(outcome))
        accept();
}
