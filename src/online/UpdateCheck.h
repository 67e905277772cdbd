#pragma once

#include <QByteArray>

class CHost;
struct TServerEndpoint;

// The version number the server compares with its newest one.
inline constexpr int kProgramVersionNumber = 1033;

enum class UpdateCheckOutcome {
    NothingReceived,   // no reply line: no connection, a refusal, a time-out
    NewVersionOffered, // the line holds "200"
    ServerUnavailable, // neither "200" nor "404"
    LatestVersion,     // "404": the server knows nothing newer
};

struct TUpdateCheckResult {
    UpdateCheckOutcome Outcome = UpdateCheckOutcome::NothingReceived;
    // The user answered Yes to visiting the web site; the window opens WebSiteAddress().
    bool OpenWebSite = false;
};

// "/LastVersion.php?currentVersion=1033".
QByteArray UpdateRequestPath();

// The decision on the first reply line; "200" and "404" count anywhere in the line.
UpdateCheckOutcome DecideUpdateReply(const QByteArray& replyLine);

// The help menu's update check: asks the server, tells the user through the host and, for a
// newer version, asks whether to visit the web site.
TUpdateCheckResult CheckForUpdate(CHost& host, const TServerEndpoint& server);
