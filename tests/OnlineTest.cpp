#include "LoopbackServer.h"
#include "ScriptedHost.h"
#include "base/IniFile.h"
#include "base/ProgramPaths.h"
#include "base/TranslationManager.h"
#include "base/Windows1251.h"
#include "online/Feedback.h"
#include "online/QueryEncoding.h"
#include "online/ServerEndpoint.h"
#include "online/ServerRequest.h"
#include "online/UpdateCheck.h"

#include <QEventLoop>
#include <QFile>
#include <QRegularExpression>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include <cctype>
#include <memory>

namespace {

QString NothingReceivedText()
{
    return Translate("Error_connect") + "\r" + Translate("Internet_connect") + "\r" + Translate("Repeat");
}

QByteArray ExpectedRequest(const ServerEndpoint& endpoint, const QByteArray& path)
{
    return "GET " + path + " HTTP/1.1\r\nHost: 127.0.0.1:" + QByteArray::number(endpoint.Port) + "\r\n\r\n";
}

} // namespace

TEST(OnlineRequest, RequestLinesOnTheStandardPortNameTheHostAlone)
{
    const ServerEndpoint endpoint;
    EXPECT_EQ(BuildGetRequest(endpoint, UpdateRequestPath()),
              QByteArray("GET /LastVersion.php?currentVersion=1033 HTTP/1.1\r\nHost: nodeloom.org\r\n\r\n"));
    ServerEndpoint school;
    school.HostName = QStringLiteral("updates.school.example");
    school.Port = 8080;
    EXPECT_EQ(BuildGetRequest(school, "/x"),
              QByteArray("GET /x HTTP/1.1\r\nHost: updates.school.example:8080\r\n\r\n"));
}

TEST(OnlineRequest, TheReplyIsReadToTheScriptsFirstLineAcrossPartsAndBounded)
{
    LoopbackServer headers(LoopbackServer::Behaviour::Reply, "HTTP/1.1 404 Not Found\r\nX-Note: 200\r\n\r\n");
    ASSERT_TRUE(headers.listening);
    ServerReply reply = RequestReply(headers.Endpoint(), "GET / HTTP/1.1\r\n\r\n");
    EXPECT_EQ(reply.statusLine, QByteArray("HTTP/1.1 404 Not Found"));
    EXPECT_EQ(reply.status, 404);

    LoopbackServer trickle(LoopbackServer::Behaviour::Trickle,
                           "HTTP/1.1 200 OK\r\nContent-Length: 6\r\n\r\n 1034\n");
    ASSERT_TRUE(trickle.listening);
    reply = RequestReply(trickle.Endpoint(), "GET / HTTP/1.1\r\n\r\n");
    EXPECT_EQ(reply.status, 200);
    EXPECT_EQ(reply.answer, QByteArray("1034"));

    // A line end that never comes: the first kMaxReplyBytes bytes are all there is.
    LoopbackServer endless(LoopbackServer::Behaviour::Endless);
    ASSERT_TRUE(endless.listening);
    reply = RequestReply(endless.Endpoint(), "GET / HTTP/1.1\r\n\r\n");
    EXPECT_EQ(reply.statusLine, QByteArray(kMaxReplyBytes, 'x'));
    EXPECT_EQ(reply.status, 0);

    // A last line without its line end before the server closes still counts.
    LoopbackServer unterminated(LoopbackServer::Behaviour::Reply, "HTTP/1.1 404");
    ASSERT_TRUE(unterminated.listening);
    reply = RequestReply(unterminated.Endpoint(), "GET / HTTP/1.1\r\n\r\n");
    EXPECT_EQ(reply.statusLine, QByteArray("HTTP/1.1 404"));
    EXPECT_EQ(reply.status, 404);
}

