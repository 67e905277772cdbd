#pragma once

#include "online/ServerEndpoint.h"

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
#include <memory>

// A server on 127.0.0.1 for one test: records each request up to its empty line, then
// answers as scripted. It runs in the test's thread; the client's waits drive it.
class LoopbackServer {
  public:
    enum class Behaviour {
        Reply,       // send the reply bytes and close
        CloseAtOnce, // close without a word
        Silent,      // keep the connection open and never answer
        Endless,     // send a long line without a line end and keep the connection open
        Trickle,     // send the reply in two parts some milliseconds apart, then close
    };

    explicit LoopbackServer(Behaviour behaviour, QByteArray reply = {})
        : behaviour(behaviour), reply(std::move(reply))
    {
        listening = server.listen(QHostAddress::LocalHost, 0);
        QObject::connect(&server, &QTcpServer::newConnection, [this] { Accept(); });
    }

    // Short waits, so that the time-out cases take a fraction of a second.
    ServerEndpoint Endpoint() const
    {
        ServerEndpoint endpoint;
        endpoint.HostName = QStringLiteral("127.0.0.1");
        endpoint.Port = server.serverPort();
        endpoint.ConnectTimeoutMs = 2000;
        endpoint.ReplyTimeoutMs = behaviour == Behaviour::Silent ? 150 : 2000;
        return endpoint;
    }

    bool listening = false;
    int connections = 0;
    QList<QByteArray> requests;
    QTcpServer server;

  private:
    void Accept()
    {
        while (QTcpSocket* socket = server.nextPendingConnection()) {
            ++connections;
            socket->setParent(&server);
            auto received = std::make_shared<QByteArray>();
            QObject::connect(socket, &QTcpSocket::readyRead, socket, [this, socket, received] {
                *received += socket->readAll();
                if (!received->contains("\r\n\r\n"))
                    return;
                requests.append(*received);
                received->clear();
                Answer(socket);
            });
        }
    }

    void Answer(QTcpSocket* socket)
    {
        switch (behaviour) {
        case Behaviour::Reply:
            socket->write(reply);
            socket->disconnectFromHost();
            break;
        case Behaviour::CloseAtOnce:
            socket->disconnectFromHost();
            break;
        case Behaviour::Silent:
            break;
        case Behaviour::Endless:
            socket->write(QByteArray(64 * 1024, 'x'));
            break;
        case Behaviour::Trickle:
            socket->write(reply.left(10));
            QTimer::singleShot(30, socket, [this, socket] {
                socket->write(reply.mid(10));
                socket->disconnectFromHost();
            });
            break;
        }
    }

    Behaviour behaviour;
    QByteArray reply;
};

// A port on 127.0.0.1 that nobody listens on.
inline ServerEndpoint RefusingEndpoint()
{
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    ServerEndpoint endpoint;
    endpoint.HostName = QStringLiteral("127.0.0.1");
    endpoint.Port = probe.serverPort();
    endpoint.ConnectTimeoutMs = 2000;
    endpoint.ReplyTimeoutMs = 2000;
    probe.close();
    return endpoint;
}
