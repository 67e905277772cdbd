#pragma once

#include "files/ExchangeFormats.h"

#include <QByteArray>
#include <QtGlobal>

// A pass over an exchange file's bytes before any reader sees them. The libraries build the
// whole graph before anyone can count it, and some of them take quadratic time on a long
// token; a file no graph of the program could have produced is refused here, in linear time
// and without building anything.
namespace ExchangePrescan {

// The most vertices a graph of the program has.
constexpr int MaxVertices = 255;
// Arc records a file may hold: every ordered pair and every loop twice over (parallel arcs
// are merged on import, so a file of the program's own never comes near).
constexpr qint64 MaxArcRecords = 2 * (255 * 255 + 255);
// The longest word, name or quoted string: a vertex name at its longest in any encoding and
// escaping fits many times over; the libraries' cost grows with the square of it.
constexpr int MaxTokenBytes = 4096;
// The longest text between two markup tags of a GraphML file (a description, say).
constexpr int MaxXmlTextBytes = 64 * 1024;
// GraphML key declarations: the library's cost grows with the square of their number.
constexpr int MaxGraphMLKeys = 256;

// The largest file of each format the program reads, in bytes: above what a complete directed
// graph of 255 vertices with weights, positions and names of the longest length takes.
qint64 SizeCap(ExchangeFormats::Format format);

// The largest file of each format that the field's library reads when our own reader leaves
// it (comments, entities, nested lists, subgraphs...): the libraries take ten to forty times as
// long a byte as our readers, so a larger file must be in the plain form to be read at once.
qint64 LibraryCap(ExchangeFormats::Format format);

struct Verdict {
    enum class Kind {
        Accepted,
        TooLarge,        // over SizeCap; limit is the cap in bytes
        TooManyVertices, // more than MaxVertices declared or named
        TooManyArcs,     // more than MaxArcRecords arc records
        TooLong,         // a token, string or text over its limit, at `line`
        TooManyKeys,     // more than MaxGraphMLKeys key declarations
    };
    Kind kind = Kind::Accepted;
    qint64 limit = 0;
    int line = 0; // 1-based, for TooLong
};

// Decides whether the bytes may be handed to the format's reader. Time: O(size), with
// at most MaxVertices + 1 names kept.
Verdict Prescan(ExchangeFormats::Format format, const QByteArray& data);

} // namespace ExchangePrescan
