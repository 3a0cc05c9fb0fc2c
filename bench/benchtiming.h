#pragma once

#include <QElapsedTimer>

#include <sys/resource.h>

#include <algorithm>
#include <vector>

/// Timing shared by the window benchmarks: medians of wall-clock runs and the
/// process's own CPU time.
namespace BenchTiming {

inline constexpr int Runs = 15;

inline double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

/// Microseconds per call of `step(i)`, i = 0 … calls − 1, median over Runs
/// runs of `calls` calls.
template <typename Step> double microsecondsPerCall(int calls, Step step)
{
    std::vector<double> perCall;
    for (int run = 0; run < Runs; ++run) {
        QElapsedTimer clock;
        clock.start();
        for (int i = 0; i < calls; ++i)
            step(i);
        perCall.push_back(double(clock.nsecsElapsed()) / 1000.0 / calls);
    }
    return median(perCall);
}

/// User and system CPU seconds this process has used so far.
inline double cpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec)
        + double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

} // namespace BenchTiming
