#include "online/ServerRequest.h"

#include "online/ServerEndpoint.h"

#include <QDeadlineTimer>
#include <QEventLoop>
#include <QNetworkProxy>
#include <QRegularExpression>
#include <QTcpSocket>
#include <QTimer>

#include <algorithm>
#include <chrono>

QByteArray BuildGetRequest(const ServerEndpoint& server, const QByteArray& path)
{
    return "GET " + path + " HTTP/1.1\r\nHost: " + server.HostHeader().toUtf8() + "\r\n\r\n";
}

namespace {

// Runs a local event loop until done() holds or the deadline passes; true when done.
template <typename Done> bool WaitFor(QTcpSocket& socket, QDeadlineTimer deadline, Done done)
{
    QEventLoop loop;
    QTimer timer;
    timer.setSingleShot(true);
    QObject::connect(&timer, &QTimer::timeout, &loop, &QEventLoop::quit);
    QObject::connect(&socket, &QTcpSocket::connected, &loop, &QEventLoop::quit);
    QObject::connect(&socket, &QTcpSocket::readyRead, &loop, &QEventLoop::quit);
    QObject::connect(&socket, &QTcpSocket::disconnected, &loop, &QEventLoop::quit);
    QObject::connect(&socket, &QTcpSocket::errorOccurred, &loop, &QEventLoop::quit);
    while (!done()) {
        if (deadline.hasExpired() || socket.state() == QAbstractSocket::UnconnectedState)
            return done();
        timer.start(std::chrono::milliseconds(std::max<qint64>(1, deadline.remainingTime())));
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    }
    return true;
}

} // namespace

namespace {

// The body as sent with chunked transfer coding, joined; stops at the last chunk or where
// the bytes end. `last` tells whether the closing empty chunk came.
QByteArray Unchunk(const QByteArray& coded, bool& last)
{
    QByteArray body;
    last = false;
    qsizetype at = 0;
    while (at < coded.size()) {
        const qsizetype lineEnd = coded.indexOf("\r\n", at);
        if (lineEnd < 0)
            break;
        bool ok = false;
        const qint64 size = coded.mid(at, lineEnd - at).split(';').first().trimmed().toLongLong(&ok, 16);
        if (!ok || size < 0)
            break;
        if (size == 0) {
            last = true;
            break;
        }
        const qint64 here = std::min<qint64>(size, coded.size() - (lineEnd + 2));
        body += coded.mid(lineEnd + 2, here);
        if (here < size)
            break;
        at = lineEnd + 2 + size + 2;
    }
    return body;
}

} // namespace

ServerReply ParseReply(const QByteArray& bytes)
{
    ServerReply reply;
    const qsizetype lineEnd = bytes.indexOf("\r\n");
    reply.statusLine = lineEnd < 0 ? bytes : bytes.left(lineEnd);
    static const QRegularExpression statusPattern(QStringLiteral("^HTTP/1\\.[01] ([0-9]{3})( |$)"));
    const QRegularExpressionMatch match = statusPattern.match(QString::fromLatin1(reply.statusLine));
    if (match.hasMatch())
        reply.status = match.captured(1).toInt();
    if (lineEnd < 0)
        return reply;
    const qsizetype headersEnd = bytes.indexOf("\r\n\r\n", lineEnd);
    if (headersEnd < 0)
        return reply;
    qint64 length = -1;
    bool chunked = false;
    for (const QByteArray& header :
         bytes.mid(lineEnd + 2, std::max<qsizetype>(0, headersEnd - lineEnd - 2)).split('\n')) {
        const qsizetype colon = header.indexOf(':');
        const QByteArray name = header.left(colon).trimmed().toLower();
        const QByteArray value = header.mid(colon + 1).trimmed().toLower();
        if (colon > 0 && name == "content-length")
            length = value.toLongLong();
        else if (colon > 0 && name == "transfer-encoding")
            chunked = value.contains("chunked");
    }
    QByteArray body = bytes.mid(headersEnd + 4);
    bool whole = false;
    if (chunked)
        body = Unchunk(body, whole);
    else if (length >= 0 && body.size() >= length) {
        body.truncate(length);
        whole = true;
    }
    const qsizetype answerEnd = body.indexOf('\n');
    reply.answer = (answerEnd < 0 ? body : body.left(answerEnd)).trimmed();
    // Only a script's answer is read past the headers.
    reply.complete = reply.status != 200 || whole || answerEnd >= 0;
    return reply;
}

QString DescribeReply(const ServerReply& reply)
{
    auto printable = [](const QByteArray& bytes, qsizetype most) {
        QString text;
        for (const char c : bytes.left(most))
            text += c >= 0x20 && c < 0x7f ? QLatin1Char(c) : QLatin1Char('?');
        return bytes.size() > most ? text + QStringLiteral("…") : text;
    };
    QString text = printable(reply.statusLine, 80);
    if (reply.status == 200)
        text += QStringLiteral(" «") + printable(reply.answer, 40) + QStringLiteral("»");
    return text;
}

ServerReply RequestReply(const ServerEndpoint& server, const QByteArray& request)
{
    QTcpSocket socket;
    // The request is written by hand for the server itself, so it never goes through a proxy.
    socket.setProxy(QNetworkProxy::NoProxy);
    socket.connectToHost(server.HostName, static_cast<quint16>(server.Port));
    const bool connected = WaitFor(socket, QDeadlineTimer(std::max(0, server.ConnectTimeoutMs)),
                                   [&] { return socket.state() == QAbstractSocket::ConnectedState; });
    if (!connected) {
        socket.abort();
        return {};
    }

    socket.write(request);
    QByteArray received;
    const auto readAvailable = [&] {
        received += socket.read(kMaxReplyBytes - received.size());
        return received.size() >= kMaxReplyBytes || ParseReply(received).complete;
    };
    const bool answered = WaitFor(socket, QDeadlineTimer(std::max(0, server.ReplyTimeoutMs)), readAvailable);
    // A server that closed before the answer's line end still said what it said.
    if (!answered && socket.state() == QAbstractSocket::UnconnectedState)
        readAvailable();
    const bool timedOut = !answered && socket.state() != QAbstractSocket::UnconnectedState;
    socket.abort();
    // Waiting in vain after a whole status line still leaves that line to report.
    if (timedOut && !received.contains("\r\n"))
        return {};
    return ParseReply(received);
}
