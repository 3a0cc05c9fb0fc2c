#include "fitting/rvfit.h"
#include "kepler/planetmass.h"
#include "observations/rvreader.h"
#include "observations/synthetic.h"
#include "support/numericfixtures.h"

#include <QTest>

#include <algorithm>
#include <cmath>
#include <functional>
#include <numbers>
#include <random>

using Fitting::Options;
using NumericFixtures::changed;
using Observations::DataSet;
using Change = std::function<void(DataSet &, Options &)>;

Q_DECLARE_METATYPE(std::vector<Kepler::Orbit>)
Q_DECLARE_METATYPE(std::vector<double>)
Q_DECLARE_METATYPE(Fitting::Options)
Q_DECLARE_METATYPE(Change)

namespace {

constexpr double pi = std::numbers::pi;

/// Measurements of known planets from 2458000 on, with one reported uncertainty sigma.
DataSet synthetic(const std::vector<Kepler::Orbit> &planets, const std::vector<double> &offsets, int points,
                  double span, double sigma, double jitter, unsigned seed)
{
    return NumericFixtures::noisyData(planets, offsets, points, 2458000, span, sigma, 0, jitter, seed);
}

DataSet shipped(const char *file)
{
    return Observations::loadFile(std::string(ORBIQUEST9_SOURCE_DIR "/data/rv/") + file)->data;
}

/// One measurement a night at the same hour (±1 h) for `nights` nights from 2458000, in runs of `runNights`
/// every `runEvery` nights, with a slow drift of `drift` m/s over the whole time (a quarter of a sine) that no
/// planet and no trend of the fit can follow.
DataSet nightly(const Kepler::Orbit &planet, int nights, double runNights, double runEvery, double drift, unsigned seed)
{
    constexpr double sigma = 3;
    std::mt19937 random(seed);
    std::normal_distribution<double> normal(0, 1);
    DataSet data;
    data.instruments = {"I0"};
    for (int night = 0; night < nights; ++night) {
        if (std::fmod(night, runEvery) >= runNights)
            continue;
        const double t = 2458000 + night + normal(random) / 24;
        const double v = Kepler::radialVelocity(planet, t) + drift * std::sin(pi / 2 * (t - 2458000) / nights)
            + sigma * normal(random);
        data.measurements.push_back({t, v, sigma, 0});
    }
    return data;
}

/// `perNight` measurements `hoursApart` apart (σ = 1 m/s) on each of `nights` nights from 2458000, begun at the same hour
/// (±1 h); each night's velocities share an offset drawn with σ = `nightScatter` m/s, as a star's activity or an
/// instrument's night-to-night drift gives them.
DataSet severalANight(const Kepler::Orbit &planet, int nights, int perNight, double hoursApart, double nightScatter,
                      unsigned seed)
{
    std::mt19937 random(seed);
    std::normal_distribution<double> normal(0, 1);
    DataSet data;
    data.instruments = {"I0"};
    for (int night = 0; night < nights; ++night) {
        const double start = 2458000 + night + normal(random) / 24;
        const double offset = nightScatter * normal(random);
        for (int k = 0; k < perNight; ++k) {
            const double t = start + k * hoursApart / 24;
            data.measurements.push_back({t, Kepler::radialVelocity(planet, t) + offset + normal(random), 1.0, 0});
        }
    }
    return data;
}

/// |fitted − truth| < 3σ, measured on the circle for angles and modulo the period for times.
void expectWithin(const char *what, double fitted, double truth, double sigma, double modulus = 0)
{
    const double distance = modulus > 0 ? std::abs(std::remainder(fitted - truth, modulus)) : std::abs(fitted - truth);
    QVERIFY2(sigma > 0 && distance < 3 * sigma,
             qPrintable(QStringLiteral("%1: fitted %2 ± %3, truth %4")
                            .arg(what)
                            .arg(fitted, 0, 'g', 10)
                            .arg(sigma, 0, 'g', 3)
                            .arg(truth, 0, 'g', 10)));
}

/// The fitted planet closest in period to the truth.
const Fitting::PlanetResult &closest(const Fitting::Result &result, double period)
{
    return *std::min_element(result.planets.begin(), result.planets.end(), [&](const auto &a, const auto &b) {
        return std::abs(std::log(a.value.periodDays / period)) < std::abs(std::log(b.value.periodDays / period));
    });
}

} // namespace

