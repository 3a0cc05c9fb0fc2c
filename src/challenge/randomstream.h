#pragma once

#include <cstdint>

/// A random stream that gives the same numbers on every machine and with
/// every standard library, so a challenge's seed gives the same data for
/// everyone who types its code. xoshiro256** (Blackman and Vigna) seeded
/// through splitmix64; the uniform deviate takes the top 53 bits, the normal
/// deviate is Marsaglia's polar method, which needs only log and sqrt (no sin
/// or cos, whose last bits differ most between libm versions). The standard
/// library's distributions are not used: their algorithms are left to each
/// implementation. Pure C++, no Qt.
namespace Challenge {

class RandomStream
{
public:
    explicit RandomStream(std::uint64_t seed);

    /// The next 64 random bits.
    std::uint64_t nextBits();
    /// Uniform in [0, 1), a multiple of 2⁻⁵³.
    double uniform();
    /// Uniform in [low, high).
    double uniform(double low, double high);
    /// Uniform among 0 … count − 1; count > 0.
    std::uint64_t below(std::uint64_t count);
    /// A standard normal deviate.
    double normal();

private:
    std::uint64_t m_state[4];
};

} // namespace Challenge
