#include "online/ServerRequest.h"

#include "online/ServerEndpoint.h"

#include <QDeadlineTimer>
#include <QEventLoop>
#include <QNetworkProxy>
#include <QTcpSocket>
#include <QTimer>

#include <algorithm>
#include <chrono>

QByteArray BuildGetRequest(const TServerEndpoint& server, const QByteArray& path)
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

QByteArray RequestFirstReplyLine(const TServerEndpoint& server, const QByteArray& request)
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
    bool lineEnded = false;
    const auto readAvailable = [&] {
        received += socket.read(kMaxReplyLineBytes + 2 - received.size());
        const qsizetype end = received.indexOf("\r\n");
        if (end >= 0) {
            received.truncate(end);
            lineEnded = true;
        }
        return lineEnded || received.size() >= kMaxReplyLineBytes;
    };
    const bool answered = WaitFor(socket, QDeadlineTimer(std::max(0, server.ReplyTimeoutMs)), readAvailable);
    // A server that closed after a line without its line end still said something.
    if (!answered && socket.state() == QAbstractSocket::UnconnectedState)
        readAvailable();
    const bool timedOut = !answered && socket.state() != QAbstractSocket::UnconnectedState;
    socket.abort();
    if (timedOut)
        return {};
    return received.left(kMaxReplyLineBytes);
}