class TestRvFit : public QObject
{
    Q_OBJECT

private slots:
    // The program's own synthetic examples as a user would fit them (one circular, one eccentric, two planets, two
    // instruments), and planets drawn here with one seed for what they lack: a fitted jitter and the search's stop.
    void recoversKnownPlanets_data()
    {
        QTest::addColumn<DataSet>("data");
        QTest::addColumn<std::vector<Kepler::Orbit>>("truth");
        QTest::addColumn<std::vector<double>>("offsets");
        QTest::addColumn<double>("jitter"); // fitted when > 0
        QTest::addColumn<bool>("search");   // findPlanets for up to 4, which must stop at the truth's count
        const auto row = [](const char *name, const std::vector<Kepler::Orbit> &truth,
                            const std::vector<double> &offsets, double jitter = 0, bool search = false) {
            // The search's data hold a noise peak that only the false-alarm threshold stops.
            const DataSet data = search ? synthetic(truth, offsets, 100, 300, 2.0, jitter, 17)
                                        : synthetic(truth, offsets, 120, 400, 2.0, jitter, 42);
            QTest::newRow(name) << data << truth << offsets << jitter << search;
        };
        row("two instruments with an offset and jitter", {{23.5, 18, 0.2, 5.0, 2458010}}, {-12, 30}, 3);
        row("search in noise only finds none", {}, {0}, 0, true);
        row("search stops after two planets", {{9.7, 14, 0.1, 1.0, 2458002}, {61.0, 11, 0.2, 3.0, 2458030}}, {0}, 0,
            true);
        for (const auto &example : Observations::exampleSets()) {
            std::vector<double> offsets;
            for (const auto &plan : example.plans)
                offsets.push_back(plan.instrumentOffset);
            QTest::addRow("example: %s", example.name.c_str())
                << Observations::simulate(example.planets, example.plans) << example.planets << offsets << 0.0 << false;
        }
    }
    void recoversKnownPlanets()
    {
        QFETCH(DataSet, data);
        QFETCH(std::vector<Kepler::Orbit>, truth);
        QFETCH(std::vector<double>, offsets);
        QFETCH(double, jitter);
        QFETCH(bool, search);
        Options options;
        options.planets = search ? 4 : int(truth.size());
        options.fitJitter = jitter > 0;
        const Fitting::Result result = search ? Fitting::findPlanets(data, options) : Fitting::fit(data, options);
        QVERIFY2(result.ok(), result.message.c_str());
        QCOMPARE(result.planets.size(), truth.size());
        QCOMPARE(result.instruments.size(), offsets.size());
        if (search) {
            QCOMPARE(result.peaks.size(), truth.size());
            // Below the cap of 4, so the search says it stopped for want of a significant planet.
            QVERIFY(result.searchStop == Fitting::SearchStop::FalseAlarmThreshold
                    || result.searchStop == Fitting::SearchStop::NoBicGain);
            QVERIFY2(result.searchStopSentence.starts_with("The search stopped"), result.searchStopSentence.c_str());
        }
        for (const auto &planet : truth) {
            const auto &[v, u, bootstrap] = closest(result, planet.periodDays);
            expectWithin("P", v.periodDays, planet.periodDays, u.periodDays);
            expectWithin("K", v.semiAmplitude, planet.semiAmplitude, u.semiAmplitude);
            if (planet.eccentricity >= 0.2) {
                expectWithin("e", v.eccentricity, planet.eccentricity, u.eccentricity);
                expectWithin("ω", v.omegaRadians, planet.omegaRadians, u.omegaRadians, 2 * pi);
                expectWithin("T_p", v.periastronTime, planet.periastronTime, u.periastronTime, planet.periodDays);
            } else {
                // Near-circular: e is biased upwards by noise (Lucy & Sweeney 1971), ω and T_p undefined.
                QVERIFY2(v.eccentricity < planet.eccentricity + std::max(3 * u.eccentricity, 0.08),
                         qPrintable(QString::number(v.eccentricity)));
            }
            const double conjunction = Kepler::conjunctionFromPeriastron(planet.periastronTime, planet.periodDays,
                                                                         planet.eccentricity, planet.omegaRadians);
            expectWithin("T_c", v.conjunctionTime, conjunction, u.conjunctionTime, planet.periodDays);
        }
        for (std::size_t k = 0; k < offsets.size(); ++k) {
            const auto &instrument = result.instruments[k];
            expectWithin("offset", instrument.offset, offsets[k], instrument.offsetUncertainty);
            if (jitter > 0)
                expectWithin("jitter", instrument.jitter, jitter, instrument.jitterUncertainty);
        }
    }

