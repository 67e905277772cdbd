#pragma once

#include "files/ExchangeGraph.h"

#include <QByteArray>
#include <QStringList>

// Our edge lists may carry "#" comment lines: one naming the direction, one listing every
// vertex in order (so isolated vertices survive).
struct EdgeListHeader {
    bool Directed = false;
    QStringList Vertices;

    // Takes in a line of the file; false when it is not a comment.
    bool ReadComment(const QByteArray& line);
    // Puts the vertices in the order the header lists them, isolated ones too; vertices it
    // does not list follow in the order they appear.
    void PutInListedOrder(ExchangeGraph& graph) const;
};
