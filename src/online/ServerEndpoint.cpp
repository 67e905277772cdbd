#include "online/ServerEndpoint.h"

#include "base/IniFile.h"

#include <algorithm>

QString ServerEndpoint::HostHeader() const
{
    if (Port == DefaultPort)
        return HostName;
    return HostName + QLatin1Char(':') + QString::number(Port);
}

ServerEndpoint ReadServerEndpoint(const IniFile& settings)
{
    ServerEndpoint endpoint;
    const QString section = QString::fromLatin1(kServerSettingsSection);
    const QString host =
        settings.ReadString(section, QString::fromLatin1(kServerHostKey), QString()).trimmed();
    // A blank or a control character in the name would break the header it goes into.
    const bool plain = std::none_of(host.cbegin(), host.cend(), [](QChar c) { return c.unicode() <= u' '; });
    if (!host.isEmpty() && plain)
        endpoint.HostName = host;
    const int port =
        settings.ReadInteger(section, QString::fromLatin1(kServerPortKey), ServerEndpoint::DefaultPort);
    if (port >= 1 && port <= 65535)
        endpoint.Port = port;
    return endpoint;
}

ServerEndpoint ReadServerEndpoint(const QString& settingsFile)
{
    return ReadServerEndpoint(IniFile(settingsFile));
}

QString WebSiteAddress()
{
    return QStringLiteral("https://nodeloom.org/");
}

QString OnlineHelpAddress()
{
    return QStringLiteral("https://nodeloom.org/help/");
}

QString ContactMailAddress()
{
    return QStringLiteral("team@nodeloom.org");
}
