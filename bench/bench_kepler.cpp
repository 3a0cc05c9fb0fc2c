// Cost of the Kepler solver against the classic third-order iteration, and
// of one radial-velocity curve.
//
//   bench_kepler   prints, medians of 15 runs of this thread's CPU time:
//     - ns per solve of eccentricAnomaly and of the Danby iteration below,
//       both over the same grid of 100 e in [0, 0.99] × 1000 M in [0, 2π),
//       and their ratio; also the largest |E − e sin E − M| of each
//     - µs for a 10,000-point velocity curve of one planet, through
//       radialVelocities and through radialVelocity point by point
//
// Pure numbers: links the numeric floor only, no Qt.

#include "kepler/keplerorbit.h"

#include <time.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <numbers>
#include <vector>

namespace {

constexpr int Runs = 15;
constexpr double tolerance = 1e-12;

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// CPU time of this thread, ns. The machine's cores are shared, so wall-clock
// time would count the time other processes ran too.
double threadNanoseconds()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return 1e9 * double(now.tv_sec) + double(now.tv_nsec);
}

// Nanoseconds of one call of `work`, median over Runs runs.
template<typename Work>
double nanoseconds(Work work)
{
    std::vector<double> times;
    for (int run = 0; run < Runs; ++run) {
        const double start = threadNanoseconds();
        work();
        times.push_back(threadNanoseconds() - start);
    }
    return median(times);
}

// The baseline: Danby's third-order iteration (as in Murray & Dermott,
// Solar System Dynamics, §2.4) from E = M + 0.85 e sign(sin M), stopped once
// |E − e sin E − M| ≤ 1e-12. M in [0, 2π), 0 ≤ e < 1. The cap of 32 steps
// is never reached on the grid; it only keeps a bad input from spinning.
double danby(double meanAnomaly, double e)
{
    double anomaly = meanAnomaly + std::copysign(0.85 * e, std::sin(meanAnomaly));
    for (int step = 0; step < 32; ++step) {
        const double eSin = e * std::sin(anomaly);
        const double eCos = e * std::cos(anomaly);
        const double f = anomaly - eSin - meanAnomaly;
        if (std::fabs(f) <= tolerance)
            break;
        const double f1 = 1 - eCos;
        const double d1 = -f / f1;
        const double d2 = -f / (f1 + 0.5 * d1 * eSin);
        const double d3 = -f / (f1 + 0.5 * d2 * eSin + d2 * d2 * eCos / 6);
        anomaly += d3;
    }
    return anomaly;
}

struct GridPoint
{
    double meanAnomaly;
    double eccentricity;
};

std::vector<GridPoint> grid()
{
    std::vector<GridPoint> points;
    for (int i = 0; i < 100; ++i)
        for (int j = 0; j < 1000; ++j)
            points.push_back({2 * std::numbers::pi * j / 1000, 0.99 * i / 99});
    return points;
}

struct SolverFigures
{
    double nanosecondsPerSolve;
    double largestResidual;
};

template<typename Solver>
SolverFigures measure(const std::vector<GridPoint> &points, Solver solve)
{
    std::vector<double> solutions(points.size());
    const double total = nanoseconds([&] {
        for (std::size_t i = 0; i < points.size(); ++i)
            solutions[i] = solve(points[i].meanAnomaly, points[i].eccentricity);
    });
    double largest = 0;
    for (std::size_t i = 0; i < points.size(); ++i) {
        const GridPoint &p = points[i];
        // The residual modulo 2π: the new solver answers in [−π, π].
        const double residual = std::remainder(
            solutions[i] - p.eccentricity * std::sin(solutions[i]) - p.meanAnomaly,
            2 * std::numbers::pi);
        largest = std::max(largest, std::fabs(residual));
    }
    return {total / points.size(), largest};
}

void solverFigures()
{
    const std::vector<GridPoint> points = grid();
    const SolverFigures ours = measure(points, Kepler::eccentricAnomaly);
    const SolverFigures baseline = measure(points, danby);
    std::printf("Kepler solver, %zu solves (e in [0, 0.99], M in [0, 2pi)), median of %d runs\n",
                points.size(), Runs);
    std::printf("  %-34s %8.1f ns/solve   largest residual %.1e\n", "Kepler::eccentricAnomaly",
                ours.nanosecondsPerSolve, ours.largestResidual);
    std::printf("  %-34s %8.1f ns/solve   largest residual %.1e\n", "Danby third order, tolerance 1e-12",
                baseline.nanosecondsPerSolve, baseline.largestResidual);
    std::printf("  speed-up %.1fx\n", baseline.nanosecondsPerSolve / ours.nanosecondsPerSolve);
}

void curveFigures()
{
    constexpr int count = 10000;
    const Kepler::Orbit planet{111.4, 30.0, 0.6, 1.2, 2460000.0};
    std::vector<double> times(count);
    for (int i = 0; i < count; ++i)
        times[i] = 2460000.0 + 3 * planet.periodDays * i / count;

    double sink = 0;
    const double batch = nanoseconds([&] {
        sink += Kepler::radialVelocities({&planet, 1}, times).back();
    });
    const double pointwise = nanoseconds([&] {
        for (double t : times)
            sink += Kepler::radialVelocity(planet, t);
    });
    std::printf("Velocity curve of %d points (one planet, e = 0.6), median of %d runs\n", count, Runs);
    std::printf("  %-34s %8.1f us\n", "Kepler::radialVelocities", batch / 1000);
    std::printf("  %-34s %8.1f us\n", "Kepler::radialVelocity per point", pointwise / 1000);
    if (!std::isfinite(sink))
        std::printf("  (the curve held a non-finite value)\n");
}

} // namespace

int main()
{
#ifndef __OPTIMIZE__
    std::printf("Built without optimisation: these figures mean nothing.\n");
#endif
    solverFigures();
    curveFigures();
    return 0;
}
