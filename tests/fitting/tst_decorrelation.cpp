#include "fitting/rvfit.h"
#include "support/numericfixtures.h"

#include <QTest>

#include <cmath>
#include <random>

using Fitting::Options;
using Observations::DataSet;

Q_DECLARE_METATYPE(std::vector<double>)

namespace {

constexpr int points = 120;
constexpr double sigma = 2.0;

/// Velocities of `planets` with noise σ, plus d_k (x_i − 10) on instrument k: x a bisector span drawn
/// uniformly in [6, 14]. An S-index that does not move the velocities comes along.
DataSet activeStar(const std::vector<Kepler::Orbit> &planets, const std::vector<double> &offsets,
                   const std::vector<double> &coefficients, unsigned seed)
{
    DataSet data = NumericFixtures::noisyData(planets, offsets, points, 2458000, 400, sigma, 0, 0, seed);
    std::mt19937 random(seed + 1);
    std::uniform_real_distribution<double> uniform(6, 14);
    Observations::ActivityIndex bisector{"BIS", {}}, sIndex{"S-index", {}};
    for (auto &m : data.measurements) {
        const double x = uniform(random);
        bisector.values.push_back(x);
        sIndex.values.push_back(0.17 + 0.001 * x * x);
        m.velocity += coefficients[std::size_t(m.instrument)] * (x - 10);
    }
    data.activity = {sIndex, bisector};
    return data;
}

Options decorrelated()
{
    Options options;
    options.decorrelateAgainst = "BIS";
    return options;
}

} // namespace

class TestDecorrelation : public QObject
{
    Q_OBJECT

private slots:
    // A planet of K = 20 m/s beside a bisector that moves each instrument's velocities by its own d_k: every d_k and
    // K within 4σ of the truth, each σ small enough to mean something.
    void recoversCoefficients_data()
    {
        QTest::addColumn<std::vector<double>>("offsets");
        QTest::addColumn<std::vector<double>>("coefficients");
        QTest::addColumn<int>("missingEvery"); // every n-th measurement lacks the index; 0: none
        QTest::newRow("one instrument") << std::vector<double>{5} << std::vector<double>{3.0} << 0;
        QTest::newRow("two instruments") << std::vector<double>{5, -8} << std::vector<double>{3.0, -1.5} << 0;
        QTest::newRow("index missing at 12 points") << std::vector<double>{5} << std::vector<double>{3.0} << 10;
    }
    void recoversCoefficients()
    {
        QFETCH(std::vector<double>, offsets);
        QFETCH(std::vector<double>, coefficients);
        QFETCH(int, missingEvery);
        const Kepler::Orbit planet{23.7, 20, 0.1, 1.0, 2458005};
        DataSet data = activeStar({planet}, offsets, coefficients, 11);
        for (int i = 0; missingEvery > 0 && i < points; i += missingEvery)
            data.activity[1].values[std::size_t(i)] = std::nan("");
        const Fitting::Result result = Fitting::fit(data, decorrelated());
        QVERIFY2(result.ok(), result.message.c_str());
        QCOMPARE(result.decorrelatedAgainst, std::string("BIS"));
        const int missing = missingEvery > 0 ? points / missingEvery : 0;
        QCOMPARE(result.pointCount, points - missing);
        if (missing > 0)
            QCOMPARE(result.notes.front(),
                     std::string("12 measurements without a value of \"BIS\" were left out of the decorrelated fit."));
        for (std::size_t k = 0; k < coefficients.size(); ++k) {
            const auto &instrument = result.instruments[k];
            QVERIFY2(instrument.decorrelationUncertainty > 0 && instrument.decorrelationUncertainty < 0.3
                         && std::abs(instrument.decorrelation - coefficients[k])
                             < 4 * instrument.decorrelationUncertainty,
                     qPrintable(QStringLiteral("d%1 = %2 ± %3")
                                    .arg(k)
                                    .arg(instrument.decorrelation)
                                    .arg(instrument.decorrelationUncertainty)));
        }
        const auto &k = result.planets.front();
        QVERIFY2(std::abs(k.value.semiAmplitude - 20) < 4 * k.uncertainty.semiAmplitude,
                 qPrintable(QStringLiteral("K = %1 ± %2").arg(k.value.semiAmplitude).arg(k.uncertainty.semiAmplitude)));
    }

