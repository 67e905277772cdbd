// Compiled with the population-count instruction on x86 (see CMakeLists.txt); elsewhere it
// is the same count as the portable one.
#include "algorithms/MaximalCliqueCounter.h"

std::int64_t CountMaximalCliquesWithPopcount(const AdjacencySets& adjacency, int vertexCount)
{
    return CountMaximalCliquesOnRows(adjacency, vertexCount);
}
