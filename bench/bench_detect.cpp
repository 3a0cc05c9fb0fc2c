// Cost of a detectability map: 20 periods × 20 semi-amplitudes × 10 injected
// planets per cell on 200 nightly measurements over two years (white noise
// of 2 m/s), recovered by the periodogram's highest peak, injected into the
// measured velocities (each trial's periodogram combined from sums made once
// per period) and into fresh noise (one periodogram per trial). The goal is
// 60 s on a two-core machine. Printed, never judged.

#include "detection/injectionrecovery.h"
#include "observations/synthetic.h"

#include <chrono>
#include <cstdio>
#include <ctime>
#include <thread>

int main()
{
    Observations::SyntheticPlan plan;
    plan.count = 200;
    plan.spanDays = 730;
    plan.noiseSigma = 2;
    const Observations::DataSet data = Observations::simulate({}, plan);

    Detection::InjectionPlan map;
    map.periodsDays = Detection::evenlySpacedInLog(1.5, 700, 20);
    map.amplitudes = Detection::evenlySpacedInLog(0.3, 6, 20);
    map.trials = 10;
    map.falseAlarmThreshold = 0.01;

    for (const auto noise : {Detection::InjectionNoise::Residuals, Detection::InjectionNoise::Simulated}) {
        map.noise = noise;
        const auto start = std::chrono::steady_clock::now();
        const std::clock_t cpuStart = std::clock();
        const auto result = Detection::injectionRecoveryMap(data, map);
        const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        const double cpu = double(std::clock() - cpuStart) / CLOCKS_PER_SEC;
        if (!result.ok()) {
            std::printf("detectability map refused: %s\n", result.reason().c_str());
            return 1;
        }
        const double injections = 20.0 * 20.0 * 10.0;
        std::printf(
            "detectability map into %s: 200 points, 20 x 20 cells x 10 trials, %zu frequencies, %u threads: "
            "%.2f s (goal <= 60 s), %.0f injections/s; CPU %.2f s\n",
            noise == Detection::InjectionNoise::Residuals ? "the measured velocities" : "fresh noise",
            result->grid.count, std::thread::hardware_concurrency(), seconds, injections / seconds, cpu);
        const auto half = Detection::recoveryContour(*result, 0.5);
        std::printf("  50%% recovery at P = %.3g d: K = %.3g m/s\n", map.periodsDays[10], half[10].value_or(-1));
    }
    return 0;
}
