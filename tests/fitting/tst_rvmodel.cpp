#include "fitting/levenbergmarquardt.h"
#include "fitting/uncertainties.h"
#include "support/numericfixtures.h"

#include <QTest>

#include <cmath>
#include <numbers>

using Eigen::MatrixXd;
using Eigen::VectorXd;
using Fitting::ParameterLayout;

namespace {

/// Two instruments, each with one σ, a planet of e = 0.3, a trend, velocities moved by an activity index; 200 points.
struct Problem
{
    Fitting::Measurements data;
    ParameterLayout layout{1, 2, true, true, true};
    VectorXd truth;

    Problem()
    {
        const Kepler::Orbit planet{17.3, 30, 0.3, 1.2, 2458004};
        Observations::DataSet set = NumericFixtures::noisyData({planet}, {-5, 12}, 200, 2458000, 300, 1.0, 0, 2.0, 3);
        set.activity = {{"FWHM", {}}};
        for (auto &m : set.measurements) {
            m.uncertainty = m.instrument == 0 ? 1.0 : 1.5;
            m.velocity += 0.02 * (m.time - 2458150);
            const double fwhm = 7 + std::sin(m.time);
            set.activity[0].values.push_back(fwhm);
            m.velocity += (m.instrument == 0 ? 4 : -2) * (fwhm - 7);
        }
        data = Fitting::Measurements::from(set, "FWHM");
        truth = VectorXd::Zero(layout.size());
        Fitting::PlanetParameters::of(planet).write(truth.data());
        truth(layout.offset(0)) = -5;
        truth(layout.offset(1)) = 12;
        truth(layout.trendIndex()) = 0.02;
        truth(layout.jitterSquared(0)) = truth(layout.jitterSquared(1)) = 4;
        truth(layout.coefficient(0)) = 4;
        truth(layout.coefficient(1)) = -2;
    }
};

double costAt(Fitting::RvModel &model, VectorXd x, int q, double step)
{
    x(q) += step;
    return model.negativeLogLikelihood(x);
}

} // namespace

class TestRvModel : public QObject
{
    Q_OBJECT

private slots:
    // Each kind of parameter's analytic slope of −ln L against a central difference, away from the optimum.
    void gradientMatchesFiniteDifference_data()
    {
        QTest::addColumn<int>("parameter");
        QTest::addColumn<double>("step");
        // Steps where −ln L is smooth: the Kepler solver's 1e-12 and T_c's last digit near 2.46e6 d leave it rough
        // below 1e-5; ln P moves the phase of the last orbit about 20 times as far as it moves itself.
        const ParameterLayout layout = Problem().layout;
        const char *names[] = {"ln P", "ln K", "√e cos ω", "√e sin ω", "T_c"};
        for (int q = 0; q < 5; ++q)
            QTest::newRow(names[q]) << layout.planet(0) + q << (q == 0 ? 1e-6 : 1e-4);
        QTest::newRow("offset") << layout.offset(1) << 1e-4;
        QTest::newRow("trend") << layout.trendIndex() << 1e-4;
        QTest::newRow("jitter") << layout.jitterSquared(0) << 1e-4;
        QTest::newRow("decorrelation") << layout.coefficient(1) << 1e-4;
    }
    void gradientMatchesFiniteDifference()
    {
        QFETCH(int, parameter);
        QFETCH(double, step);
        Problem problem;
        Fitting::RvModel model(problem.data, problem.layout);
        VectorXd x = problem.truth;
        x.head(5) += VectorXd::Constant(5, 0.003);
        x(problem.layout.offset(1)) += 0.4;
        x(problem.layout.jitterSquared(0)) = 6;
        x(problem.layout.coefficient(1)) += 0.3;
        VectorXd gradient;
        MatrixXd fisher;
        model.linearise(x, gradient, fisher);
        const double difference = (costAt(model, x, parameter, step) - costAt(model, x, parameter, -step)) / (2 * step);
        QVERIFY2(std::abs(gradient(parameter) - difference) < 1e-5 * std::max(1.0, std::abs(difference)),
                 qPrintable(QStringLiteral("analytic %1, difference %2").arg(gradient(parameter)).arg(difference)));
    }