// Only "HTTP/1.x NNN" at the very start is a status; the answer is the body's first line
// whatever the body's coding, and never reaches past a Content-Length.
TEST(OnlineRequest, StatusLinesAndAnswersAreParsedStrictly)
{
    const std::pair<QByteArray, int> statuses[] = {
        {"HTTP/1.1 200 OK", 200},
        {"HTTP/1.0 200", 200},
        {"HTTP/1.1 503 Service Unavailable, retry in 1200 s", 503},
        {"HTTP/1.1 500 Internal Server Error 200", 500},
        {"garbage 12004", 0},
        {" HTTP/1.1 200 OK", 0},
        {"HTTP/1.1 2000", 0},
        {"HTTP/2 200", 0},
        {"HTTP/1.2 200 OK", 0},
    };
    for (const auto& [line, status] : statuses)
        EXPECT_EQ(ParseReply(line + "\r\n\r\n").status, status) << line.toStdString();

    const std::pair<QByteArray, QByteArray> answers[] = {
        {"Content-Length: 2\r\n\r\n1034", "10"},
        {"Transfer-Encoding: chunked\r\n\r\n2\r\n10\r\n3;x=y\r\n34\n\r\n0\r\n\r\n", "1034"},
        {"content-length:  7\r\nX-A: b\r\n\r\n  sent \r\nmore", "sent"},
        {"\r\n<html>\r\n<body>sent</body>", "<html>"},
        {"Transfer-Encoding: chunked\r\n\r\n7fffffffffffffff\r\nsent\n", "sent"},
    };
    for (const auto& [rest, answer] : answers) {
        const ServerReply reply = ParseReply("HTTP/1.1 200 OK\r\n" + rest);
        EXPECT_EQ(reply.answer, answer) << rest.toStdString();
        EXPECT_TRUE(reply.complete) << rest.toStdString();
    }
    // A reply of 200 waits for its answer's line; any other status needs no body.
    EXPECT_FALSE(ParseReply("HTTP/1.1 200 OK\r\n\r\n1034").complete);
    EXPECT_FALSE(ParseReply("HTTP/1.1 200 OK\r\nContent-Length: 9\r\n\r\n1034").complete);
    EXPECT_FALSE(ParseReply("HTTP/1.1 404 Not Found\r\nServer: x").complete);
    EXPECT_TRUE(ParseReply("HTTP/1.1 404 Not Found\r\n\r\n").complete);
}

TEST(OnlineRequest, SilentServerTimesOutWhileEventsGoOn)
{
    LoopbackServer silent(LoopbackServer::Behaviour::Silent);
    ASSERT_TRUE(silent.listening);
    bool timerFired = false;
    QTimer::singleShot(10, [&] { timerFired = true; });
    EXPECT_TRUE(RequestReply(silent.Endpoint(), "GET / HTTP/1.1\r\n\r\n").statusLine.isEmpty());
    EXPECT_EQ(silent.requests.size(), 1);
    // The window's own events (here a timer) ran during the wait.
    EXPECT_TRUE(timerFired);
}

