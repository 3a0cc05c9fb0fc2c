#include "labdata/plotdata.h"

#include <QObject>

#include <algorithm>
#include <cmath>

namespace PlotData {

namespace {

QList<InstrumentPoints> emptyInstruments(const Observations::DataSet &data)
{
    QList<InstrumentPoints> instruments;
    for (std::size_t k = 0; k < data.instruments.size(); ++k)
        instruments.append({QString::fromStdString(data.instruments[k]), instrumentColor(int(k)), {}, {}, {}});
    return instruments;
}

bool validInstrument(const Observations::Measurement &m, const QList<InstrumentPoints> &instruments)
{
    return m.instrument >= 0 && m.instrument < instruments.size();
}

void append(InstrumentPoints &target, QPointF point, double error, std::size_t measurement)
{
    target.points.append(point);
    target.errors.append(error);
    target.measurements.append(qsizetype(measurement));
}

/// Each instrument's weighted mean velocity Σ(v/σ²)/Σ(1/σ²); 0 for one without points.
std::vector<double> weightedMeans(const Observations::DataSet &data)
{
    std::vector<double> sum(data.instruments.size(), 0.0), weight(data.instruments.size(), 0.0);
    for (const auto &m : data.measurements) {
        if (m.instrument < 0 || std::size_t(m.instrument) >= sum.size())
            continue;
        const double w = 1.0 / (m.uncertainty * m.uncertainty);
        sum[std::size_t(m.instrument)] += w * m.velocity;
        weight[std::size_t(m.instrument)] += w;
    }
    std::vector<double> means(sum.size(), 0.0);
    for (std::size_t k = 0; k < means.size(); ++k)
        means[k] = weight[k] > 0 ? sum[k] / weight[k] : 0.0;
    return means;
}

double phaseOf(double time, const Kepler::Orbit &orbit)
{
    const double cycles = (time - orbit.periastronTime) / orbit.periodDays;
    return cycles - std::floor(cycles);
}

} // namespace

double timeOrigin(const Observations::DataSet &data)
{
    if (data.measurements.empty())
        return 0;
    return std::min_element(data.measurements.begin(), data.measurements.end(),
                            [](const auto &a, const auto &b) { return a.time < b.time; })
        ->time;
}

double timeSpan(const Observations::DataSet &data)
{
    double first = INFINITY, last = -INFINITY;
    for (const auto &m : data.measurements) {
        first = std::min(first, m.time);
        last = std::max(last, m.time);
    }
    return last > first ? last - first : 0.0;
}

QList<InstrumentPoints> alignedPoints(const Observations::DataSet &data, const Fitting::Result *fit)
{
    QList<InstrumentPoints> instruments = emptyInstruments(data);
    std::vector<double> zero = weightedMeans(data);
    const bool fitted = fit && fit->ok() && fit->instruments.size() == data.instruments.size();
    for (std::size_t k = 0; fitted && k < zero.size(); ++k)
        zero[k] = fit->instruments[k].offset;
    const double origin = timeOrigin(data);
    for (std::size_t i = 0; i < data.measurements.size(); ++i) {
        const auto &m = data.measurements[i];
        if (validInstrument(m, instruments))
            append(instruments[m.instrument], {m.time - origin, m.velocity - zero[std::size_t(m.instrument)]},
                   m.uncertainty, i);
    }
    return instruments;
}

QList<QPointF> modelCurve(const Fitting::Result &fit, const Observations::DataSet &data, int samples)
{
    QList<QPointF> curve;
    if (!fit.ok() || data.measurements.empty() || fit.instruments.empty() || samples < 2)
        return curve;
    const double origin = timeOrigin(data);
    const double last = origin + timeSpan(data);
    // The model of the fit at these times for the first instrument.
    Observations::DataSet times;
    times.instruments = data.instruments;
    times.measurements.reserve(std::size_t(samples));
    for (int i = 0; i < samples; ++i)
        times.measurements.push_back({origin + (last - origin) * i / (samples - 1), 0, 1, 0});
    const std::vector<double> model = Fitting::modelVelocities(fit, times);
    const double offset = fit.instruments.front().offset;
    for (int i = 0; i < samples && std::size_t(i) < model.size(); ++i)
        curve.append({times.measurements[std::size_t(i)].time - origin, model[std::size_t(i)] - offset});
    return curve;
}

Observations::DataSet residualData(const Fitting::Result &fit, const Observations::DataSet &data)
{
    Observations::DataSet residuals = data;
    const std::vector<double> model = Fitting::modelVelocities(fit, data);
    for (std::size_t i = 0; i < residuals.measurements.size() && i < model.size(); ++i)
        residuals.measurements[i].velocity -= model[i];
    return residuals;
}

QList<InstrumentPoints> residualPoints(const Fitting::Result &fit, const Observations::DataSet &data)
{
    QList<InstrumentPoints> instruments = emptyInstruments(data);
    if (!fit.ok())
        return instruments;
    const Observations::DataSet residuals = residualData(fit, data);
    const double origin = timeOrigin(data);
    for (std::size_t i = 0; i < residuals.measurements.size(); ++i) {
        const auto &m = residuals.measurements[i];
        if (validInstrument(m, instruments))
            append(instruments[m.instrument], {m.time - origin, m.velocity}, m.uncertainty, i);
    }
    return instruments;
}

QList<InstrumentPoints> phasePoints(const Fitting::Result &fit, const Observations::DataSet &data, int planet)
{
    QList<InstrumentPoints> instruments = emptyInstruments(data);
    if (!fit.ok() || planet < 0 || std::size_t(planet) >= fit.planets.size())
        return instruments;
    const Kepler::Orbit orbit = fit.planets[std::size_t(planet)].orbit();
    const Observations::DataSet residuals = residualData(fit, data);
    for (std::size_t i = 0; i < residuals.measurements.size(); ++i) {
        const auto &m = residuals.measurements[i];
        if (validInstrument(m, instruments))
            append(instruments[m.instrument],
                   {phaseOf(m.time, orbit), m.velocity + Kepler::radialVelocity(orbit, m.time)}, m.uncertainty, i);
    }
    return instruments;
}

QList<QPointF> phaseCurve(const Fitting::Result &fit, int planet, int samples)
{
    QList<QPointF> curve;
    if (!fit.ok() || planet < 0 || std::size_t(planet) >= fit.planets.size() || samples < 2)
        return curve;
    const Kepler::Orbit orbit = fit.planets[std::size_t(planet)].orbit();
    for (int i = 0; i < samples; ++i) {
        const double phase = double(i) / (samples - 1);
        curve.append({phase, Kepler::radialVelocity(orbit, orbit.periastronTime + phase * orbit.periodDays)});
    }
    return curve;
}

Fitting::Result onInstrumentsOf(const Fitting::Result &fit, const Observations::DataSet &data)
{
    Fitting::Result expanded = fit;
    expanded.instruments.clear();
    const std::vector<double> means = weightedMeans(data);
    for (std::size_t k = 0; k < data.instruments.size(); ++k) {
        const std::string &name = data.instruments[k];
        const auto fitted = std::ranges::find(fit.instruments, name, &Fitting::InstrumentResult::name);
        Fitting::InstrumentResult instrument;
        instrument.offset = means[k];
        if (fitted != fit.instruments.end())
            instrument = *fitted;
        instrument.name = name;
        expanded.instruments.push_back(instrument);
    }
    return expanded;
}

SplitPoints splitExcluded(const QList<InstrumentPoints> &instruments, const std::vector<bool> &excluded)
{
    SplitPoints split;
    split.excluded = {QObject::tr("Excluded"), ExcludedColor, {}, {}, {}};
    for (const InstrumentPoints &instrument : instruments) {
        InstrumentPoints kept{instrument.name, instrument.color, {}, {}, {}};
        for (qsizetype j = 0; j < instrument.points.size(); ++j) {
            const auto index = std::size_t(instrument.measurements.at(j));
            InstrumentPoints &target = index < excluded.size() && excluded[index] ? split.excluded : kept;
            append(target, instrument.points.at(j), instrument.errors.at(j), index);
        }
        split.kept.append(kept);
    }
    return split;
}

QStringList planetSummaries(const Fitting::Result &fit)
{
    QStringList summaries;
    for (std::size_t j = 0; j < fit.planets.size(); ++j) {
        const auto &value = fit.planets[j].value;
        summaries << QObject::tr("Planet %1: P = %2 d, K = %3 m/s")
                         .arg(planetLetter(int(j)))
                         .arg(value.periodDays, 0, 'g', 6)
                         .arg(value.semiAmplitude, 0, 'g', 4);
    }
    return summaries;
}

QString planetLetter(int index)
{
    return QString(QChar(u'b' + char16_t(index)));
}

QList<int> pointsPerInstrument(const Observations::DataSet &data)
{
    QList<int> counts(qsizetype(data.instruments.size()), 0);
    for (const auto &m : data.measurements) {
        if (m.instrument >= 0 && m.instrument < counts.size())
            ++counts[m.instrument];
    }
    return counts;
}

} // namespace PlotData
