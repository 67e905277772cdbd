#pragma once

#include <QByteArray>
#include <QString>

class UserPrompts;
struct ServerEndpoint;

// Limits of the feedback window's fields.
inline constexpr int kFeedbackEmailMaxChars = 64;
inline constexpr int kFeedbackTextMaxChars = 5000;

enum class FeedbackOutcome {
    NothingToSend, // both fields empty: no connection is made
    NotSent,       // no reply; the window stays open so the text is not lost
    ServerRefused, // a reply that is not the script's answer "sent" with status 200
    Sent,          // status 200 and the script's answer "sent"
};

// Whether the feedback window closes after the outcome.
bool FeedbackWindowCloses(FeedbackOutcome outcome);

// "/aboutProgram.php?email=...&about=...&program=Nodeloom" with both values encoded.
QByteArray FeedbackRequestPath(const QString& email, const QString& text);

// At most kFeedbackTextMaxChars characters, never ending inside a surrogate pair.
QString CutFeedbackText(const QString& text);

// The counter under the text field: "(" + characters + the text of "chars_from".
QString FeedbackCounterText(qsizetype characters);

// The send button: warns when the text is cut, sends nothing when both fields are empty,
// otherwise sends and tells the user the outcome through the prompts.
FeedbackOutcome SendFeedback(UserPrompts& prompts, const ServerEndpoint& server, const QString& email,
                             const QString& text);

// The feedback window opens by itself once, when a graph is created on the third run: true
// when countRun (the runs ended before this one) is 2, or 3 when no earlier version asked yet;
// it then becomes 4 (the caller shows the window and saves the settings).
bool TakeFeedbackInvitation(int& countRun);