// The script's answer is the newest version's number after a status of 200; a page of anyone
// on the way, an error status or a status merely mentioned is "could not check", with what
// the server said in the message.
TEST(UpdateCheck, OnlyTheScriptsAnswerDecides)
{
    struct Case {
        QByteArray reply;
        UpdateCheckOutcome outcome;
        QString shown; // what the message quotes of the reply
    };
    const Case cases[] = {
        {"HTTP/1.1 200 OK\r\nContent-Length: 5\r\n\r\n1034\n", UpdateCheckOutcome::NewVersionOffered, ""},
        {"HTTP/1.1 200 OK\r\n\r\n1033", UpdateCheckOutcome::LatestVersion, ""},
        {"HTTP/1.0 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n3\r\n900\r\n0\r\n\r\n",
         UpdateCheckOutcome::LatestVersion, ""},
        {"HTTP/1.1 404 Not Found\r\n\r\n", UpdateCheckOutcome::ServerUnavailable, "HTTP/1.1 404 Not Found"},
        {"HTTP/1.1 503 Service Unavailable, retry in 1200 s\r\n\r\n", UpdateCheckOutcome::ServerUnavailable,
         "HTTP/1.1 503 Service Unavailable, retry in 1200 s"},
        {"HTTP/1.1 200 OK\r\n\r\n<html>Sign in to the network</html>\n",
         UpdateCheckOutcome::ServerUnavailable, "HTTP/1.1 200 OK «<html>Sign in to the network</html>»"},
        {"garbage 12004\r\n", UpdateCheckOutcome::ServerUnavailable, "garbage 12004"},
        {"\x1b[2J\r\n", UpdateCheckOutcome::ServerUnavailable, "?[2J"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.reply.toStdString());
        LoopbackServer server(LoopbackServer::Behaviour::Reply, c.reply);
        ASSERT_TRUE(server.listening);
        ScriptedHost host;
        host.yesNoAnswers = {true};
        const UpdateCheckResult result = CheckForUpdate(host, server.Endpoint());
        EXPECT_EQ(result.Outcome, c.outcome);
        ASSERT_EQ(server.requests.size(), 1);
        EXPECT_EQ(server.requests[0],
                  ExpectedRequest(server.Endpoint(), "/LastVersion.php?currentVersion=1033"));
        switch (c.outcome) {
        case UpdateCheckOutcome::NewVersionOffered:
            EXPECT_TRUE(host.messages.empty());
            EXPECT_EQ(host.questions,
                      QStringList{Translate("Have_new_version") + "\r" + Translate("Download_from_site")});
            EXPECT_TRUE(result.OpenWebSite);
            break;
        case UpdateCheckOutcome::LatestVersion:
            ASSERT_EQ(host.messages.size(), 1u);
            EXPECT_EQ(host.messages[0].kind, ProgramHost::MessageKind::Information);
            EXPECT_EQ(host.messages[0].text, Translate("You_have_last_version"));
            break;
        default:
            ASSERT_EQ(host.messages.size(), 1u);
            EXPECT_EQ(host.messages[0].kind, ProgramHost::MessageKind::Error);
            EXPECT_EQ(host.messages[0].text, Translate("Update_not_checked") + "\r" +
                                                 Translate("Server_reply").arg(c.shown) + "\r" +
                                                 Translate("Repeat"));
            break;
        }
        if (c.outcome != UpdateCheckOutcome::NewVersionOffered) {
            EXPECT_TRUE(host.questions.isEmpty());
            EXPECT_FALSE(result.OpenWebSite);
        }
    }
}

TEST(UpdateCheck, NewVersionDeclinedOpensNothing)
{
    LoopbackServer server(LoopbackServer::Behaviour::Reply, "HTTP/1.1 200 OK\r\n\r\n1034\n");
    ASSERT_TRUE(server.listening);
    ScriptedHost host;
    host.yesNoAnswers = {false};
    EXPECT_FALSE(CheckForUpdate(host, server.Endpoint()).OpenWebSite);
    EXPECT_EQ(host.questions.size(), 1);
}

TEST(UpdateCheck, NoReplyLineIsNothingReceived)
{
    LoopbackServer closing(LoopbackServer::Behaviour::CloseAtOnce);
    LoopbackServer silent(LoopbackServer::Behaviour::Silent);
    ASSERT_TRUE(closing.listening && silent.listening);
    const ServerEndpoint endpoints[] = {closing.Endpoint(), silent.Endpoint(), RefusingEndpoint()};
    for (const ServerEndpoint& endpoint : endpoints) {
        SCOPED_TRACE(endpoint.Port);
        ScriptedHost host;
        EXPECT_EQ(CheckForUpdate(host, endpoint).Outcome, UpdateCheckOutcome::NothingReceived);
        ASSERT_EQ(host.messages.size(), 1u);
        EXPECT_EQ(host.messages[0].kind, ProgramHost::MessageKind::Error);
        EXPECT_EQ(host.messages[0].text, NothingReceivedText());
    }
    EXPECT_EQ(closing.requests.size(), 1);
    EXPECT_EQ(silent.requests.size(), 1);
}

