#pragma once

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <random>

/// Random numbers that a seed fixes on every machine: std::mt19937_64's
/// sequence (fixed by the C++ standard) through our own uniform and normal
/// transforms, since the standard's distributions differ between libraries.
namespace Numeric {

class SeededRandom
{
public:
    explicit SeededRandom(std::uint64_t seed) : m_engine(seed) { }

    /// The seed of stream `index` of a run seeded with `seed`: SplitMix64's
    /// finaliser (Steele, Lea & Flood 2014) of their mix, so neighbouring
    /// indices give unrelated streams and each cell of a map owns one whatever
    /// thread computes it.
    static std::uint64_t streamSeed(std::uint64_t seed, std::uint64_t index)
    {
        std::uint64_t z = seed + 0x9e3779b97f4a7c15ULL * (index + 1);
        z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ULL;
        z = (z ^ (z >> 27)) * 0x94d049bb133111ebULL;
        return z ^ (z >> 31);
    }

    /// Uniform in [0, 1), 53 random bits.
    double uniform() { return static_cast<double>(m_engine() >> 11) * 0x1.0p-53; }

    /// Uniform integer in [0, n), n > 0, without modulo bias.
    std::size_t below(std::size_t n)
    {
        const std::uint64_t range = static_cast<std::uint64_t>(n);
        const std::uint64_t limit = std::mt19937_64::max() - std::mt19937_64::max() % range;
        std::uint64_t draw = m_engine();
        while (draw >= limit)
            draw = m_engine();
        return static_cast<std::size_t>(draw % range);
    }

    /// Standard normal deviate, Marsaglia's polar method.
    double normal()
    {
        if (m_hasSpare) {
            m_hasSpare = false;
            return m_spare;
        }
        double u = 0, v = 0, s = 0;
        do {
            u = 2 * uniform() - 1;
            v = 2 * uniform() - 1;
            s = u * u + v * v;
        } while (s >= 1 || s == 0);
        const double factor = std::sqrt(-2 * std::log(s) / s);
        m_spare = v * factor;
        m_hasSpare = true;
        return u * factor;
    }

private:
    std::mt19937_64 m_engine;
    double m_spare = 0;
    bool m_hasSpare = false;
};

} // namespace Numeric