    // Shipped observations fitted or searched as a student would. Published periods: K2-24 b, c (Petigura et al.
    // 2016) 20.8851 d, 42.3633 d, circular; 47 UMa b, c (Gregory & Fischer 2010) 1078 d, 2391 d; 16 Cyg B b
    // (Cochran et al. 1997) 798.5 d, e = 0.68; 55 Cnc b, c, f, d (Fischer et al. 2008) 14.651, 44.344, 260.0,
    // 5218 d, and e (Dawson & Fabrycky 2010) 0.7365 d, which the search finds fourth; 51 Peg b (Mayor & Queloz
    // 1995) 4.2308 d.
    // K2-24's 32 velocities alone leave aliases near 1.6 d and no peak with a false-alarm probability below 0.05,
    // so its fit is told what the transits tell: periods above 5 days, or the transit ephemeris as a start
    // (T_c = 2072.79438 and 2082.62516, BJD − 2454833, as in RadVel's K2-24 example; circular with ω = 0, so
    // T_p = T_c − P/4). c's σ_P is near 0.9 d: 5 %.
    // 47 UMa c spans about three orbits and these data's best orbit lies near 2260-2300 d, so 10 % or 5 %; the
    // search over the full range must reach it past the nightly aliases of its residuals.
    void publishedPeriods_data()
    {
        QTest::addColumn<DataSet>("data");
        QTest::addColumn<Options>("options");
        QTest::addColumn<bool>("search");
        QTest::addColumn<std::vector<double>>("periods");
        QTest::addColumn<std::vector<double>>("tolerances"); // relative
        // Searches allow four planets; every fit has a jitter per instrument unless said otherwise.
        const auto row = [](const char *name, const char *file, bool search, const std::vector<double> &periods,
                            const std::vector<double> &tolerances,
                            const std::function<void(Options &, const DataSet &)> &change) {
            const DataSet data = shipped(file);
            Options options;
            options.planets = search ? 4 : int(periods.size());
            options.fitJitter = true;
            change(options, data);
            QTest::newRow(name) << data << options << search << periods << tolerances;
        };
        const auto k224 = [](Options &o) {
            o.circular = true;
            o.starMassSolar = 1.07;
        };
        row("K2-24, periodogram above 5 days", "k2-24_rv.csv", false, {20.8851, 42.3633}, {0.03, 0.05},
            [&](Options &o, auto &) {
                k224(o);
                o.fitJitter = false;
                o.grid = Periodogram::FrequencyGrid{1 / 200.0, 1 / 5.0, 2000};
            });
        row("K2-24, transit periods as start", "k2-24_rv.csv", false, {20.8851, 42.3633}, {0.03, 0.05},
            [&](Options &o, auto &) {
                k224(o);
                o.startingOrbits = {{20.8851, 5, 0, 0, 2072.79438 - 20.8851 / 4},
                                    {42.3633, 5, 0, 0, 2082.62516 - 42.3633 / 4}};
            });
        row("47 UMa, periods above 2 days", "47uma.sys", true, {1078, 2391}, {0.01, 0.10},
            [](Options &o, const DataSet &d) {
                const double minFrequency = Periodogram::automaticGrid(d).minFrequency;
                o.grid = Periodogram::gridBetween(minFrequency, 1 / 2.0, 1 / minFrequency / 2);
            });
        // With the search's defaults (σ as given): HJS's σ ≈ 5 m/s against a scatter of 100 m/s ask for a jitter.
        row("16 Cyg B", "16cygB.sys", true, {798.5}, {0.0125}, [](Options &o, auto &) { o.fitJitter = false; });
        // HD 17156 b (Fischer et al. 2007; Barbieri et al. 2009) 21.2165 d, e = 0.68, observed at its transit
        // phases, so its own period is a peak of the window; HD 202206 b (Correia et al. 2005) 255.87 d, a peak
        // width from the window's yearly peak, and c 1383 d, longer than these data's 817 days, hence 30 %.
        row("HD 17156 b, eccentric, on a window peak", "HD17156.sys", true, {21.2165}, {0.01 / 21.2165},
            [](Options &o, auto &) { o.fitJitter = false; });
        row("HD 202206 b beside the yearly alias", "HD202206.sys", true, {255.87, 1383}, {1 / 255.87, 0.3},
            [](Options &o, auto &) { o.fitJitter = false; });
        // K2-131 b (Dai et al. 2017), 0.3693 d, K ≈ 6.5 m/s, shows only once offsets per night take out the star's
        // activity, which swings the velocities of these 70 measurements on 14 nights by some 30 m/s. No period a
        // whole-data fit finds (near 3.0, 4.4 or 0.82 d) holds on the nightly means: no planet.
        row("K2-131: the star's activity is no planet", "k2-131_rv.txt", true, {}, {},
            [](Options &o, auto &) { o.fitJitter = false; });
        // A drift no fit can follow folds to the window's peaks: to about one day under nightly sampling, to the
        // lunar month under runs of bright nights. Neither is a second planet.
        const Options upToFour = changed(Options{}, [](Options &o) {
            o.planets = 4;
            o.fitTrend = true;
        });
        QTest::newRow("nightly data with a drift: one planet")
            << nightly({12.3, 25, 0.1, 1.0, 2458003}, 150, 1, 1, 60, 5) << upToFour << true << std::vector<double>{12.3}
            << std::vector<double>{0.01};
        // Three measurements a night that share each night's offset: the planet, judged by its nights, and nothing
        // the offsets make.
        for (unsigned seed : {1u, 2u, 3u})
            QTest::addRow("three a night, seed %u: one planet", seed)
                << severalANight({3.3, 20, 0, 0, 2458001}, 60, 3, 1.5, 12, seed) << upToFour << true
                << std::vector<double>{3.3} << std::vector<double>{0.01};
        // Three a night span 5 h, over half the orbit of a planet of 0.37 d, which their means would blur and the
        // offsets hide; the changes within the nights show it.
        QTest::newRow("three a night, a planet of 0.37 d")
            << severalANight({0.37, 10, 0, 0, 2458001}, 40, 3, 2.5, 12, 1) << upToFour << true
            << std::vector<double>{0.37} << std::vector<double>{0.01};
        QTest::newRow("monthly runs with a drift: one planet")
            << nightly({5.1, 25, 0.1, 1.0, 2458003}, 300, 10, 29.53, 60, 5) << upToFour << true
            << std::vector<double>{5.1} << std::vector<double>{0.01};
    }
    void publishedPeriods()
    {
        QFETCH(DataSet, data);
        QFETCH(Options, options);
        QFETCH(bool, search);
        QFETCH(std::vector<double>, periods);
        QFETCH(std::vector<double>, tolerances);
        QVERIFY(!data.measurements.empty());
        const Fitting::Result result = search ? Fitting::findPlanets(data, options) : Fitting::fit(data, options);
        QVERIFY2(result.ok(), result.message.c_str());
        QCOMPARE(result.planets.size(), periods.size());
        for (std::size_t p = 0; p < periods.size(); ++p) {
            const auto &planet = closest(result, periods[p]);
            QVERIFY2(
                std::abs(planet.value.periodDays / periods[p] - 1) < tolerances[p],
                qPrintable(QStringLiteral("P = %1 d, published %2 d").arg(planet.value.periodDays).arg(periods[p])));
            if (options.circular)
                QVERIFY(planet.value.eccentricity == 0 && planet.uncertainty.eccentricity == 0
                        && planet.uncertainty.omegaRadians == 0);
        }
        if (search) {
            QCOMPARE(result.peaks.size(), periods.size());
            for (const auto &peak : result.peaks)
                QVERIFY(peak.falseAlarmProbability <= options.falseAlarmThreshold);
        }
        // Asked for one planet where four lie: the search says the cap stopped it.
        if (QByteArray(QTest::currentDataTag()) == "51 Peg, first planet")
            QCOMPARE(result.searchStop, Fitting::SearchStop::PlanetCap);
        if (QByteArray(QTest::currentDataTag()) == "16 Cyg B")
            QVERIFY(std::abs(result.planets[0].value.eccentricity - 0.68) < 0.03);
    }