TEST(UpdateCheck, EndlessReplyIsReadBoundedAndShownCut)
{
    LoopbackServer endless(LoopbackServer::Behaviour::Endless);
    ASSERT_TRUE(endless.listening);
    ScriptedHost host;
    EXPECT_EQ(CheckForUpdate(host, endless.Endpoint()).Outcome, UpdateCheckOutcome::ServerUnavailable);
    EXPECT_EQ(host.MessageTexts(), QStringList{Translate("Update_not_checked") + "\r" +
                                               Translate("Server_reply").arg(QString(80, 'x') + "…") + "\r" +
                                               Translate("Repeat")});
}

TEST(QueryEncoding, KeepsTheSafeCharactersAndEscapesEveryOtherByte)
{
    EXPECT_EQ(EncodeQueryValue(QStringLiteral("a b+c")), QByteArray("a%20b%2Bc"));
    EXPECT_EQ(EncodeQueryValue(QStringLiteral("Az09-._~*&=%")), QByteArray("Az09-._%7E%2A%26%3D%25"));
    EXPECT_EQ(EncodeQueryValue(QStringLiteral("Привет, Ёё!")),
              QByteArray("%CF%F0%E8%E2%E5%F2%2C%20%A8%B8%21"));
    EXPECT_EQ(EncodeQueryValue(QStringLiteral("№ €\n")), QByteArray("%B9%20%88%0A"));
    // Outside the code page: one "?" per character, a pair of surrogates included.
    EXPECT_EQ(EncodeQueryValue(QStringLiteral("漢😀")), QByteArray("%3F%3F"));
}

TEST(QueryEncoding, EveryByteOfTheCodePageComesBackFromItsCharacter)
{
    // Through the settings reader, as older files are read: a single byte above 0x7F is never
    // valid UTF-8, so it reads as Windows-1251; encoding gives the byte back.
    for (int b = 0; b < 256; ++b) {
        if (b == 0x98) {
            // Unassigned: it reads as the replacement character, which the server gets as "?".
            EXPECT_EQ(ToWindows1251(IniFile::DecodeText(QByteArray(1, char(b)))), QByteArray("?"));
            continue;
        }
        const QByteArray byte(1, static_cast<char>(b));
        const QString character = IniFile::DecodeText(byte);
        ASSERT_EQ(character.size(), 1) << b;
        EXPECT_EQ(ToWindows1251(character), byte) << b;
        const bool kept = std::isalnum(b) && b < 0x80;
        const QByteArray expected = kept || b == '-' || b == '.' || b == '_'
                                        ? byte
                                        : "%" + QByteArray::number(b, 16).rightJustified(2, '0').toUpper();
        EXPECT_EQ(EncodeQueryValue(character), expected) << b;
    }
}

TEST(Feedback, SendsTheEncodedFieldsAndReportsTheReply)
{
    struct Case {
        QByteArray reply;
        FeedbackOutcome outcome;
        ProgramHost::MessageKind kind;
        QString text;
    };
    const Case cases[] = {
        {"HTTP/1.1 200 OK\r\nContent-Length: 5\r\n\r\nsent\n", FeedbackOutcome::Sent,
         ProgramHost::MessageKind::Information, Translate("Message_sended") + "\r" + Translate("Senks_help")},
        {"HTTP/1.1 500 Internal Server Error 200\r\n\r\nsent\n", FeedbackOutcome::ServerRefused,
         ProgramHost::MessageKind::Error,
         Translate("Message_not_sent") + "\r" +
             Translate("Server_reply").arg("HTTP/1.1 500 Internal Server Error 200") + "\r" +
             Translate("Repeat")},
        {"HTTP/1.1 404 Not Found\r\n\r\n", FeedbackOutcome::ServerRefused, ProgramHost::MessageKind::Error,
         Translate("Message_not_sent") + "\r" + Translate("Server_reply").arg("HTTP/1.1 404 Not Found") +
             "\r" + Translate("Repeat")},
        {"HTTP/1.1 200 OK\r\n\r\n<html>200</html>", FeedbackOutcome::ServerRefused,
         ProgramHost::MessageKind::Error,
         Translate("Message_not_sent") + "\r" +
             Translate("Server_reply").arg("HTTP/1.1 200 OK «<html>200</html>»") + "\r" +
             Translate("Repeat")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.reply.toStdString());
        LoopbackServer server(LoopbackServer::Behaviour::Reply, c.reply);
        ASSERT_TRUE(server.listening);
        ScriptedHost host;
        const FeedbackOutcome outcome =
            SendFeedback(host, server.Endpoint(), QStringLiteral("a b+c"), QStringLiteral("Граф: ok"));
        EXPECT_EQ(outcome, c.outcome);
        EXPECT_TRUE(FeedbackWindowCloses(outcome));
        ASSERT_EQ(server.requests.size(), 1);
        EXPECT_EQ(
            server.requests[0],
            ExpectedRequest(server.Endpoint(),
                            "/aboutProgram.php?email=a%20b%2Bc&about=%C3%F0%E0%F4%3A%20ok&program=Nodeloom"));
        ASSERT_EQ(host.messages.size(), 1u);
        EXPECT_EQ(host.messages[0].kind, c.kind);
        EXPECT_EQ(host.messages[0].text, c.text);
    }
}

