// Feeds whatever the reader accepts to the periodogram and the fit: every
// answer must be a refusal or finite numbers in their ranges, never NaN.

#include "fitting/rvfit.h"
#include "observations/rvreader.h"
#include "periodogram/periodogram.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string_view>

namespace {

void require(bool condition)
{
    if (!condition)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *bytes, std::size_t size)
{
    const auto loaded = Observations::parseText(std::string_view(reinterpret_cast<const char *>(bytes), size), "fuzz");
    // The fit's cost grows with the points; a few hundred reach every path.
    if (!loaded.ok() || loaded->data.measurements.size() > 200)
        return 0;
    const Periodogram::FrequencyGrid grid{0.01, 2.0, 400};
    if (!Periodogram::refusal(loaded->data, grid)) {
        const auto spectrum = Periodogram::generalisedLombScargle(loaded->data, grid).value();
        for (double p : spectrum.power)
            require(p >= 0 && p <= 1);
        for (const auto &peak : Periodogram::highestPeaks(spectrum, loaded->data, 3))
            require(std::isfinite(peak.periodDays) && peak.falseAlarmProbability >= 0
                    && peak.falseAlarmProbability <= 1);
        const auto automatic = Periodogram::automaticGrid(loaded->data);
        require(automatic.count >= 2 && automatic.minFrequency > 0 && automatic.maxFrequency > automatic.minFrequency);
    }
    Fitting::Options options;
    options.grid = grid;
    options.fitJitter = size % 2 == 1;
    options.fitTrend = size % 3 == 1;
    const Fitting::Result result = Fitting::fit(loaded->data, options);
    if (!result.ok()) {
        require(result.status == Fitting::Status::Refused && !result.message.empty());
        return 0;
    }
    require(std::isfinite(result.negativeLogLikelihood) && std::isfinite(result.bic) && result.chiSquare >= 0);
    for (const auto &planet : result.planets) {
        const auto &v = planet.value;
        require(v.periodDays > 0 && v.semiAmplitude >= 0 && v.eccentricity >= 0 && v.eccentricity < 1);
        require(std::isfinite(v.periastronTime) && std::isfinite(v.minimumMassJupiter));
        require(std::isfinite(planet.uncertainty.periodDays) && std::isfinite(planet.uncertainty.semiAmplitude));
    }
    for (const auto &instrument : result.instruments)
        require(std::isfinite(instrument.offset) && std::isfinite(instrument.offsetUncertainty)
                && std::isfinite(instrument.jitter));
    return 0;
}
