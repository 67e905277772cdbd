#pragma once

#include "algorithms/AlgorithmResult.h"

#include <vector>

class GraphDocument;

// Cycles and the critical path.

// The first cycle of a depth-first search from vertices 1, 2, ... (each not yet reached), over
// the out-lists in list order; in an undirected graph the step straight back along the edge
// just walked is not taken. The cycle runs from the vertex met twice along the search path
// back to it (first entry = last entry); empty when the graph has none. A vertex whose whole
// reach was searched without meeting a cycle is not searched again, which leaves the cycle
// found unchanged.
// Steps (when steps is given): every vertex entered and finished, and the cycle closed.
std::vector<int> FindCycleRoute(const GraphDocument& graf, StepTrace* steps = nullptr);

// The acyclicity test as a command: the verdict, and the cycle found as a route line and as
// the route to highlight.
// Time: O(V + E).
AlgorithmResult FindCycle(const GraphDocument& graf, bool recordSteps = false);

// The heaviest path from a source to a sink of a weighted digraph without cycles.
// Precondition: no cycle (the command checks it first).
// Sources have no incoming arcs and some outgoing ones, sinks the reverse; without a sink or
// a source: a message and nothing else. Longest distances are taken from an added start joined
// to every source by arcs of weight 1 (to an added finish from every sink likewise); the path
// is traced back from the finish, each step to the lowest-numbered vertex on a longest way.
// Output: the length, "Trace" and the path, then the report is shown.
// Steps: every vertex's earliest time as it is fixed, every step of the trace back.
// Time: O(V + E).
AlgorithmResult CriticalPath(const GraphDocument& graf, bool recordSteps = false);
