#include "online/Feedback.h"

#include "base/TranslationManager.h"
#include "document/UserPrompts.h"
#include "online/QueryEncoding.h"
#include "online/ServerEndpoint.h"
#include "online/ServerRequest.h"

namespace {
const QString kBreak = QStringLiteral("\r");
constexpr int kInvitationRun = 3;
} // namespace

bool FeedbackWindowCloses(FeedbackOutcome outcome)
{
    return outcome != FeedbackOutcome::NotSent;
}

QByteArray FeedbackRequestPath(const QString& email, const QString& text)
{
    return "/aboutProgram.php?email=" + EncodeQueryValue(email) + "&about=" + EncodeQueryValue(text) +
           "&program=Nodeloom";
}

QString CutFeedbackText(const QString& text)
{
    if (text.size() <= kFeedbackTextMaxChars)
        return text;
    qsizetype length = kFeedbackTextMaxChars;
    if (text.at(length - 1).isHighSurrogate())
        --length;
    return text.left(length);
}

QString FeedbackCounterText(qsizetype characters)
{
    return QLatin1Char('(') + QString::number(characters) + Translate("chars_from");
}

FeedbackOutcome SendFeedback(UserPrompts& prompts, const ServerEndpoint& server, const QString& email,
                             const QString& text)
{
    // Checked before connecting, so that an empty form makes no network traffic at all.
    if (text.size() > kFeedbackTextMaxChars)
        prompts.ShowMessage(UserPrompts::MessageKind::Warning, Translate("Smg_have_more_5000_chars"));
    if (email.isEmpty() && text.isEmpty())
        return FeedbackOutcome::NothingToSend;

    const ServerReply reply =
        RequestReply(server, BuildGetRequest(server, FeedbackRequestPath(email, CutFeedbackText(text))));
    if (reply.statusLine.isEmpty()) {
        prompts.ShowMessage(UserPrompts::MessageKind::Error, Translate("Message_not_sent") + kBreak +
                                                                 Translate("Internet_connect") + kBreak +
                                                                 Translate("Repeat"));
        return FeedbackOutcome::NotSent;
    }
    // Only the script says it stored the message; any other page, whatever its status, did not.
    if (reply.status != 200 || reply.answer != "sent") {
        prompts.ShowMessage(UserPrompts::MessageKind::Error,
                            Translate("Message_not_sent") + kBreak +
                                Translate("Server_reply").arg(DescribeReply(reply)) + kBreak +
                                Translate("Repeat"));
        return FeedbackOutcome::ServerRefused;
    }
    prompts.ShowMessage(UserPrompts::MessageKind::Information,
                        Translate("Message_sended") + kBreak + Translate("Senks_help"));
    return FeedbackOutcome::Sent;
}

bool TakeFeedbackInvitation(int& countRun)
{
    // The counter counts the runs that ended, so the third start finds 2; 3 is a settings file
    // of a version that asked one run later and has not asked yet.
    if (countRun != kInvitationRun - 1 && countRun != kInvitationRun)
        return false;
    countRun = kInvitationRun + 1;
    return true;
}