TEST(Feedback, NoReplyKeepsTheWindowOpen)
{
    LoopbackServer closing(LoopbackServer::Behaviour::CloseAtOnce);
    ASSERT_TRUE(closing.listening);
    const ServerEndpoint endpoints[] = {closing.Endpoint(), RefusingEndpoint()};
    for (const ServerEndpoint& endpoint : endpoints) {
        ScriptedHost host;
        const FeedbackOutcome outcome = SendFeedback(host, endpoint, QString(), QStringLiteral("text"));
        EXPECT_EQ(outcome, FeedbackOutcome::NotSent);
        EXPECT_FALSE(FeedbackWindowCloses(outcome));
        EXPECT_EQ(host.MessageTexts(),
                  QStringList{Translate("Message_not_sent") + "\r" + Translate("Internet_connect") + "\r" +
                              Translate("Repeat")});
    }
}

TEST(Feedback, LongTextIsCutWithAWarningAndEmptyFormsSendNothing)
{
    LoopbackServer server(LoopbackServer::Behaviour::Reply, "HTTP/1.1 200 OK\r\n\r\nsent\n");
    ASSERT_TRUE(server.listening);
    ScriptedHost host;
    const QString text = QString(kFeedbackTextMaxChars, QLatin1Char('a')) + QLatin1Char('b');
    EXPECT_EQ(SendFeedback(host, server.Endpoint(), QString(), text), FeedbackOutcome::Sent);
    ASSERT_EQ(host.messages.size(), 2u);
    EXPECT_EQ(host.messages[0].kind, ProgramHost::MessageKind::Warning);
    EXPECT_EQ(host.messages[0].text, Translate("Smg_have_more_5000_chars"));
    ASSERT_EQ(server.requests.size(), 1);
    EXPECT_EQ(server.requests[0],
              ExpectedRequest(server.Endpoint(),
                              "/aboutProgram.php?email=&about=" + QByteArray(kFeedbackTextMaxChars, 'a') +
                                  "&program=Nodeloom"));

    // Exactly at the limit: no warning, nothing cut. A pair of surrogates is never split.
    EXPECT_EQ(CutFeedbackText(QString(kFeedbackTextMaxChars, QLatin1Char('a'))).size(),
              kFeedbackTextMaxChars);
    const QString split = QString(kFeedbackTextMaxChars - 1, QLatin1Char('a')) + QStringLiteral("😀");
    EXPECT_EQ(CutFeedbackText(split), QString(kFeedbackTextMaxChars - 1, QLatin1Char('a')));

    ScriptedHost quiet;
    EXPECT_EQ(SendFeedback(quiet, server.Endpoint(), QString(), QString()), FeedbackOutcome::NothingToSend);
    EXPECT_TRUE(FeedbackWindowCloses(FeedbackOutcome::NothingToSend));
    EXPECT_TRUE(quiet.messages.empty());
    // No connection was even attempted.
    EXPECT_FALSE(server.server.waitForNewConnection(50));
    EXPECT_EQ(server.connections, 1);

    // An e-mail address alone is worth sending.
    ScriptedHost emailOnly;
    EXPECT_EQ(SendFeedback(emailOnly, server.Endpoint(), QStringLiteral("x@y.z"), QString()),
              FeedbackOutcome::Sent);
    ASSERT_EQ(server.requests.size(), 2);
    EXPECT_TRUE(
        server.requests[1].startsWith("GET /aboutProgram.php?email=x%40y.z&about=&program=Nodeloom "));
}

