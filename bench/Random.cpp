#include "bench/Random.h"

namespace daylark::bench {

namespace {

constexpr std::uint64_t rotateLeft(std::uint64_t x, int k)
{
    return (x << k) | (x >> (64 - k));
}

} // namespace

Random::Random(std::uint64_t seed)
    : m_seed(seed)
{
    std::uint64_t state = seed;
    for (std::uint64_t& word : m_state) {
        word = splitMix(state);
    }
}

std::uint64_t Random::splitMix(std::uint64_t& state)
{
    std::uint64_t z = (state += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

std::uint64_t Random::next()
{
    const std::uint64_t result = rotateLeft(m_state[1] * 5, 7) * 9;
    const std::uint64_t t = m_state[1] << 17;
    m_state[2] ^= m_state[0];
    m_state[3] ^= m_state[1];
    m_state[1] ^= m_state[2];
    m_state[0] ^= m_state[3];
    m_state[2] ^= t;
    m_state[3] = rotateLeft(m_state[3], 45);
    return result;
}

std::uint64_t Random::below(std::uint64_t bound)
{
    // The bias of a plain remainder is far below anything a benchmark could notice.
    return bound == 0 ? 0 : next() % bound;
}

int Random::between(int low, int high)
{
    const auto span = static_cast<std::uint64_t>(static_cast<std::int64_t>(high) - low + 1);
    return low + static_cast<int>(below(span));
}

bool Random::chance(int percent)
{
    return static_cast<int>(below(100)) < percent;
}

Random Random::stream(std::uint64_t salt) const
{
    std::uint64_t state = m_seed ^ (salt * 0xD1B54A32D192ED03ull);
    return Random(splitMix(state));
}

} // namespace daylark::bench