    // r = (1, −2, 0.5, 3, −1), σ = (1, 2, 1, 1.5, 2), s = (0, 0, 1, 1, 0.5):
    // V = (1, 4, 2, 3.25, 4.25); Σ r²/V = 1 + 1 + 0.125 + 2.769230769 + 0.235294118 = 5.129524887;
    // Σ ln(2πV) = 5 ln 2π + ln(1·4·2·3.25·4.25) = 9.189385332 + 4.705015521 = 13.894400853;
    // −ln L = (5.129524887 + 13.894400853) / 2 = 9.51196287.
    void likelihoodByHand()
    {
        const std::vector<double> residuals{1, -2, 0.5, 3, -1}, sigma{1, 2, 1, 1.5, 2}, jitter{0, 0, 1, 1, 0.5};
        QVERIFY(std::abs(Fitting::negativeLogLikelihood(residuals, sigma, jitter) - 9.51196287) < 1e-8);
    }

    void dataWithoutUncertaintiesHaveTheirScatterFitted()
    {
        // Noise of 5 m/s read from a file with no uncertainty column: σ is assumed 1 m/s,
        // so the jitter must take up √(25 − 1) ≈ 4.9 m/s, even when no jitter was asked for.
        const Kepler::Orbit planet{12.5, 40, 0, 0, 2458003};
        const DataSet noisy = synthetic({planet}, {0}, 60, 200, 5, 0, 11);
        std::string text;
        for (const auto &m : noisy.measurements)
            text += std::to_string(m.time) + " " + std::to_string(m.velocity) + "\n";
        const auto read = Observations::parseText(text, "two columns");
        QVERIFY(read && read->data.lacksUncertainties(0));
        Fitting::Options options;
        options.fitJitter = false;
        const Fitting::Result result = Fitting::fit(read->data, options);
        QVERIFY(result.ok());
        QVERIFY2(std::abs(result.instruments.front().jitter - 4.9) < 1.4,
                 qPrintable(QString::number(result.instruments.front().jitter)));
    }

