#pragma once

#include <cmath>
#include <cstdint>

namespace Sampling {

/// A short stream of random numbers for one walker in one step, derived from
/// the run's seed alone: no generator is shared between threads, so a run
/// gives the same chain whatever the number of threads. SplitMix64 (Steele,
/// Lea & Flood 2014), which passes BigCrush, both to mix the key into a state
/// and to step it.
class RandomStream
{
public:
    RandomStream(std::uint64_t seed, std::uint64_t step, std::uint64_t walker)
        : m_state(mix(mix(seed ^ 0x6a09e667f3bcc909ULL) + step * 0x9e3779b97f4a7c15ULL) ^ mix(walker + 1))
    { }

    std::uint64_t next()
    {
        m_state += 0x9e3779b97f4a7c15ULL;
        return mix(m_state);
    }

    /// Uniform in [0, 1), 53 random bits.
    double uniform() { return double(next() >> 11) * 0x1.0p-53; }

    /// Uniform in {0, …, count − 1}, count > 0 (the bias of a 64-bit multiply
    /// is below 2^-50 for any count a sampler uses).
    int below(int count) { return int((unsigned __int128)next() * std::uint64_t(count) >> 64); }

    /// Standard normal, by the Box–Muller transform.
    double normal()
    {
        const double u = 1.0 - uniform();
        return std::sqrt(-2 * std::log(u)) * std::cos(6.283185307179586 * uniform());
    }

private:
    static std::uint64_t mix(std::uint64_t z)
    {
        z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ULL;
        z = (z ^ (z >> 27)) * 0x94d049bb133111ebULL;
        return z ^ (z >> 31);
    }

    std::uint64_t m_state;
};

} // namespace Sampling
