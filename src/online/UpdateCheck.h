#pragma once

#include <QByteArray>

class UserPrompts;
struct ServerReply;
struct ServerEndpoint;

// The version number the server compares with its newest one.
inline constexpr int kProgramVersionNumber = 1033;

enum class UpdateCheckOutcome {
    NothingReceived,   // no reply: no connection, a refusal, a time-out
    NewVersionOffered, // status 200, and the script names a version above the program's
    ServerUnavailable, // anything else: could not check
    LatestVersion,     // status 200, and the script names the program's version or one below
};

struct UpdateCheckResult {
    UpdateCheckOutcome Outcome = UpdateCheckOutcome::NothingReceived;
    // The user answered Yes to visiting the web site; the window opens WebSiteAddress().
    bool OpenWebSite = false;
};

// "/LastVersion.php?currentVersion=1033".
QByteArray UpdateRequestPath();

// The decision on the reply. The script answers with the number of the newest version as the
// first line of a reply of status 200; a proxy's or another server's page, an error status or
// any other answer is no answer to the question.
UpdateCheckOutcome DecideUpdateReply(const ServerReply& reply);

// The help menu's update check: asks the server, tells the user in message boxes and, for a
// newer version, asks whether to visit the web site.
UpdateCheckResult CheckForUpdate(UserPrompts& prompts, const ServerEndpoint& server);
