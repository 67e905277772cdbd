#pragma once

#include <vector>

class GraphDocument;

// The least number of colours for the vertices of an undirected graph, as far as a bounded
// search can tell: a greedy colouring gives an upper bound, a clique a lower one, and a DSATUR
// branch and bound closes the gap while its budget of search steps lasts.
struct ChromaticBounds {
    int lower = 0; // the size of a clique found: no colouring uses fewer colours
    int upper = 0; // the colours of the best colouring found
    bool exact() const { return lower == upper; }
    // The best colouring found: colour 1.. per vertex 1..n (index 0 unused).
    std::vector<int> colouring;
};

// About two hundred milliseconds of search on a small machine; counted in vertex visits rather
// than time, so that the same graph always gets the same answer, however busy the machine.
inline constexpr long long ChromaticSearchBudget = 30'000'000;

// greedy: a proper colouring (index 0 unused) whose colour count starts the search. The search
// branches on the uncoloured vertex with the most distinct neighbour colours (then the most
// uncoloured neighbours, then the lowest number) and tries colours in increasing order, cutting
// every branch that cannot use fewer colours than the best found. Exponential in the worst case;
// each step costs O(n) to pick the vertex and O(degree) to colour it.
ChromaticBounds FindChromaticBounds(const GraphDocument& graf, const std::vector<int>& greedy,
                                    long long budget = ChromaticSearchBudget);
