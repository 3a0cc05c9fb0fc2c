#include "support/clirun.h"

#include "detection/activity.h"
#include "observations/rvreader.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <set>

namespace {

constexpr double pi = std::numbers::pi;

/// The number at a JSON path lies in [low, high].
struct Within
{
    const char *path;
    double low;
    double high;
};

Within near(const char *path, double value, double tolerance)
{
    return {path, value - tolerance, value + tolerance};
}

// The number at a path such as "peaks/0/period", or with "#" last the size of that array; a missing or
// non-numeric field gives NaN, which no check accepts.
double numberAt(const QJsonValue &value, QStringList path)
{
    if (path.isEmpty())
        return value.isDouble() ? value.toDouble() : std::nan("");
    const QString key = path.takeFirst();
    if (key == "#")
        return double(value.toArray().size());
    return numberAt(value.isArray() ? value.toArray().at(key.toInt()) : value.toObject().value(key), path);
}

/// The star's velocity K [cos(ν + ω) + e cos ω] with Kepler's equation solved here by Newton's method.
double keplerVelocity(double t, double period, double k, double e, double omega, double periastron)
{
    const double mean = std::remainder(2 * pi * (t - periastron) / period, 2 * pi);
    double anomaly = e < 0.8 ? mean : pi * (mean < 0 ? -1 : 1);
    for (int i = 0; i < 50; ++i)
        anomaly -= (anomaly - e * std::sin(anomaly) - mean) / (1 - e * std::cos(anomaly));
    const double nu =
        2 * std::atan2(std::sqrt(1 + e) * std::sin(anomaly / 2), std::sqrt(1 - e) * std::cos(anomaly / 2));
    return k * (std::cos(nu + omega) + e * std::cos(omega));
}

/// The rows "time velocity uncertainty instrument" of a text file the simulate command wrote.
QList<QList<QByteArray>> rowsOf(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QList<QList<QByteArray>> rows;
    for (const QByteArray &line : file.readAll().split('\n').mid(1))
        if (!line.trimmed().isEmpty())
            rows.append(line.simplified().split(' '));
    return rows;
}

} // namespace

Q_DECLARE_METATYPE(QList<Within>)

