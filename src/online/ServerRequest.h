#pragma once

#include <QByteArray>
#include <QString>

struct ServerEndpoint;

// The whole request: "GET <path> HTTP/1.1", "Host: <host>", an empty line, each ended by
// carriage return and line feed. The path must already be encoded.
QByteArray BuildGetRequest(const ServerEndpoint& server, const QByteArray& path);

// Most bytes of a reply kept: the status line, the headers and the start of the body. A
// server that sends more, or a line without end, is cut off there.
inline constexpr int kMaxReplyBytes = 4096;

// A reply as far as the program reads it: the server's status and its script's first line.
struct ServerReply {
    QByteArray statusLine; // the first line without its line end; empty when nothing came back
    int status = 0;        // the code of a status line "HTTP/1.0 NNN …" or "HTTP/1.1 NNN …", else 0
    QByteArray answer;     // the first line of the body (chunks joined), without blanks around it
    bool complete = false; // the answer's line, or everything there is of the body, has come
};

// The reply in the bytes received so far. Only a well-formed status line gives a status;
// the body follows the headers' Content-Length or chunked transfer coding.
ServerReply ParseReply(const QByteArray& bytes);

// How a message names a reply that was not the script's answer: the status line (and the
// answer after a 200), printable ASCII only and cut short.
QString DescribeReply(const ServerReply& reply);

// Connects, sends the request and reads the reply until the script's first line has come,
// the server closes or kMaxReplyBytes are in; then closes. An empty status line when
// nothing came back: no connection, a refusal, a server that closed without a word, or a
// time-out before a whole status line. Connection and reply each have the endpoint's
// time-out; while waiting, pending events are processed except user input, so the window
// repaints but no second command can start.
ServerReply RequestReply(const ServerEndpoint& server, const QByteArray& request);
