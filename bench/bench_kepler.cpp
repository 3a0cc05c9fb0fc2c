// Cost of the Kepler solver against the classic third-order iteration, and
// of one radial-velocity curve.
//
//   bench_kepler   prints, medians of 15 runs of this thread's CPU time:
//     - ns per solve of eccentricAnomaly(M, e), of KeplerEquation(e) prepared
//       once per e, and of the Danby iteration below, all over the same grid
//       of 100 e in [0, 0.99] × 1000 M in [0, 2π); the speed-up over Danby
//       and the largest |E − e sin E − M| of each
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
template <typename Work> double nanoseconds(Work work)
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

constexpr int eccentricityCount = 100;
constexpr int meanAnomalyCount = 1000;
constexpr int solveCount = eccentricityCount * meanAnomalyCount;

double gridEccentricity(int i)
{
    return 0.99 * i / (eccentricityCount - 1);
}

double gridMeanAnomaly(int j)
{
    return 2 * std::numbers::pi * j / meanAnomalyCount;
}

struct SolverFigures
{
    double nanosecondsPerSolve;
    double largestResidual;
};

// Times solveRow(e, solutions) over every row of the grid, then checks the
// solutions against the equation.
template <typename SolveRow> SolverFigures measure(SolveRow solveRow)
{
    std::vector<double> solutions(solveCount);
    const double total = nanoseconds([&] {
        for (int i = 0; i < eccentricityCount; ++i)
            solveRow(gridEccentricity(i), &solutions[std::size_t(i) * meanAnomalyCount]);
    });
    double largest = 0;
    for (int i = 0; i < eccentricityCount; ++i) {
        for (int j = 0; j < meanAnomalyCount; ++j) {
            const double e = gridEccentricity(i);
            const double anomaly = solutions[std::size_t(i) * meanAnomalyCount + j];
            // Modulo 2π: the new solvers answer in [−π, π].
            const double residual =
                std::remainder(anomaly - e * std::sin(anomaly) - gridMeanAnomaly(j), 2 * std::numbers::pi);
            largest = std::max(largest, std::fabs(residual));
        }
    }
    return {total / solveCount, largest};
}

void print(const char *name, const SolverFigures &figures, double baseline)
{
    std::printf("  %-38s %7.1f ns/solve  %5.1fx Danby   largest residual %.1e\n", name, figures.nanosecondsPerSolve,
                baseline / figures.nanosecondsPerSolve, figures.largestResidual);
}

void solverFigures()
{
    const SolverFigures once = measure([](double e, double *solutions) {
        for (int j = 0; j < meanAnomalyCount; ++j)
            solutions[j] = Kepler::eccentricAnomaly(gridMeanAnomaly(j), e);
    });
    // Prepared once per eccentricity, the preparation counted in.
    const SolverFigures prepared = measure([](double e, double *solutions) {
        const Kepler::KeplerEquation equation(e);
        for (int j = 0; j < meanAnomalyCount; ++j)
            solutions[j] = equation.eccentricAnomaly(gridMeanAnomaly(j));
    });
    const SolverFigures baseline = measure([](double e, double *solutions) {
        for (int j = 0; j < meanAnomalyCount; ++j)
            solutions[j] = danby(gridMeanAnomaly(j), e);
    });
    std::printf("Kepler's equation, %d solves (%d e in [0, 0.99] x %d M in [0, 2pi)), median of %d runs\n", solveCount,
                eccentricityCount, meanAnomalyCount, Runs);
    const double danbyTime = baseline.nanosecondsPerSolve;
    print("Kepler::eccentricAnomaly(M, e)", once, danbyTime);
    print("Kepler::KeplerEquation(e), per e row", prepared, danbyTime);
    print("Danby third order, tolerance 1e-12", baseline, danbyTime);
}

void curveFigures()
{
    constexpr int count = 10000;
    const Kepler::Orbit planet{111.4, 30.0, 0.6, 1.2, 2460000.0};
    std::vector<double> times(count);
    for (int i = 0; i < count; ++i)
        times[i] = 2460000.0 + 3 * planet.periodDays * i / count;

    double sink = 0;
    const double batch = nanoseconds([&] { sink += Kepler::radialVelocities({&planet, 1}, times).back(); });
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
