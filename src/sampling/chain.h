#pragma once

#include <span>
#include <vector>

namespace Sampling {

/// The positions of an ensemble's walkers, step by step: value(step, walker)
/// is one point of dimension values. Steps are stored one after another, each
/// holding every walker's point in walker order.
struct Chain
{
    int walkers = 0;
    int dimension = 0;
    std::vector<double> values;       ///< [step][walker][parameter]
    std::vector<double> logDensities; ///< [step][walker]

    int steps() const { return walkers > 0 ? int(logDensities.size() / std::size_t(walkers)) : 0; }
    std::span<const double> point(int step, int walker) const
    {
        return {values.data()
                    + (std::size_t(step) * std::size_t(walkers) + std::size_t(walker)) * std::size_t(dimension),
                std::size_t(dimension)};
    }
    double at(int step, int walker, int parameter) const { return point(step, walker)[std::size_t(parameter)]; }
};

} // namespace Sampling