    // At the optimum, with one σ per instrument, the expected Hessian the covariance inverts equals the observed one
    // up to terms of order σ/K; each σ within 3 % of the inverse of a finite-difference Hessian.
    void covarianceInvertsTheHessian()
    {
        Problem problem;
        Fitting::RvModel model(problem.data, problem.layout);
        VectorXd x = problem.truth;
        const Fitting::FreeParameters free(std::size_t(x.size()), true);
        QCOMPARE(Fitting::minimise(model, x, free, nullptr), Fitting::MinimiserOutcome::Converged);
        VectorXd gradient;
        MatrixXd fisher;
        model.linearise(x, gradient, fisher);
        const MatrixXd covariance = Fitting::covarianceOf(fisher, free);
        const auto m = x.size();
        MatrixXd hessian(m, m);
        VectorXd step(m);
        for (Eigen::Index a = 0; a < m; ++a)
            step(a) = 1e-3 / std::sqrt(fisher(a, a));
        for (Eigen::Index a = 0; a < m; ++a)
            for (Eigen::Index b = 0; b < m; ++b) {
                const auto at = [&](double sa, double sb) {
                    VectorXd y = x;
                    y(a) += sa * step(a);
                    y(b) += sb * step(b);
                    return model.negativeLogLikelihood(y);
                };
                hessian(a, b) = (at(1, 1) - at(1, -1) - at(-1, 1) + at(-1, -1)) / (4 * step(a) * step(b));
            }
        const MatrixXd inverse = hessian.inverse();
        for (Eigen::Index a = 0; a < m; ++a) {
            const double ratio = std::sqrt(covariance(a, a) / inverse(a, a));
            QVERIFY2(std::abs(ratio - 1) < 0.03,
                     qPrintable(QStringLiteral("parameter %1: σ ratio %2").arg(a).arg(ratio)));
        }
    }

    // Problems whose optimum is a weighted linear least-squares solution, solved here by the normal equations:
    // offsets and a trend; a circular orbit of known period and phase, whose K (fitted as ln K) and offset are then
    // linear. The minimiser starts far off and must stop within 1e-9 of the optimum's ln L.
    void stopsAtTheClosedFormOptimum_data()
    {
        QTest::addColumn<int>("planets");
        QTest::newRow("offsets and a trend") << 0;
        QTest::newRow("circular orbit, known phase") << 1;
    }
    void stopsAtTheClosedFormOptimum()
    {
        QFETCH(int, planets);
        const Kepler::Orbit planet{9.0, 20, 0, 0, 2458001};
        const Observations::DataSet set =
            NumericFixtures::noisyData({planet}, {3, -7}, 80, 2458000, 120, 1.5, 1.0, 0, 11);
        const Fitting::Measurements data = Fitting::Measurements::from(set);
        const ParameterLayout layout{planets, 2, planets == 0, false, false};
        // Columns: the offsets, then the trend or the orbit's shape −sin(2π (t − T_c)/P), T_c = T_p + P/4.
        MatrixXd design = MatrixXd::Zero(Eigen::Index(data.size()), 3);
        VectorXd weight(design.rows()), y(design.rows());
        for (Eigen::Index i = 0; i < design.rows(); ++i) {
            const auto n = std::size_t(i);
            design(i, data.instrument[n]) = 1;
            design(i, 2) = planets ? -std::sin(2 * std::numbers::pi * (data.time[n] - 2458001 - 9.0 / 4) / 9.0)
                                   : data.time[n] - data.referenceTime;
            weight(i) = 1 / data.variance[n];
            y(i) = data.velocity[n];
        }
        const VectorXd best = (design.transpose() * weight.asDiagonal() * design)
                                  .ldlt()
                                  .solve(design.transpose() * weight.asDiagonal() * y);
        VectorXd optimum = VectorXd::Zero(layout.size()), x = optimum;
        Fitting::FreeParameters free(std::size_t(layout.size()), true);
        if (planets) {
            Fitting::PlanetParameters::of(planet).write(optimum.data());
            optimum(1) = std::log(best(2));
            Fitting::PlanetParameters::of({9.0, 1, 0, 0, 2458001}).write(x.data());
            free[0] = free[2] = free[3] = free[4] = false;
        } else {
            optimum(layout.trendIndex()) = best(2);
        }
        optimum(layout.offset(0)) = best(0);
        optimum(layout.offset(1)) = best(1);
        Fitting::RvModel model(data, layout);
        QCOMPARE(Fitting::minimise(model, x, free, nullptr), Fitting::MinimiserOutcome::Converged);
        const double reached = model.negativeLogLikelihood(x), closedForm = model.negativeLogLikelihood(optimum);
        QVERIFY2(std::abs(reached - closedForm) < 1e-9, qPrintable(QString::number(reached - closedForm, 'g', 3)));
    }

    // Data that scatter less than their σ want a negative s²: the likelihood refuses one, and the minimiser stops
    // on the boundary s = 0 with a finite −ln L.
    void negativeJitterNeverReachesTheLikelihood()
    {
        Observations::DataSet set = NumericFixtures::noisyData({}, {0}, 60, 2458000, 100, 0.3, 0, 0, 5);
        for (auto &m : set.measurements)
            m.uncertainty = 2.0;
        const Fitting::Measurements data = Fitting::Measurements::from(set);
        const ParameterLayout layout{0, 1, false, true, false};
        Fitting::RvModel model(data, layout);
        VectorXd x(2);
        x << 1.0, -0.5;
        QVERIFY(std::isinf(model.negativeLogLikelihood(x)));
        x(1) = 1.0;
        Fitting::minimise(model, x, Fitting::FreeParameters(2, true), nullptr);
        QCOMPARE(x(1), 0.0);
        QVERIFY(std::isfinite(model.negativeLogLikelihood(x)));
    }
};

QTEST_APPLESS_MAIN(TestRvModel)
#include "tst_rvmodel.moc"
