#include "detection/sinusoid.h"

#include "numeric/mathconstants.h"

#include <Eigen/Dense>

#include <algorithm>
#include <cmath>

namespace Detection {

double Sinusoid::amplitude() const
{
    return std::hypot(cosine, sine);
}

double Sinusoid::phase() const
{
    return std::atan2(sine, cosine);
}

double Sinusoid::velocity(double timeDays) const
{
    const double angle = MathConstants::twoPi * frequency * (timeDays - referenceTime);
    return mean + cosine * std::cos(angle) + sine * std::sin(angle);
}

Observations::DataSet centredOnInstrumentMeans(const Observations::DataSet &data)
{
    int instruments = int(data.instruments.size());
    for (const auto &m : data.measurements)
        instruments = std::max(instruments, m.instrument + 1);
    std::vector<double> weightSum(std::size_t(std::max(instruments, 1)), 0.0), velocitySum(weightSum);
    for (const auto &m : data.measurements) {
        const auto k = std::size_t(std::max(m.instrument, 0));
        weightSum[k] += 1 / (m.uncertainty * m.uncertainty);
        velocitySum[k] += m.velocity / (m.uncertainty * m.uncertainty);
    }
    Observations::DataSet centred;
    centred.instruments = {"centred"};
    for (auto m : data.measurements) {
        const auto k = std::size_t(std::max(m.instrument, 0));
        m.velocity -= velocitySum[k] / weightSum[k];
        m.instrument = 0;
        centred.measurements.push_back(m);
    }
    return centred;
}

Sinusoid fitSinusoid(const Observations::DataSet &data, double frequency)
{
    Sinusoid fit;
    const auto n = Eigen::Index(data.measurements.size());
    if (n < 3)
        return fit;
    const Observations::DataSet centred = centredOnInstrumentMeans(data);
    Eigen::VectorXd y(n), w(n), t(n);
    for (Eigen::Index i = 0; i < n; ++i) {
        const auto &m = centred.measurements[std::size_t(i)];
        y(i) = m.velocity;
        w(i) = 1 / (m.uncertainty * m.uncertainty);
        t(i) = m.time;
    }
    const double t0 = w.dot(t) / w.sum();
    Eigen::MatrixXd design(n, 3);
    for (Eigen::Index i = 0; i < n; ++i) {
        const double angle = MathConstants::twoPi * frequency * (t(i) - t0);
        design.row(i) << 1, std::cos(angle), std::sin(angle);
    }
    const Eigen::MatrixXd weighted = design.transpose() * w.asDiagonal();
    const Eigen::Vector3d x = (weighted * design).ldlt().solve(weighted * y);
    const Eigen::VectorXd residual = y - design * x;
    const Eigen::VectorXd deviation = y.array() - w.dot(y) / w.sum();
    const double scatter = w.dot(deviation.cwiseProduct(deviation));
    if (!(scatter > 0) || !x.allFinite())
        return fit;
    fit = {frequency, t0, x(0), x(1), x(2), std::clamp(1 - w.dot(residual.cwiseProduct(residual)) / scatter, 0.0, 1.0)};
    return fit;
}

} // namespace Detection
