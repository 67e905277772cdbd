#pragma once

#include <QString>
#include <span>

class GraphDocument;

// A route as its vertices' display names joined by " - ", the line every route algorithm
// writes.
QString RouteLine(const GraphDocument& graf, std::span<const int> route);
