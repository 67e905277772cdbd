#pragma once

#include <vector>

// The clique search exactly as written, without any cut: lists of candidates and excluded
// vertices, the last candidate first. The oracle for the order of the pruned search.
struct LiteralCliqueSearch {
    // adjacent[u][v] for vertices 1..n.
    const std::vector<std::vector<bool>>& adjacent;
    std::vector<int> clique;
    std::vector<std::vector<int>> found;
    std::vector<int> best;

    void Run(int n)
    {
        std::vector<int> candidates;
        for (int v = 1; v <= n; ++v)
            candidates.push_back(v);
        Extend(candidates, {});
    }

    void Extend(std::vector<int> candidates, std::vector<int> excluded)
    {
        while (!candidates.empty()) {
            const int v = candidates.back();
            clique.push_back(v);
            std::vector<int> nextCandidates;
            std::vector<int> nextExcluded;
            for (std::size_t i = 0; i + 1 < candidates.size(); ++i)
                if (adjacent[v][candidates[i]])
                    nextCandidates.push_back(candidates[i]);
            for (int x : excluded)
                if (adjacent[v][x])
                    nextExcluded.push_back(x);
            if (!nextCandidates.empty() || !nextExcluded.empty()) {
                Extend(nextCandidates, nextExcluded);
            } else {
                if (clique.size() > best.size())
                    best = clique;
                found.push_back(clique);
            }
            clique.pop_back();
            excluded.push_back(v);
            candidates.pop_back();
        }
    }
};