    // No planet, velocities linear in the index: d is the least-squares slope Sxy/Sxx and its σ is σ/√Sxx, both
    // worked out here from the data.
    void withoutPlanetsTheSlopeIsLeastSquares()
    {
        const DataSet data = activeStar({}, {5}, {3.0}, 23);
        Options options = decorrelated();
        const Fitting::Result result = Fitting::findPlanets(data, options);
        QVERIFY2(result.ok(), result.message.c_str());
        QVERIFY(result.planets.empty());
        double meanX = 0, meanY = 0;
        for (std::size_t i = 0; i < points; ++i) {
            meanX += data.activity[1].values[i] / points;
            meanY += data.measurements[i].velocity / points;
        }
        double sxy = 0, sxx = 0;
        for (std::size_t i = 0; i < points; ++i) {
            const double dx = data.activity[1].values[i] - meanX;
            sxy += dx * (data.measurements[i].velocity - meanY);
            sxx += dx * dx;
        }
        const auto &instrument = result.instruments.front();
        QVERIFY2(std::abs(instrument.decorrelation - sxy / sxx) < 1e-6,
                 qPrintable(QStringLiteral("d = %1, slope %2")
                                .arg(instrument.decorrelation, 0, 'g', 12)
                                .arg(sxy / sxx, 0, 'g', 12)));
        QVERIFY(std::abs(instrument.decorrelationUncertainty / (sigma / std::sqrt(sxx)) - 1) < 1e-4);
        QVERIFY(std::abs(instrument.indexMean - meanX) < 1e-12);
        // The model the plots and exports draw is the one fitted: least-squares residuals sum to zero.
        const std::vector<double> model = Fitting::modelVelocities(result, data);
        double residualSum = 0;
        for (std::size_t i = 0; i < points; ++i)
            residualSum += data.measurements[i].velocity - model[i];
        QVERIFY2(std::abs(residualSum) < 1e-6 * points, qPrintable(QString::number(residualSum)));
    }

    // Data that cannot be decorrelated are refused with a sentence that names what is wrong.
    void refusals_data()
    {
        QTest::addColumn<DataSet>("data");
        QTest::addColumn<QString>("named");
        const DataSet good = activeStar({}, {5, -8}, {3.0, 3.0}, 5);
        QTest::newRow("no such index") << NumericFixtures::changed(good, [](DataSet &d) {
            d.activity[1].name = "FWHM";
        }) << QStringLiteral("these data have \"S-index\", \"FWHM\".");
        QTest::newRow("no index at all") << NumericFixtures::changed(good, [](DataSet &d) { d.activity.clear(); })
                                         << QStringLiteral("these data have no activity index");
        QTest::newRow("constant on one instrument") << NumericFixtures::changed(good, [](DataSet &d) {
            for (std::size_t i = 1; i < d.measurements.size(); i += 2)
                d.activity[1].values[i] = 7;
        }) << QStringLiteral("The measurements of I1 give \"BIS\" fewer than two different values");
    }
    void refusals()
    {
        QFETCH(DataSet, data);
        QFETCH(QString, named);
        const Fitting::Result result = Fitting::fit(data, decorrelated());
        QCOMPARE(result.status, Fitting::Status::Refused);
        QVERIFY2(QString::fromStdString(result.message).contains(named), result.message.c_str());
    }
};

QTEST_APPLESS_MAIN(TestDecorrelation)
#include "tst_decorrelation.moc"
