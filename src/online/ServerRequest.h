#pragma once

#include <QByteArray>

struct TServerEndpoint;

// The whole request: "GET <path> HTTP/1.1", "Host: <host>", an empty line, each ended by
// carriage return and line feed. The path must already be encoded.
QByteArray BuildGetRequest(const TServerEndpoint& server, const QByteArray& path);

// Longest first reply line kept; a server that sends more without a line end is cut off.
inline constexpr int kMaxReplyLineBytes = 1024;

// Connects, sends the request, reads the first reply line (without its line end) and closes.
// Empty when nothing came back: no connection, a refusal, a server that closed without a
// line, or a time-out of the connection or of the reply. Connection and reply each have
// the endpoint's time-out; while waiting, pending events are processed except user input,
// so the window repaints but no second command can start. A line longer than
// kMaxReplyLineBytes is cut to that length.
QByteArray RequestFirstReplyLine(const TServerEndpoint& server, const QByteArray& request);
