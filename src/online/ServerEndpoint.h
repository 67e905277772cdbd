#pragma once

#include <QString>

class IniFile;

// The maker's web server that the update check and the feedback talk to. A school, or a
// test, points the program elsewhere with two keys of its own in "setting.ini", section
// "MainSetting": "UpdateServer" (a host name or address) and "UpdatePort" (1 to 65535).
// The settings writer keeps keys it does not know, so a hand-made entry stays.
struct ServerEndpoint {
    static constexpr const char* DefaultHostName = "nodeloom.org";
    static constexpr int DefaultPort = 80;
    // Neither the connection nor the reply line may keep the window waiting for long.
    static constexpr int DefaultConnectTimeoutMs = 5000;
    static constexpr int DefaultReplyTimeoutMs = 5000;

    QString HostName = QString::fromLatin1(DefaultHostName);
    int Port = DefaultPort;
    int ConnectTimeoutMs = DefaultConnectTimeoutMs;
    int ReplyTimeoutMs = DefaultReplyTimeoutMs;

    // The "Host" header: the name alone on the standard port, with ":port" otherwise.
    QString HostHeader() const;
};

inline constexpr const char* kServerSettingsSection = "MainSetting";
inline constexpr const char* kServerHostKey = "UpdateServer";
inline constexpr const char* kServerPortKey = "UpdatePort";

// The endpoint of the settings file; a missing or blank host name, or a port that is not a
// number from 1 to 65535, gives the default.
ServerEndpoint ReadServerEndpoint(const IniFile& settings);
ServerEndpoint ReadServerEndpoint(const QString& settingsFile);

// The maker's web site and online help page, opened with the system's default program.
QString WebSiteAddress();
QString OnlineHelpAddress();
// The address the about box's "write to the author" link writes to.
QString ContactMailAddress();
