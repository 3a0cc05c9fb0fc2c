#include "cli/fitcommand.h"
#include "cli/texttable.h"
#include "fitting/resultexport.h"
#include "numeric/numbertext.h"

namespace Cli {

namespace {

/// The bootstrap's spread where one ran, else the covariance's.
const Fitting::PlanetElements &uncertaintyOf(const Fitting::PlanetResult &planet, int bootstrapRuns)
{
    return bootstrapRuns > 0 ? planet.bootstrapUncertainty : planet.uncertainty;
}

/// "value ± σ", with a dagger where the element is unconstrained.
std::string markedText(double value, double uncertainty, bool &anyUnconstrained)
{
    const bool loose = Fitting::unconstrained(value, uncertainty);
    anyUnconstrained = anyUnconstrained || loose;
    return Numeric::measuredText(value, uncertainty) + (loose ? " †" : "");
}

void printPlanets(const Fitting::Result &result, std::ostream &out)
{
    TextTable planets({"Planet", "P (d)", "K (m/s)", "e", "ω (°)", "T_p (d)", "m sin i (M_J)", "m sin i (M_⊕)"});
    bool loose = false;
    for (std::size_t j = 0; j < result.planets.size(); ++j) {
        const auto &v = result.planets[j].value;
        const auto &u = uncertaintyOf(result.planets[j], result.bootstrapRuns);
        planets.addRow({std::string(1, char('b' + j)), markedText(v.periodDays, u.periodDays, loose),
                        markedText(v.semiAmplitude, u.semiAmplitude, loose),
                        markedText(v.eccentricity, u.eccentricity, loose),
                        markedText(Fitting::degreesFromRadians(v.omegaRadians),
                                   Fitting::degreesFromRadians(u.omegaRadians), loose),
                        markedText(v.periastronTime, u.periastronTime, loose),
                        markedText(v.minimumMassJupiter, u.minimumMassJupiter, loose),
                        markedText(v.minimumMassEarth, u.minimumMassEarth, loose)});
    }
    out << planets.text() << "\n";
    if (loose)
        out << "† unconstrained: the uncertainty exceeds the value.\n\n";
}

/// Offsets, jitters and rms per instrument, and the coefficients on the
/// activity index when the fit decorrelates against one.
void printInstruments(const Fitting::Result &result, std::ostream &out)
{
    using Numeric::measuredText;
    const bool decorrelated = !result.decorrelatedAgainst.empty();
    std::vector<std::string> header{"Instrument", "Points", "Offset (m/s)", "Jitter (m/s)", "rms (m/s)"};
    if (decorrelated)
        header.push_back("d (m/s per unit of " + result.decorrelatedAgainst + ")");
    TextTable instruments(header);
    bool loose = false;
    for (const auto &instrument : result.instruments) {
        std::vector<std::string> row{instrument.name, std::to_string(instrument.points),
                                     measuredText(instrument.offset, instrument.offsetUncertainty),
                                     measuredText(instrument.jitter, instrument.jitterUncertainty),
                                     significant(instrument.rms, 3)};
        if (decorrelated)
            row.push_back(markedText(instrument.decorrelation, instrument.decorrelationUncertainty, loose));
        instruments.addRow(row);
    }
    out << instruments.text() << "\n";
    if (loose)
        out << "† unconstrained: the uncertainty exceeds the value.\n\n";
}

} // namespace

void printFit(const Fitting::Result &result, const std::string &path, bool massGiven, std::ostream &out)
{
    using Numeric::measuredText;
    out << "Keplerian fit of " << path << ": " << result.planets.size() << " planet"
        << (result.planets.size() == 1 ? "" : "s")
        << (result.status == Fitting::Status::Stalled ? " (the optimiser stopped before converging)" : "")
        << "\nStar mass " << significant(result.starMassSolar, 4) << " solar masses" << (massGiven ? "" : " (assumed)")
        << "\n\n";
    if (!result.planets.empty())
        printPlanets(result, out);
    printInstruments(result, out);
    if (result.trendFitted)
        out << "Trend: " << measuredText(result.trend, result.trendUncertainty) << " m/s per day\n";
    out << "-ln L = " << significant(result.negativeLogLikelihood, 8) << ", chi² = " << significant(result.chiSquare, 6)
        << ", rms = " << significant(result.rms, 4) << " m/s, BIC = " << significant(result.bic, 8)
        << " (n = " << result.pointCount << ", k = " << result.parameterCount << ")\n";
    if (result.bootstrapRuns > 0)
        out << "Uncertainties from " << result.bootstrapRuns << " bootstrap refits.\n";
    if (!result.searchStopSentence.empty())
        out << result.searchStopSentence << "\n";
    for (const std::string &note : result.notes)
        out << note << "\n";
}

} // namespace Cli
