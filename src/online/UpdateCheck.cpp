#include "online/UpdateCheck.h"

#include "base/TranslationManager.h"
#include "document/UserPrompts.h"
#include "online/ServerEndpoint.h"
#include "online/ServerRequest.h"

namespace {
// Message lines are joined by a single carriage return.
const QString kBreak = QStringLiteral("\r");
} // namespace

QByteArray UpdateRequestPath()
{
    return "/LastVersion.php?currentVersion=" + QByteArray::number(kProgramVersionNumber);
}

UpdateCheckOutcome DecideUpdateReply(const ServerReply& reply)
{
    if (reply.statusLine.isEmpty())
        return UpdateCheckOutcome::NothingReceived;
    bool number = false;
    const int newest = reply.answer.toInt(&number);
    if (reply.status != 200 || !number || newest <= 0)
        return UpdateCheckOutcome::ServerUnavailable;
    return newest > kProgramVersionNumber ? UpdateCheckOutcome::NewVersionOffered
                                          : UpdateCheckOutcome::LatestVersion;
}

UpdateCheckResult CheckForUpdate(UserPrompts& prompts, const ServerEndpoint& server)
{
    UpdateCheckResult result;
    const ServerReply reply = RequestReply(server, BuildGetRequest(server, UpdateRequestPath()));
    result.Outcome = DecideUpdateReply(reply);
    switch (result.Outcome) {
    case UpdateCheckOutcome::NothingReceived:
        prompts.ShowMessage(UserPrompts::MessageKind::Error, Translate("Error_connect") + kBreak +
                                                                 Translate("Internet_connect") + kBreak +
                                                                 Translate("Repeat"));
        break;
    case UpdateCheckOutcome::NewVersionOffered:
        result.OpenWebSite = prompts.AskInformationYesNo(Translate("Have_new_version") + kBreak +
                                                         Translate("Download_from_site"));
        break;
    case UpdateCheckOutcome::ServerUnavailable:
        prompts.ShowMessage(UserPrompts::MessageKind::Error,
                            Translate("Update_not_checked") + kBreak +
                                Translate("Server_reply").arg(DescribeReply(reply)) + kBreak +
                                Translate("Repeat"));
        break;
    case UpdateCheckOutcome::LatestVersion:
        prompts.ShowMessage(UserPrompts::MessageKind::Information, Translate("You_have_last_version"));
        break;
    }
    return result;
}