class TestCli : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(m_folder.isValid());
        // One planet of 12.5 days; a weak one of 12.5 days; one with a star's jitter of 5 m/s over σ = 1 m/s;
        // a circular one of K = 20 m/s; the same observed once a night.
        for (const auto &[name, options] :
             {std::pair{"planet.txt",
                        QStringList{"--k", "30", "--e", "0.3", "--omega", "60", "--tp", "2460003", "--sigma", "2",
                                    "--seed", "4", "--instrument", "HARPS", "--points", "80"}},
              {"weak.txt", {"--k", "3", "--sigma", "2", "--seed", "9", "--points", "80"}},
              {"jitter.txt", {"--k", "20", "--sigma", "1", "--jitter", "5", "--seed", "2", "--points", "150"}},
              {"circular.txt", {"--k", "20", "--sigma", "2", "--seed", "4", "--points", "40"}},
              {"nightly.txt",
               {"--k", "20", "--sigma", "2", "--seed", "5", "--points", "60", "--cadence", "nightly"}}}) {
            const CliRun run = runCli(
                QStringList{"simulate", "--period", "12.5", "--span", "300", "-o", m_folder.filePath(name)} + options);
            QVERIFY2(run.exitCode == 0, run.err.constData());
        }
        QCOMPARE(rowsOf(m_folder.filePath("planet.txt")).size(), 80);
        // A circular planet of 7 days, K = 10 m/s, on a trend of 0.05 m/s per day, without noise.
        QByteArray trend = "time mnvel errvel tel\n";
        for (int i = 0; i < 60; ++i) {
            const double t = 2458000 + 1.37 * i + 0.1 * (i * i % 7); // uneven, so no alias matches 7 days
            trend += QByteArray::number(t, 'g', 17) + ' '
                + QByteArray::number(10 * std::cos(2 * pi * (t - 2458003) / 7) + 0.05 * (t - 2458040), 'g', 17)
                + " 1 A\n";
        }
        for (const auto &[name, text] : {std::pair{"garbage.txt", QByteArray("time velocity error\n1 2 x\n3 4 5\n")},
                                         {"two.txt", QByteArray("1 2 1\n3 4 1\n")},
                                         {"trend.txt", trend}}) {
            QFile file(m_folder.filePath(name));
            QVERIFY(file.open(QIODevice::WriteOnly) && file.write(text) > 0);
        }
    }

    // Each run's exit code, and the fragments its output holds: standard output on success, else the one line on
    // standard error; for --json, the numbers it reports. FOLDER holds the files of initTestCase.
    void commands_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QStringList>("fragments");
        QTest::addColumn<QList<Within>>("numbers");
        const auto fails = [](const char *name, const QStringList &arguments, int exitCode, const QString &reason) {
            QTest::newRow(name) << arguments << exitCode << QStringList{reason} << QList<Within>{};
        };
        const auto prints = [](const char *name, const QStringList &arguments, const QStringList &fragments,
                               const QList<Within> &json = {}) {
            QTest::newRow(name) << arguments << 0 << fragments << json;
        };
        prints("periodogram finds the period", {"periodogram", "FOLDER/planet.txt", "--peaks", "3", "--json"}, {},
               {near("points", 80, 0.5), near("peaks/#", 3, 0.5), near("peaks/0/period", 12.5, 0.1)});
        prints("--min-period alone", {"periodogram", "FOLDER/planet.txt", "--min-period", "20", "--json"}, {},
               {near("grid/maxFrequency", 1 / 20.0, 1e-12)});
        prints("--max-period alone", {"periodogram", "FOLDER/planet.txt", "--max-period=100", "--json"}, {},
               {near("grid/minFrequency", 1 / 100.0, 1e-12)});
        // The search's periods: above 20 d the planet of 12.5 d is not there to find; below 10 d its alias is.
        prints("fit above 20 days", {"fit", "FOLDER/planet.txt", "--min-period", "20", "--json"}, {},
               {{"planets/0/period", 20, 1e4}});
        prints("fit below 10 days", {"fit", "FOLDER/planet.txt", "--max-period", "10", "--json"}, {},
               {{"planets/0/period", 0, 10}});
        // By hand: ln P, ln K, √e cos ω, √e sin ω, T_c, an offset and a jitter; --circular holds e and ω.
        prints("fit with a jitter", {"fit", "FOLDER/jitter.txt", "--jitter", "--json"}, {},
               {near("parameters", 7, 0.5), near("instruments/0/jitter", 5, 1.5)});
        prints("circular fit", {"fit", "FOLDER/planet.txt", "--circular", "--json"}, {},
               {near("planets/0/eccentricity", 0, 0), near("parameters", 4, 0)});
        // 5 + an offset + the trend; the data hold 0.05 m/s per day without noise.
        prints("fit with a trend", {"fit", "FOLDER/trend.txt", "--trend", "--json"}, {},
               {near("parameters", 7, 0), near("trend", 0.05, 1e-6), near("planets/0/period", 7, 1e-6)});
        prints("find and bootstrap", {"fit", "FOLDER/planet.txt", "--find", "--bootstrap", "20", "--json"}, {},
               {near("planets/#", 1, 0.5),
                near("bootstrapRuns", 20, 0.5),
                {"planets/0/periodBootstrapUncertainty", 1e-4, 0.1}});
        // The system file gives 1.12 solar masses and two instruments.
        prints("a system file gives the star's mass", {"fit", ORBIQUEST9_SOURCE_DIR "/data/rv/51peg.sys", "--json"}, {},
               {near("starMass", 1.12, 1e-12), near("instruments/#", 2, 0.5)});
        // K2-131 b (Dai et al. 2017: 0.3693 d, 6.5 ± 1.6 Earth masses around 0.84 solar masses), measured from the
        // changes within its 13 nights of two or more velocities (69 of 70; one is alone in its night) while the
        // star's activity moves the nights' means by tens of m/s.
        prints("offsets per night measure an ultra-short period under activity",
               {"fit", ORBIQUEST9_SOURCE_DIR "/data/rv/k2-131_rv.txt", "--offset-per-night", "--circular",
                "--min-period", "0.36", "--max-period", "0.38", "--star-mass", "0.84", "--json"},
               {},
               {near("instruments/#", 13, 0.5),
                near("points", 69, 0.5),
                near("planets/0/period", 0.3693, 0.001),
                {"planets/0/minimumMassEarth", 6.5 - 3.2, 6.5 + 3.2}});
        // The file's numbers are m/s; read as km/s every velocity and so K is a thousand times larger.
        prints("--unit km/s", {"fit", "FOLDER/circular.txt", "--circular", "--unit", "km/s", "--json"}, {},
               {{"planets/0/semiAmplitude", 19000, 21000}});
        fails("--unit of no speed", {"fit", "FOLDER/circular.txt", "--unit", "m"}, 2, "--unit");
        // At T_p, ν = 0 and v = K (1 + e) cos ω = 15.
        prints("curve from periastron",
               {"curve", "--period", "10", "--k", "20", "--e", "0.5", "--omega", "60", "--tp", "100", "--points", "3",
                "--json"},
               {},
               {near("points/#", 3, 0.5), near("points/0/time", 100, 1e-12), near("points/0/phase", 0, 1e-12),
                near("points/0/velocity", 15, 1e-9), near("points/1/phase", 0.5, 1e-12),
                near("points/2/phase", 0, 1e-12)});
        // 0.3 lies a rounding below 0.1 + 0.2: the phase is (almost) a whole orbit, which starts the next, 0.
        prints("a phase is below 1",
               {"curve", "--period", "1", "--k", "1", "--tp", "0.30000000000000004", "--from", "0.3", "--points", "1",
                "--json"},
               {}, {{"points/0/phase", 0, 0.999}});
        prints("a readable table", {"fit", "FOLDER/planet.txt", "--find"},
               {"P (d)", "12.49", " ± ", "HARPS", "BIC", "(assumed)", "The search stopped"});
        // The derived quantities are P, K, … per planet, so K1 is the second. For a circular orbit sampled evenly
        // in phase σ_K = σ √(2/N) = 0.45 m/s, so the 95 % interval, ±0.88 m/s, holds the true 20 m/s and reaches
        // no further than 2 m/s from it (for this seed's fit within 1σ of 20).
        prints("--mcmc", {"fit", "FOLDER/circular.txt", "--circular", "--mcmc", "--json"},
               {"\"posterior\":{\"status\":\"converged\""},
               {{"posterior/derived/1/lower95", 18, 20}, {"posterior/derived/1/upper95", 20, 22}});
        prints("--walkers and --seed",
               {"fit", "FOLDER/circular.txt", "--mcmc", "--walkers", "40", "--seed", "7", "--json"}, {},
               {near("posterior/walkers", 40, 0), near("posterior/seed", 7, 0)});
        // 100 steps are two autocorrelation times of burn-in and far from fifty more.
        prints("--max-steps too few", {"fit", "FOLDER/circular.txt", "--mcmc", "--max-steps", "100", "--json"},
               {"\"posterior\":{\"status\":\"not converged\""}, {near("posterior/derived/#", 0, 0)});
        prints("--max-steps too few, in words", {"fit", "FOLDER/circular.txt", "--mcmc", "--max-steps", "100"},
               {"Posterior: not converged", "no posterior is reported"});
        // Measured once a night the window peaks at 1 c/d; 1/12.5 ± 1 c/d are the planet's aliases, 0.926 and 1.087 d.
        prints("--window", {"periodogram", "FOLDER/nightly.txt", "--window", "--json"}, {"\"window\":true", " day\"}"},
               {near("peaks/0/period", 1, 0.01)});
        prints("aliases labelled", {"periodogram", "FOLDER/nightly.txt", "--peaks", "3", "--json"}, {"\"alias\":null"},
               {near("peaks/0/period", 12.5, 0.1),
                {"peaks/1/period", 0.92, 1.09},
                near("peaks/1/alias/of", 12.5, 0.1),
                near("peaks/1/alias/window/period", 1, 0.01),
                near("peaks/2/alias/of", 12.5, 0.1)});
        prints("aliases in words", {"periodogram", "FOLDER/nightly.txt", "--peaks", "2"}, {"alias of the 12."});
        prints("general help", {"--help"}, {"Subcommands:"});

        fails("no command", {}, 2, "a command is needed");
        fails("unknown command", {"orbit"}, 2, "unknown command");
        fails("unreadable data", {"fit", "FOLDER/garbage.txt"}, 1, "garbage.txt: line 2");
        fails("too few points", {"periodogram", "FOLDER/two.txt"}, 1, "at least 3");
        fails("nine planets", {"fit", "FOLDER/planet.txt", "--planets", "9"}, 2, "--planets: must lie in [1, 8]");
        fails("peaks not a number", {"periodogram", "FOLDER/planet.txt", "--peaks", "many"}, 2, "needs a whole number");
        fails("unknown option", {"fit", "FOLDER/planet.txt", "--planet", "2"}, 2, "--planet");
        fails("eccentricity of 1.5", {"curve", "--period", "3", "--k", "5", "--e", "1.5"}, 2, "--e: must lie in");
        fails("no period", {"simulate", "--k", "5"}, 2, "--period is required");
        fails("spots without their rotation", {"simulate", "--period", "3", "--k", "5", "--spot-amplitude", "9"}, 2,
              "--spot-amplitude requires --spot-period");
        fails("bad cadence", {"simulate", "--period", "3", "--k", "5", "--cadence", "weekly"}, 2, "random or nightly");
        fails("unwritable output", {"simulate", "--period", "3", "--k", "5", "-o", "/nonexistent/x.txt"}, 1,
              "cannot be written");
        fails("--decorrelate against an index the file lacks", {"fit", "FOLDER/planet.txt", "--decorrelate", "BIS"}, 1,
              "no activity index named \"BIS\"");
        fails("json and csv", {"fit", "FOLDER/planet.txt", "--json", "--csv"}, 2, "--json excludes --csv");
        fails("challenge: unknown option", {"challenge", "make", "--level", "1", "--colour"}, 2, "--colour");
        fails("challenge: unwritable file", {"challenge", "data", "P198-1QD6-MZ56", "-o", "/nonexistent/x.txt"}, 1,
              "cannot write");
        fails("detectability: no trials", {"detectability", "FOLDER/planet.txt", "--trials", "0"}, 2, "--trials");
        fails("detectability: unreadable data", {"detectability", "FOLDER/garbage.txt"}, 1, "garbage.txt: line 2");
        fails("periods crossed", {"periodogram", "FOLDER/planet.txt", "--min-period", "50", "--max-period", "10"}, 2,
              "shorter than");
    }
    void commands()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, exitCode);
        QFETCH(QStringList, fragments);
        QFETCH(QList<Within>, numbers);
        arguments.replaceInStrings("FOLDER", m_folder.path());
        const CliRun run = runCli(arguments);
        QCOMPARE(run.exitCode, exitCode);
        if (exitCode != 0) {
            QVERIFY(run.out.isEmpty());
            QVERIFY2(run.err.startsWith("orbiquest9-cli: ") && run.err.count('\n') == 1 && run.err.endsWith('\n'),
                     run.err.constData());
        }
        const QString text = QString::fromUtf8(exitCode == 0 ? run.out : run.err);
        for (const QString &fragment : fragments)
            QVERIFY2(text.contains(fragment), qPrintable(fragment + " not in: " + text));
        for (const Within &within : numbers) {
            const double value = numberAt(run.json(), QString(within.path).split('/'));
            QVERIFY2(value >= within.low && value <= within.high,
                     qPrintable(QStringLiteral("%1 = %2").arg(within.path).arg(value, 0, 'g', 17)));
        }
    }

    // m sin i = K √(1 − e²) (P / 2πG)^(1/3) M★^(2/3) for m ≪ M★: half the star's mass, 0.5^(2/3) the planet's.
    void starMassScalesTheMinimumMass()
    {
        const double heavy = numberAt(runCli({"fit", m_folder.filePath("planet.txt"), "--json"}).json(),
                                      {"planets", "0", "minimumMassJupiter"});
        const double light =
            numberAt(runCli({"fit", m_folder.filePath("planet.txt"), "--star-mass", "0.5", "--json"}).json(),
                     {"planets", "0", "minimumMassJupiter"});
        QVERIFY2(std::abs(light / heavy - std::pow(0.5, 2.0 / 3)) < 1e-3, qPrintable(QString::number(light / heavy)));
    }

    // The weak planet's peak has a false-alarm probability f (the periodogram's): a threshold 100 times below f
    // refuses it and says so, one 100 times above keeps it.
    void falseAlarmThresholdDecidesTheSearch()
    {
        const QString weak = m_folder.filePath("weak.txt");
        const double f =
            numberAt(runCli({"periodogram", weak, "--json"}).json(), {"peaks", "0", "falseAlarmProbability"});
        QVERIFY2(f > 1e-200 && f < 1e-4, qPrintable(QString::number(f)));
        const QJsonObject strict = runCli({"fit", weak, "--find", "--fap", QString::number(f / 100), "--json"}).json();
        QCOMPARE(strict["planets"].toArray().size(), 0);
        QCOMPARE(strict["searchStop"].toString(), QStringLiteral("falseAlarmThreshold"));
        const QJsonObject lenient = runCli({"fit", weak, "--find", "--fap", QString::number(f * 100), "--json"}).json();
        QCOMPARE(lenient["planets"].toArray().size(), 1);
    }

    // Every option of simulate, read back from its JSON: the orbit (velocities against Kepler's equation solved here,
    // with a noise of 1e-6 m/s), the times, the uncertainty, the instrument, the cadence and the seed.
    void simulateHonoursItsOptions()
    {
        const QStringList orbit{"simulate", "--period", "10",   "--k",          "20",     "--e",   "0.4",
                                "--omega",  "70",       "--tp", "2459990",      "--span", "100",   "--start",
                                "2459950",  "--sigma",  "1e-6", "--instrument", "Lick",   "--json"};
        const auto measurements = [&](const QStringList &more) {
            return runCli(orbit + more).json()["measurements"].toArray();
        };
        const auto days = [](const QJsonArray &list) {
            std::set<int> nights;
            for (const auto &m : list)
                nights.insert(int(std::floor(m.toObject()["time"].toDouble() - 2459950)));
            return nights.size();
        };
        const QJsonArray random = measurements({"--cadence", "random", "--seed", "7", "--points", "50"});
        QCOMPARE(random.size(), 50);
        for (const auto &value : random) {
            const QJsonObject m = value.toObject();
            const double t = m["time"].toDouble();
            QVERIFY(t >= 2459950 && t < 2460050);
            QCOMPARE(m["uncertainty"].toDouble(), 1e-6);
            QCOMPARE(m["instrument"].toString(), QStringLiteral("Lick"));
            QVERIFY(std::abs(m["velocity"].toDouble() - keplerVelocity(t, 10, 20, 0.4, 70 * pi / 180, 2459990)) < 1e-4);
        }
        // 50 uniform times in 100 days share a day but with odds of 5e-6; nightly ones never do.
        QVERIFY(days(random) < 50);
        QCOMPARE(days(measurements({"--cadence", "nightly", "--points", "50"})), std::size_t(50));
        QVERIFY(measurements({"--cadence", "random", "--seed", "8", "--points", "50"}) != random);
        QCOMPARE(measurements({"--cadence", "random", "--seed", "7", "--points", "50"}), random);
        // A jitter of 5 m/s scatters 80 velocities about the orbit with a standard deviation of 5 ± 0.4 (3σ is 1.2).
        double squares = 0;
        const QJsonArray jittered = measurements({"--jitter", "5", "--points", "80", "--cadence", "random"});
        for (const auto &value : jittered) {
            const QJsonObject m = value.toObject();
            const double r =
                m["velocity"].toDouble() - keplerVelocity(m["time"].toDouble(), 10, 20, 0.4, 70 * pi / 180, 2459990);
            squares += r * r;
        }
        QVERIFY2(std::abs(std::sqrt(squares / jittered.size()) - 5) < 1.2,
                 qPrintable(QString::number(std::sqrt(squares / jittered.size()))));
    }

    // A spotted star's S-index follows its velocities (r > 0.8, the spots' 20 m/s dwarfing a planet of 2 m/s
    // and the noise of 2 m/s), read back from the written file; without spots no index is written.
    void spottedStarCarriesItsIndex()
    {
        const QString spotted = m_folder.filePath("spotted.txt");
        const QStringList simulate{"simulate", "--period", "12.5", "--k", "2", "--span", "300", "--points", "80"};
        QCOMPARE(runCli(simulate
                        + QStringList{"--spot-period", "23", "--spot-lifetime", "40", "--spot-amplitude", "20", "-o",
                                      spotted})
                     .exitCode,
                 0);
        const auto read = Observations::loadFile(spotted.toStdString());
        QVERIFY2(read.ok(), read.reason().c_str());
        QCOMPARE(read->data.activity.size(), std::size_t(1));
        QCOMPARE(read->data.activity[0].name, std::string("S-index"));
        std::vector<double> velocities;
        for (const auto &m : read->data.measurements)
            velocities.push_back(m.velocity);
        const auto correlation = Detection::pearsonCorrelation(velocities, read->data.activity[0].values);
        QVERIFY2(correlation.ok() && correlation->r > 0.8, qPrintable(QString::number(correlation->r)));
        const auto quiet = Observations::loadFile(m_folder.filePath("weak.txt").toStdString());
        QVERIFY(quiet.ok() && quiet->data.activity.empty());
    }

    // −ln L recomputed here from the JSON's elements and offset and the data file agrees to 1e-9: the export keeps
    // every digit of T_p.
    void likelihoodFromTheExportedElements()
    {
        const QString path = m_folder.filePath("planet.txt");
        const QJsonObject fit = runCli({"fit", path, "--json"}).json();
        const QJsonObject p = fit["planets"].toArray().at(0).toObject();
        const double offset = fit["instruments"].toArray().at(0).toObject()["offset"].toDouble();
        double cost = 0;
        for (const auto &row : rowsOf(path)) {
            const double t = row[0].toDouble(), sigma = row[2].toDouble();
            const double r = row[1].toDouble() - offset
                - keplerVelocity(t, p["period"].toDouble(), p["semiAmplitude"].toDouble(), p["eccentricity"].toDouble(),
                                 p["omegaDegrees"].toDouble() * pi / 180, p["periastronTime"].toDouble());
            cost += 0.5 * (r * r / (sigma * sigma) + std::log(2 * pi * sigma * sigma));
        }
        const double reported = fit["negativeLogLikelihood"].toDouble();
        QVERIFY2(std::abs(cost / reported - 1) < 1e-9,
                 qPrintable(QStringLiteral("%1 against %2").arg(cost, 0, 'g', 17).arg(reported, 0, 'g', 17)));
    }

    // The table and the residuals file are the fit's writers' to shape; the command prints one and writes the other.
    void csvAndResiduals()
    {
        const QString residuals = m_folder.filePath("residuals.csv");
        const CliRun run = runCli({"fit", m_folder.filePath("planet.txt"), "--csv", "--residuals", residuals});
        QCOMPARE(run.exitCode, 0);
        QVERIFY(run.out.startsWith("kind,name,period_d,") && run.out.contains("\nplanet,b,"));
        QFile file(residuals);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QList<QByteArray> lines = file.readAll().trimmed().split('\n');
        QCOMPARE(lines.size(), 81);
        QCOMPARE(lines[0], QByteArray("time,velocity,uncertainty,instrument,model,residual"));
    }

    // The posterior's files: the summary names its columns and has a row per derived quantity (P, K, e, ω, T_p,
    // m sin i, a) and per sampled parameter (ln P, ln K, Tc, offset of a circular one-instrument fit); the chain
    // a row per walker and kept step, a column per parameter after step, walker and ln posterior.
    void posteriorFiles()
    {
        const QString summary = m_folder.filePath("posterior.csv");
        const QString chain = m_folder.filePath("chain.csv");
        const CliRun run = runCli({"fit", m_folder.filePath("circular.txt"), "--circular", "--mcmc", "--json",
                                   "--posterior-csv", summary, "--chain", chain});
        QCOMPARE(run.exitCode, 0);
        const QJsonObject posterior = run.json().value("posterior").toObject();
        const auto linesOf = [](const QString &path) {
            QFile file(path);
            return file.open(QIODevice::ReadOnly) ? file.readAll().trimmed().split('\n') : QList<QByteArray>();
        };
        const QList<QByteArray> summaryLines = linesOf(summary);
        QCOMPARE(summaryLines.value(0),
                 QByteArray("quantity,unit,median,lower68,upper68,lower95,upper95,fit,"
                            "fitUncertainty,autocorrelationTime,splitRHat"));
        QCOMPARE(summaryLines.size(), 1 + 7 + 4);
        const QList<QByteArray> chainLines = linesOf(chain);
        QVERIFY(chainLines.value(0).startsWith("step,walker,lnPosterior,ln P1,ln K1,Tc1,offset "));
        QCOMPARE(chainLines.value(0).count(','), 3 + 3);
        QCOMPARE(chainLines.value(1).count(','), 3 + 3);
        const int keptSteps = posterior.value("steps").toInt() - posterior.value("burnIn").toInt();
        QVERIFY(keptSteps > 0);
        QCOMPARE(chainLines.size(), 1 + posterior.value("walkers").toInt() * keptSteps);
    }

private:
    QTemporaryDir m_folder;
};

QTEST_GUILESS_MAIN(TestCli)
#include "tst_cli.moc"
