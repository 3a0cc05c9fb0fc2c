// Prints how fast the velocity reader reads and the writer writes a table of
// a million rows (the reader's limit), as a file on disk and as text in memory.
#include "observations/rvreader.h"
#include "observations/rvwriter.h"
#include "observations/synthetic.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <vector>

namespace {

double medianMilliseconds(const std::function<void()> &work, int runs)
{
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        const auto start = std::chrono::steady_clock::now();
        work();
        times.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

} // namespace

int main()
{
    using namespace Observations;
    const Kepler::Orbit planet{4.2308, 56.0, 0.0, 0.0, 2460000.0};
    std::vector<SyntheticPlan> plans(2);
    plans[0].count = plans[1].count = maxMeasurements / 2;
    plans[0].cadence = plans[1].cadence = Cadence::Uniform;
    plans[0].spanDays = plans[1].spanDays = 3650;
    plans[1].seed = 2;
    plans[1].instrument = "Other";
    const DataSet data = simulate({&planet, 1}, plans);

    std::string text;
    const double writeMs = medianMilliseconds([&] { text = toText(data); }, 5);
    const auto path = std::filesystem::temp_directory_path() / "orbiquest9_bench_rvreader.txt";
    std::ofstream(path, std::ios::binary) << text;

    std::size_t rows = 0;
    const double parseMs = medianMilliseconds([&] { rows = parseText(text, "x")->data.measurements.size(); }, 5);
    const double loadMs = medianMilliseconds([&] { rows = loadFile(path.string())->data.measurements.size(); }, 5);
    std::filesystem::remove(path);

    const double megabytes = double(text.size()) / 1e6;
    std::printf("rows: %zu, text: %.1f MB\n", rows, megabytes);
    std::printf("toText:    %7.1f ms  (%.0f MB/s)\n", writeMs, megabytes / writeMs * 1e3);
    std::printf("parseText: %7.1f ms  (%.0f MB/s, %.2f M rows/s)\n", parseMs, megabytes / parseMs * 1e3,
                double(rows) / parseMs / 1e3);
    std::printf("loadFile:  %7.1f ms  (%.0f MB/s)\n", loadMs, megabytes / loadMs * 1e3);
    return rows == maxMeasurements ? 0 : 1;
}
