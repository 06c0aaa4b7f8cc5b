#pragma once

#include <cstddef>
#include <cstdint>

namespace daylark::bench {

/// A small pseudo-random generator (xoshiro256**, seeded through splitmix64) of our own, so
/// that one seed gives the same data set with every compiler and standard library.
class Random
{
public:
    explicit Random(std::uint64_t seed);

    std::uint64_t next();
    /// A number from 0 to bound - 1; 0 when bound is 0.
    std::uint64_t below(std::uint64_t bound);
    /// A number from low to high, both included (low <= high).
    int between(int low, int high);
    /// True in `percent` cases out of a hundred.
    bool chance(int percent);
    /// One item of a table.
    template <class T, std::size_t N> const T& pick(const T (&items)[N]) { return items[below(N)]; }
    /// A generator of its own for one part of the data set, so that changing how much of one
    /// part is made does not change the others.
    Random stream(std::uint64_t salt) const;

private:
    static std::uint64_t splitMix(std::uint64_t& state);

    std::uint64_t m_seed;
    std::uint64_t m_state[4];
};

} // namespace daylark::bench
