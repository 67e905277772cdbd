#pragma once

#include "algorithms/AlgorithmResult.h"

#include <vector>

class QRandomGenerator;
class GraphDocument;

// Greedy vertex colourings of an undirected graph: each vertex gets the smallest colour number
// that none of its already coloured neighbours has; the highest number used is reported as the
// chromatic number. The two differ only in the order the vertices are coloured.
//
// Preconditions: an undirected document (the dispatcher refuses directed ones).
// Result: resultCount 0, no route; the picture fills every vertex with the fill of its colour
// number and draws the arcs plainly.
// Output: the verdict (a Text pane line and a bold report line), the steps "vertex gets colour c"
// in colouring order as one report line, then the report is shown.
// Steps: every vertex coloured, its caption showing the colours its neighbours forbid and the
// one it gets; the order or the queue as it is worked through; the number of colours.
// random: the generator of the fills above six; null seeds one from the clock, so those fills
// change from run to run.

// Breadth-first from the first vertex of greatest degree; a vertex's neighbours are coloured in
// list order when it is taken from the queue. Further components start from their
// lowest-numbered vertex, which is coloured when a neighbour of it is taken from the queue.
// A vertex without neighbours gets colour 1 when it is taken from the queue (the start vertex of
// an arcless graph thus gets its step twice).
// Time: O(V + E) for the colouring; the chromatic bounds after it are an exponential search
// held to a fixed budget (ChromaticNumber.h).
AlgorithmResult ColourBreadthFirst(const GraphDocument& graf, bool recordSteps = false,
                                   QRandomGenerator* random = nullptr);

// All vertices by decreasing degree, sorted by an exchange sort: for each place i, every later
// entry of greater degree is swapped into it, so equal degrees are never swapped directly.
// Time: O(V^2 + E) for the sort and the colouring, then the bounds as above.
AlgorithmResult ColourByDegree(const GraphDocument& graf, bool recordSteps = false,
                               QRandomGenerator* random = nullptr);

// Fills 0x00BBGGRR for colour numbers 1..count (index 0 unused): red, green, blue, yellow,
// white, black, then colours drawn at random, each made light (under dark text) or dark (under
// light text) enough for textColor to stay readable on it, and taken farthest first from a pool
// so that they stay apart from each other and from the first six.
std::vector<int> ColourPalette(int count, QRandomGenerator& random, int textColor);
