// Costs of a mystery-planet challenge: its data made from a code's parameters
// (goal <= 5 ms), the real star's included (it reads the shipped files), and
// one step of the hand-fitting goodness meter, 400 points from 2 instruments
// and 2 planets (goal well under 10 ms, the whole slider step's budget).
// Medians of many runs.

#include "challenge/challengedata.h"
#include "challenge/goodness.h"
#include "observations/datafolder.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <vector>

namespace {

template <typename Work> double medianMilliseconds(int runs, Work work)
{
    std::vector<double> times;
    for (int run = 0; run < runs; ++run) {
        const auto start = std::chrono::steady_clock::now();
        work(run);
        times.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

} // namespace

int main(int, char **argv)
{
    const std::filesystem::path folder = Observations::rvDataFolder(std::filesystem::absolute(argv[0]).parent_path());
    bool ok = true;
    for (int level = Challenge::firstLevel; level <= Challenge::lastLevel; ++level) {
        Challenge::ChallengeSettings settings = Challenge::defaultSettings(Challenge::Level(level));
        settings.points = Challenge::maximumPoints;
        const double ms = medianMilliseconds(31, [&](int run) {
            settings.seed = std::uint32_t(run);
            ok = Challenge::makeChallenge(settings, folder).ok() && ok;
        });
        std::printf("challenge data, level %d, %d points: median %.3f ms (goal <= 5 ms)\n", level, settings.points, ms);
    }

    Challenge::ChallengeSettings settings = Challenge::defaultSettings(Challenge::Level::TwoPlanets);
    settings.points = 400;
    auto challenge = Challenge::makeChallenge(settings, folder);
    if (!challenge)
        return 1;
    Observations::DataSet data = challenge->data;
    data.instruments = {"A", "B"};
    for (std::size_t i = 0; i < data.measurements.size(); i += 2)
        data.measurements[i].instrument = 1;
    Challenge::StudentModel model{challenge->planets, {0, 0}};
    double chiSquare = 0;
    const double ms = medianMilliseconds(201, [&](int run) {
        model.planets.front().periodDays = challenge->planets.front().periodDays * (1 + 1e-5 * run);
        model.offsets = Challenge::bestOffsets(data, model.planets);
        chiSquare += Challenge::goodness(data, model)->chiSquare;
    });
    std::printf(
        "goodness meter with best offsets, 400 points, 2 instruments, 2 planets: median %.3f ms "
        "(goal well under 10 ms)\n",
        ms);
    return ok && chiSquare > 0 ? 0 : 1;
}
