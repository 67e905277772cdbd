#pragma once

#include <QString>
#include <span>

class TAllGraf;

// A route as its vertices' display names joined by " - ", the line every route algorithm
// writes.
QString RouteLine(const TAllGraf& graf, std::span<const int> route);
