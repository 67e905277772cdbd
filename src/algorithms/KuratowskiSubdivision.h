#pragma once

#include <utility>
#include <vector>

struct CompletePlanarity {
    bool planar = true;
    // For a graph that is not planar: the edges of a subdivided K5 or K3,3 it contains, each
    // lower end first, in increasing order.
    std::vector<std::pair<int, int>> kuratowski;
    // The configuration subdivided: 5 (K5), 6 (K3,3), 0 when planar.
    int branchVertices = 0;
};

// The complete planarity test (Boyer and Myrvold's, linear), with a Kuratowski subdivision as
// its witness. Vertices are 1..vertexCount; edges may repeat and may come in either direction.
CompletePlanarity TestPlanarityCompletely(int vertexCount, const std::vector<std::pair<int, int>>& edges);

// The same test's verdict alone, without a witness: cheaper where only the answer matters.
bool IsPlanarCompletely(int vertexCount, const std::vector<std::pair<int, int>>& edges);
