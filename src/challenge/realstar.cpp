#include "challenge/realstar.h"

#include "challenge/rounding.h"
#include "observations/activityrows.h"
#include "observations/rvreader.h"

#include <algorithm>
#include <numeric>

namespace Challenge {

const std::vector<std::string> &realStarFiles()
{
    static const std::vector<std::string> files{"51peg.sys", "HD209458.sys", "16cygB.sys"};
    return files;
}

namespace {

std::vector<std::size_t> drawnIndices(const Observations::DataSet &published, int points, RandomStream &random)
{
    std::vector<std::size_t> indices(published.measurements.size());
    std::iota(indices.begin(), indices.end(), std::size_t(0));
    const std::size_t count = std::min(indices.size(), std::size_t(points));
    for (std::size_t i = 0; i < count; ++i)
        std::swap(indices[i], indices[i + std::size_t(random.below(indices.size() - i))]);
    indices.resize(count);
    std::sort(indices.begin(), indices.end(), [&](std::size_t a, std::size_t b) {
        const double ta = published.measurements[a].time, tb = published.measurements[b].time;
        return ta != tb ? ta < tb : a < b;
    });
    return indices;
}

Observations::DataSet shownData(const Observations::DataSet &published, const std::vector<std::size_t> &indices)
{
    Observations::DataSet shown;
    std::vector<int> newInstrument(published.instruments.size(), -1);
    for (std::size_t index : indices) {
        Observations::Measurement m = published.measurements[index];
        int &renamed = newInstrument[std::size_t(m.instrument)];
        if (renamed < 0) {
            renamed = int(shown.instruments.size());
            shown.instruments.push_back(std::string(1, char('A' + renamed)));
        }
        m.instrument = renamed;
        m.time = roundedTo(m.time, 1e-5);
        m.velocity = roundedTo(m.velocity, 0.01);
        m.uncertainty = std::max(0.01, roundedTo(m.uncertainty, 0.01));
        shown.measurements.push_back(m);
    }
    shown.activity = Observations::activityOfRows(published.activity, indices);
    return shown;
}

} // namespace

Numeric::Outcome<RealStarData> drawRealStar(const std::filesystem::path &rvFolder, int points, RandomStream &random)
{
    const auto &files = realStarFiles();
    const std::filesystem::path file = rvFolder / files[std::size_t(random.below(files.size()))];
    const auto loaded = Observations::loadSystemFile(file.string());
    if (!loaded)
        return Numeric::Refusal{"the real star's data cannot be read: " + loaded.reason()};
    RealStarData star;
    star.starName = loaded->name;
    star.starMassSolar = loaded->starMassSolar;
    star.published = loaded->data;
    star.shown = shownData(star.published, drawnIndices(star.published, points, random));
    return star;
}

} // namespace Challenge