TEST(Feedback, CounterAndTheThirdRunInvitation)
{
    EXPECT_EQ(FeedbackCounterText(0), QStringLiteral("(0") + Translate("chars_from"));
    EXPECT_EQ(FeedbackCounterText(4321), QStringLiteral("(4321") + Translate("chars_from"));
    // The parenthesis closes right after the limit, in either language.
    const QRegularExpression counter(QStringLiteral("^\\(24 \\S.*\\S 5000\\)$"));
    EXPECT_TRUE(counter.match(FeedbackCounterText(24)).hasMatch()) << FeedbackCounterText(24).toStdString();
    ProgramPaths::SetLanguageFolderOverride(QStringLiteral(NODELOOM_SOURCE_DIR "/local"));
    TranslateManager().LoadLanguage(QStringLiteral("grafEnglish.lang"));
    EXPECT_EQ(FeedbackCounterText(24), QStringLiteral("(24 characters of 5000)"));
    TranslateManager().UseBuiltIn();
    ProgramPaths::SetLanguageFolderOverride(QString());

    int countRun = 1;
    EXPECT_FALSE(TakeFeedbackInvitation(countRun));
    EXPECT_EQ(countRun, 1);
    for (int before : {2, 3}) {
        countRun = before;
        EXPECT_TRUE(TakeFeedbackInvitation(countRun)) << before;
        EXPECT_EQ(countRun, 4);
    }
    // Only once: the next graph of the same run, and every later run, are not asked again.
    EXPECT_FALSE(TakeFeedbackInvitation(countRun));
    EXPECT_EQ(countRun, 4);
}

TEST(ServerEndpoint, ReadFromTheSettingsWithSafeDefaults)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString path = folder.filePath(QStringLiteral("setting.ini"));
    const auto endpointOf = [&](const QByteArray& lines) {
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write("[MainSetting]\nSizeGraf=10\n" + lines);
        file.close();
        return ReadServerEndpoint(path);
    };

    const ServerEndpoint missing = ReadServerEndpoint(folder.filePath(QStringLiteral("none.ini")));
    EXPECT_EQ(missing.HostName, QStringLiteral("nodeloom.org"));
    EXPECT_EQ(missing.Port, 80);
    EXPECT_GT(missing.ConnectTimeoutMs, 0);
    EXPECT_GT(missing.ReplyTimeoutMs, 0);

    const ServerEndpoint school = endpointOf("UpdateServer= updates.school.example \nUpdatePort=8080\n");
    EXPECT_EQ(school.HostName, QStringLiteral("updates.school.example"));
    EXPECT_EQ(school.Port, 8080);
    EXPECT_EQ(school.HostHeader(), QStringLiteral("updates.school.example:8080"));

    for (const QByteArray& bad : {QByteArray("UpdateServer=two words\nUpdatePort=0\n"),
                                  QByteArray("UpdateServer=\nUpdatePort=65536\n"),
                                  QByteArray("UpdateServer=   \nUpdatePort=eighty\n")}) {
        SCOPED_TRACE(bad.toStdString());
        const ServerEndpoint endpoint = endpointOf(bad);
        EXPECT_EQ(endpoint.HostName, QStringLiteral("nodeloom.org"));
        EXPECT_EQ(endpoint.Port, 80);
        EXPECT_EQ(endpoint.HostHeader(), QStringLiteral("nodeloom.org"));
    }
}
