#include "challenge/randomstream.h"

#include <cmath>

namespace Challenge {

namespace {

std::uint64_t splitMix64(std::uint64_t &state)
{
    std::uint64_t z = (state += 0x9e3779b97f4a7c15ULL);
    z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ULL;
    z = (z ^ (z >> 27)) * 0x94d049bb133111ebULL;
    return z ^ (z >> 31);
}

std::uint64_t rotateLeft(std::uint64_t x, int k)
{
    return (x << k) | (x >> (64 - k));
}

} // namespace

RandomStream::RandomStream(std::uint64_t seed)
{
    for (std::uint64_t &word : m_state)
        word = splitMix64(seed);
}

std::uint64_t RandomStream::nextBits()
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

double RandomStream::uniform()
{
    return double(nextBits() >> 11) * 0x1.0p-53;
}

double RandomStream::uniform(double low, double high)
{
    return low + (high - low) * uniform();
}

std::uint64_t RandomStream::below(std::uint64_t count)
{
    // Rejection keeps every value equally likely whatever the count.
    const std::uint64_t limit = ~std::uint64_t(0) - (~std::uint64_t(0) % count);
    std::uint64_t bits = nextBits();
    while (bits >= limit)
        bits = nextBits();
    return bits % count;
}

double RandomStream::normal()
{
    double x = 0, y = 0, s = 0;
    do {
        x = uniform(-1, 1);
        y = uniform(-1, 1);
        s = x * x + y * y;
    } while (s >= 1 || s == 0);
    return x * std::sqrt(-2 * std::log(s) / s);
}

} // namespace Challenge
