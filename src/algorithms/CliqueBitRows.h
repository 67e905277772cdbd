#pragma once

// Bit-set rows for the clique searches, compiled into each file that runs them: the file
// that counts with the processor's population-count instruction must not share a copy of
// these with the one that does without, so they have internal linkage.

#include "algorithms/CliqueBitSets.h"

#include <algorithm>
#include <array>
#include <bit>
#include <type_traits>

namespace {

// The number of set bits. Without the processor's own instruction in the build's target,
// std::popcount is a library call, several times slower than these few operations.
inline int Population(std::uint64_t word)
{
#ifdef __POPCNT__
    return std::popcount(word);
#else
    word = word - ((word >> 1) & 0x5555555555555555u);
    word = (word & 0x3333333333333333u) + ((word >> 2) & 0x3333333333333333u);
    word = (word + (word >> 4)) & 0x0f0f0f0f0f0f0f0fu;
    return int((word * 0x0101010101010101u) >> 56);
#endif
}

// A set of vertex indices 0..64W-1 in W words; the searches below take W as small as the
// graph allows, so a 128-vertex graph intersects two words, not four.
template <int W> struct Bits {
    std::array<std::uint64_t, W> words{};

    void Insert(int v) { words[std::size_t(v >> 6)] |= Bit(v); }
    void Erase(int v) { words[std::size_t(v >> 6)] &= ~Bit(v); }
    bool Contains(int v) const { return (words[std::size_t(v >> 6)] & Bit(v)) != 0; }
    bool Empty() const
    {
        std::uint64_t any = 0;
        for (std::uint64_t word : words)
            any |= word;
        return any == 0;
    }
    int Count() const
    {
        int count = 0;
        for (std::uint64_t word : words)
            count += Population(word);
        return count;
    }
    // The lowest member; the set must not be empty.
    int Lowest() const
    {
        int w = 0;
        while (words[std::size_t(w)] == 0)
            ++w;
        return w * 64 + std::countr_zero(words[std::size_t(w)]);
    }
    // The highest member, or -1 when empty.
    int Highest() const
    {
        for (int w = W - 1; w >= 0; --w)
            if (words[std::size_t(w)] != 0)
                return w * 64 + 63 - std::countl_zero(words[std::size_t(w)]);
        return -1;
    }
    Bits operator&(const Bits& other) const
    {
        Bits result;
        for (std::size_t w = 0; w < W; ++w)
            result.words[w] = words[w] & other.words[w];
        return result;
    }
    Bits operator|(const Bits& other) const
    {
        Bits result;
        for (std::size_t w = 0; w < W; ++w)
            result.words[w] = words[w] | other.words[w];
        return result;
    }
    Bits Without(const Bits& other) const
    {
        Bits result;
        for (std::size_t w = 0; w < W; ++w)
            result.words[w] = words[w] & ~other.words[w];
        return result;
    }
    bool Intersects(const Bits& other) const
    {
        std::uint64_t any = 0;
        for (std::size_t w = 0; w < W; ++w)
            any |= words[w] & other.words[w];
        return any != 0;
    }
    // The number of members also in `other`, without building the intersection.
    int CountCommon(const Bits& other) const
    {
        int count = 0;
        for (std::size_t w = 0; w < W; ++w)
            count += Population(words[w] & other.words[w]);
        return count;
    }
    // Calls visit(v) for each member in increasing order.
    template <typename Visit> void ForEach(Visit visit) const
    {
        for (int w = 0; w < W; ++w)
            for (std::uint64_t word = words[std::size_t(w)]; word != 0; word &= word - 1)
                visit(w * 64 + std::countr_zero(word));
    }

  private:
    static std::uint64_t Bit(int v) { return std::uint64_t(1) << (v & 63); }
};

template <int W> using Rows = std::vector<Bits<W>>;

// The adjacency with vertex order[i] as index i. Time: O(n^2).
template <int W> Rows<W> RowsInOrder(const AdjacencySets& adjacency, const std::vector<int>& order)
{
    std::vector<int> index(adjacency.size(), -1);
    for (std::size_t i = 0; i < order.size(); ++i)
        index[std::size_t(order[i])] = int(i);
    Rows<W> rows(order.size());
    for (std::size_t i = 0; i < order.size(); ++i)
        for (int v : adjacency[std::size_t(order[i])])
            rows[i].Insert(index[std::size_t(v)]);
    return rows;
}

// Vertices 1..n in their own order.
std::vector<int> NumberOrder(int vertexCount)
{
    std::vector<int> order(static_cast<std::size_t>(vertexCount));
    for (int i = 0; i < vertexCount; ++i)
        order[std::size_t(i)] = i + 1;
    return order;
}

// Runs run(std::integral_constant<int, W>) with the fewest words that hold vertexCount bits.
template <typename Run> auto WithWords(int vertexCount, Run run)
{
    if (vertexCount <= 64)
        return run(std::integral_constant<int, 1>());
    if (vertexCount <= 128)
        return run(std::integral_constant<int, 2>());
    if (vertexCount <= 192)
        return run(std::integral_constant<int, 3>());
    return run(std::integral_constant<int, 4>());
}

// Indices 0..count-1.
template <int W> Bits<W> FirstIndices(int count)
{
    Bits<W> all;
    for (int i = 0; i < count; ++i)
        all.Insert(i);
    return all;
}

} // namespace