    void reportedFiguresAgreeWithModel()
    {
        const DataSet data = synthetic({{15.0, 10, 0.2, 1.0, 2458005}}, {3, -4}, 60, 200, 1.5, 2.0, 8);
        const Fitting::Result result = Fitting::fit(data, changed(Options{}, [](Options &o) {
                                                        o.fitJitter = o.fitTrend = true;
                                                        o.bootstrapRuns = 60;
                                                    }));
        QVERIFY(result.ok());
        const std::vector<double> model = Fitting::modelVelocities(result, data);
        std::vector<double> residuals, sigma, jitter;
        double chi2 = 0, squares = 0;
        for (std::size_t i = 0; i < model.size(); ++i) {
            const auto &m = data.measurements[i];
            residuals.push_back(m.velocity - model[i]);
            sigma.push_back(m.uncertainty);
            jitter.push_back(result.instruments[std::size_t(m.instrument)].jitter);
            chi2 +=
                residuals.back() * residuals.back() / (m.uncertainty * m.uncertainty + jitter.back() * jitter.back());
            squares += residuals.back() * residuals.back();
        }
        QVERIFY(std::abs(Fitting::negativeLogLikelihood(residuals, sigma, jitter) - result.negativeLogLikelihood)
                < 1e-6);
        QVERIFY(std::abs(chi2 - result.chiSquare) < 1e-6);
        QVERIFY(std::abs(std::sqrt(squares / 60) - result.rms) < 1e-6);
        // 5 for the planet, 2 offsets, 1 trend, 2 jitters.
        QCOMPARE(result.parameterCount, 10);
        QVERIFY(std::abs(result.bic - (10 * std::log(60.0) + 2 * result.negativeLogLikelihood)) < 1e-9);
        const auto &planet = result.planets[0].value;
        const double mass = Kepler::minimumMass(planet.periodDays, planet.semiAmplitude, planet.eccentricity, 1.0);
        QVERIFY(std::abs(planet.minimumMassJupiter / mass - 1047.57) < 0.1);
        QVERIFY(std::abs(planet.minimumMassEarth / mass - 332946) < 5);
        // The bootstrap's spread agrees with the covariance's uncertainties within a factor of 2.
        QCOMPARE(result.bootstrapRuns, 60);
        const auto &u = result.planets[0].uncertainty;
        const auto &b = result.planets[0].bootstrapUncertainty;
        for (auto [covariance, spread] : {std::pair{u.periodDays, b.periodDays},
                                          {u.semiAmplitude, b.semiAmplitude},
                                          {u.eccentricity, b.eccentricity}})
            QVERIFY2(spread > covariance / 2 && spread < covariance * 2,
                     qPrintable(QStringLiteral("covariance %1, bootstrap %2").arg(covariance).arg(spread)));
    }

