#pragma once

#include <array>
#include <bit>
#include <cstdint>

// A set of vertex numbers 0..255 in four machine words: the searches over subsets of the
// vertices (cliques, planarity configurations) intersect whole neighbourhoods at once.
class VertexSet {
  public:
    static constexpr int Capacity = 256;

    void Insert(int v) { words[Word(v)] |= Bit(v); }
    void Erase(int v) { words[Word(v)] &= ~Bit(v); }
    bool Contains(int v) const { return (words[Word(v)] & Bit(v)) != 0; }
    bool Empty() const { return (words[0] | words[1] | words[2] | words[3]) == 0; }
    int Count() const
    {
        return std::popcount(words[0]) + std::popcount(words[1]) + std::popcount(words[2]) +
               std::popcount(words[3]);
    }
    // The highest member, or -1 when empty.
    int Highest() const
    {
        for (int w = WordCount - 1; w >= 0; --w)
            if (words[w] != 0)
                return w * 64 + 63 - std::countl_zero(words[w]);
        return -1;
    }
    // The lowest member, or -1 when empty.
    int Lowest() const
    {
        for (int w = 0; w < WordCount; ++w)
            if (words[w] != 0)
                return w * 64 + std::countr_zero(words[w]);
        return -1;
    }
    // The lowest member above v, or -1.
    int Next(int v) const
    {
        ++v;
        if (v >= Capacity)
            return -1;
        int w = Word(v);
        std::uint64_t rest = words[w] & (~std::uint64_t(0) << (v & 63));
        while (rest == 0) {
            if (++w == WordCount)
                return -1;
            rest = words[w];
        }
        return w * 64 + std::countr_zero(rest);
    }
    bool SubsetOf(const VertexSet& other) const
    {
        for (int w = 0; w < WordCount; ++w)
            if ((words[w] & ~other.words[w]) != 0)
                return false;
        return true;
    }
    bool Intersects(const VertexSet& other) const
    {
        for (int w = 0; w < WordCount; ++w)
            if ((words[w] & other.words[w]) != 0)
                return true;
        return false;
    }
    VertexSet operator&(const VertexSet& other) const
    {
        VertexSet result;
        for (int w = 0; w < WordCount; ++w)
            result.words[w] = words[w] & other.words[w];
        return result;
    }
    VertexSet operator|(const VertexSet& other) const
    {
        VertexSet result;
        for (int w = 0; w < WordCount; ++w)
            result.words[w] = words[w] | other.words[w];
        return result;
    }
    bool operator==(const VertexSet&) const = default;

    // The members in increasing order: for (int v : set) ...
    class Iterator {
      public:
        Iterator(const VertexSet* set, int v) : set(set), v(v) {}
        int operator*() const { return v; }
        Iterator& operator++()
        {
            v = set->Next(v);
            return *this;
        }
        bool operator!=(const Iterator& other) const { return v != other.v; }

      private:
        const VertexSet* set;
        int v;
    };
    Iterator begin() const { return Iterator(this, Lowest()); }
    Iterator end() const { return Iterator(this, -1); }

  private:
    static constexpr int WordCount = 4;
    static int Word(int v) { return v >> 6; }
    static std::uint64_t Bit(int v) { return std::uint64_t(1) << (v & 63); }
    std::array<std::uint64_t, WordCount> words{};
};
