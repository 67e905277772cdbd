#include "online/UpdateCheck.h"

#include "base/TranslateManager.h"
#include "document/Host.h"
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

UpdateCheckOutcome DecideUpdateReply(const QByteArray& replyLine)
{
    if (replyLine.isEmpty())
        return UpdateCheckOutcome::NothingReceived;
    if (replyLine.contains("200"))
        return UpdateCheckOutcome::NewVersionOffered;
    if (!replyLine.contains("404"))
        return UpdateCheckOutcome::ServerUnavailable;
    return UpdateCheckOutcome::LatestVersion;
}

TUpdateCheckResult CheckForUpdate(CHost& host, const TServerEndpoint& server)
{
    TUpdateCheckResult result;
    result.Outcome =
        DecideUpdateReply(RequestFirstReplyLine(server, BuildGetRequest(server, UpdateRequestPath())));
    switch (result.Outcome) {
    case UpdateCheckOutcome::NothingReceived:
        host.ShowMessage(CHost::MessageKind::Error, Translate("Error_connect") + kBreak +
                                                        Translate("Internet_connect") + kBreak +
                                                        Translate("Repeat"));
        break;
    case UpdateCheckOutcome::NewVersionOffered:
        result.OpenWebSite = host.AskInformationYesNo(Translate("Have_new_version") + kBreak +
                                                      Translate("Download_from_site"));
        break;
    case UpdateCheckOutcome::ServerUnavailable:
        host.ShowMessage(CHost::MessageKind::Error,
                         Translate("Error_connect") + kBreak + Translate("Server_anv") + Translate("Repeat"));
        break;
    case UpdateCheckOutcome::LatestVersion:
        host.ShowMessage(CHost::MessageKind::Information, Translate("You_have_last_version"));
        break;
    }
    return result;
}
