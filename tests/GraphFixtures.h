#pragma once

#include "document/AllGrafUnit.h"

#include <memory>

// A fresh document of the given kind with n vertices laid out on a row, numbered from 1.
inline std::unique_ptr<TAllGraf> MakeGraf(bool directed, bool weighted, int n = 0)
{
    auto g = std::make_unique<TAllGraf>();
    g->NewGraf(directed, weighted);
    for (int i = 1; i <= n; ++i)
        g->AddPoint(40 * i, 50 + 10 * (i % 3), QString(), g->FreeTitleNumber(), g->SizeGraf);
    return g;
}

// The out-list of a vertex as a vector, in list order.
inline std::vector<int> OutList(const TAllGraf& g, int v)
{
    return std::vector<int>(g.DugaList(v), g.DugaList(v) + g.DugaCount[v]);
}