    // A raised flag is seen within one refit of a bootstrap, or within one start's fit of a search (each start
    // reports progress).
    void cancelReturnsPromptly_data()
    {
        QTest::addColumn<DataSet>("data");
        QTest::addColumn<Options>("options");
        QTest::addColumn<bool>("search");
        QTest::addColumn<int>("mostCalls"); // of progress; the flag is raised at the third
        QTest::newRow("fit with a long bootstrap")
            << synthetic({{30.0, 20, 0.3, 2.0, 2458010}}, {0}, 80, 300, 3.0, 0.0, 23)
            << changed(Options{}, [](Options &o) { o.bootstrapRuns = 100000; }) << false << 9;
        const Options search = changed(Options{}, [](Options &o) {
            o.planets = 4;
            o.fitJitter = true;
        });
        QTest::newRow("search for four planets") << shipped("55Cnc.sys") << search << true << 3;
    }
    void cancelReturnsPromptly()
    {
        QFETCH(DataSet, data);
        QFETCH(Options, options);
        QFETCH(bool, search);
        QFETCH(int, mostCalls);
        std::atomic<bool> cancel{false};
        std::vector<double> fractions;
        const auto progress = [&](double fraction, std::string_view) {
            fractions.push_back(fraction);
            cancel = fractions.size() >= 3;
        };
        const Fitting::Result result = search ? Fitting::findPlanets(data, options, progress, &cancel)
                                              : Fitting::fit(data, options, progress, &cancel);
        QCOMPARE(result.status, Fitting::Status::Cancelled);
        QVERIFY(!result.ok() && result.planets.empty());
        QVERIFY2(QString::fromStdString(result.message).contains("cancelled"), result.message.c_str());
        QVERIFY2(int(fractions.size()) <= mostCalls, qPrintable(QString::number(fractions.size())));
        QVERIFY(std::is_sorted(fractions.begin(), fractions.end()));
        QVERIFY(fractions.front() >= 0 && fractions.back() < 1);
    }

    void refusesBadInput_data()
    {
        QTest::addColumn<Change>("change");
        QTest::addColumn<QString>("reasonPart");
        const auto row = [](const char *name, const Change &change, const char *reason) {
            QTest::newRow(name) << change << QString(reason);
        };
        row(
            "no data", [](DataSet &d, Options &) { d.measurements.clear(); }, "no measurements");
        row(
            "not a number", [](DataSet &d, Options &) { d.measurements[4].time = NAN; }, "finite");
        row(
            "zero planets", [](DataSet &, Options &o) { o.planets = 0; }, "between 1 and 8");
        row(
            "nine planets", [](DataSet &, Options &o) { o.planets = 9; }, "between 1 and 8");
        row(
            "no star mass", [](DataSet &, Options &o) { o.starMassSolar = 0; }, "mass");
        row(
            "fewer points than parameters", [](DataSet &d, Options &) { d.measurements.resize(5); }, "parameters");
        // Two circular planets hold e and ω: 2 × 3 (ln P, ln K, T_c) + an offset + a trend + a jitter = 9.
        row(
            "circular planets count three parameters each",
            [](DataSet &d, Options &o) {
                d.measurements.resize(9);
                o.planets = 2;
                o.circular = o.fitTrend = o.fitJitter = true;
            },
            "Fitting 9 parameters");
        row(
            "unknown instrument", [](DataSet &d, Options &) { d.measurements[3].instrument = 2; }, "instrument");
        row(
            "uncertainty of 1e-300 m/s", [](DataSet &d, Options &) { d.measurements[3].uncertainty = 1e-300; },
            "below 1 micrometre");
    }
    void refusesBadInput()
    {
        QFETCH(Change, change);
        QFETCH(QString, reasonPart);
        DataSet data = synthetic({{10.0, 5, 0, 0, 2458000}}, {0}, 30, 100, 1.0, 0.0, 1);
        Options options;
        change(data, options);
        for (const auto &result : {Fitting::fit(data, options), Fitting::findPlanets(data, options)}) {
            QCOMPARE(result.status, Fitting::Status::Refused);
            QVERIFY2(QString::fromStdString(result.message).contains(reasonPart), result.message.c_str());
            QVERIFY(result.planets.empty());
        }
    }
};

QTEST_APPLESS_MAIN(TestRvFit)
#include "tst_rvfit.moc"
