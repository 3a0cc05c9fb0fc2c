#include "labdata/activitypane.h"

#include "labdata/datachart.h"
#include "labdata/periodogramchart.h"
#include "labdata/plotdata.h"

#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QLabel>
#include <QLegend>
#include <QLineSeries>
#include <QLogValueAxis>
#include <QStackedLayout>
#include <QVBoxLayout>
#include <QValueAxis>
#include <QtConcurrent/QtConcurrentRun>

#include <cmath>

namespace {

/// The index peaks each analysis lists: enough for every velocity peak the
/// table shows to find its counterpart.
constexpr std::size_t IndexPeakCount = 5;

/// The false-alarm probabilities drawn as levels; the first is the one an
/// index peak must reach to make a velocity peak "may be activity".
constexpr double Levels[] = {Detection::activityFlagProbability, 0.001};

/// "= 3×10⁻⁵": a probability as a reader writes it, one significant digit
/// below 0.001, since such p-values differ by orders of magnitude; "< 10⁻³⁰⁰"
/// where it is too small for a double.
QString probabilityText(double p)
{
    if (p >= 1e-3)
        return QStringLiteral("= ") + QString::number(p, 'g', 2);
    if (!(p > 0))
        return QStringLiteral("< 10⁻³⁰⁰");
    int exponent = int(std::floor(std::log10(p)));
    double mantissa = std::round(p / std::pow(10.0, exponent));
    if (mantissa >= 10) {
        mantissa = 1;
        ++exponent;
    }
    static const QString superscripts = QStringLiteral("⁰¹²³⁴⁵⁶⁷⁸⁹");
    QString power = QStringLiteral("⁻");
    for (const QChar digit : QString::number(-exponent))
        power += superscripts.at(digit.digitValue());
    return QStringLiteral("= %1×10%2").arg(mantissa).arg(power);
}

/// Each instrument's points of (x, y) pairs, with y's error bars when given.
QList<InstrumentPoints> pointsPerInstrument(const Observations::DataSet &series, const std::vector<double> &x,
                                            const std::vector<double> &y, const std::vector<double> &errors,
                                            const std::vector<std::size_t> &rows)
{
    QList<InstrumentPoints> instruments;
    for (std::size_t k = 0; k < series.instruments.size(); ++k)
        instruments.append({QString::fromStdString(series.instruments[k]), instrumentColor(int(k)), {}, {}, {}});
    for (std::size_t i = 0; i < x.size(); ++i) {
        InstrumentPoints &points = instruments[series.measurements[i].instrument];
        points.points.append({x[i], y[i]});
        points.errors.append(errors.empty() ? 0.0 : errors[i]);
        points.measurements.append(qsizetype(rows[i]));
    }
    return instruments;
}

} // namespace

ActivityPane::ActivityPane(QWidget *parent)
    : QWidget(parent)
    , m_choice(new QComboBox)
    , m_message(new QLabel)
    , m_correlation(new QLabel)
    , m_levelsKey(new QLabel)
    , m_noIndex(new QLabel)
    , m_time(new DataChart(QString(), QString()))
    , m_periodogram(new PeriodogramChart)
    , m_scatter(new DataChart(QString(), QString()))
    , m_pages(new QStackedLayout(this))
    , m_cancel(std::make_shared<std::atomic<bool>>(false))
{
    setObjectName(QStringLiteral("activityPane"));
    m_choice->setObjectName(QStringLiteral("activityIndexChoice"));
    m_message->setObjectName(QStringLiteral("activityMessage"));
    m_message->setWordWrap(true);
    m_correlation->setObjectName(QStringLiteral("activityCorrelation"));
    m_correlation->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_time->setObjectName(QStringLiteral("activityTimeChart"));
    m_periodogram->setObjectName(QStringLiteral("activityPeriodogramChart"));
    m_scatter->setObjectName(QStringLiteral("activityScatterChart"));
    for (QWidget *chart : std::initializer_list<QWidget *>{m_time, m_periodogram, m_scatter})
        chart->setMinimumSize(200, 150);
    // The page shares the tab's height with the periodogram: the scatter and
    // the index's periodogram say what they show beside them, not in legends.
    m_scatter->chart()->legend()->hide();
    m_periodogram->chart()->legend()->hide();
    m_levelsKey->setWordWrap(true);
    for (std::size_t k = 0; k < std::size(Levels); ++k) {
        auto *level = new QLineSeries;
        level->setPen(QPen(QColor(120, 120, 120), 1, k == 0 ? Qt::DashLine : Qt::DotLine));
        m_periodogram->chart()->addSeries(level);
        level->attachAxis(m_periodogram->periodAxis());
        level->attachAxis(m_periodogram->chart()->axes(Qt::Vertical).constFirst());
        m_levels.append(level);
    }

    auto *said = new QVBoxLayout;
    said->addWidget(m_choice);
    said->addWidget(m_correlation);
    said->addWidget(m_message);
    said->addWidget(m_levelsKey);
    said->addStretch(1);
    auto *indexPage = new QWidget;
    auto *layout = new QGridLayout(indexPage);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addWidget(m_time, 0, 0);
    layout->addWidget(m_scatter, 0, 1);
    layout->addWidget(m_periodogram, 1, 0);
    layout->addLayout(said, 1, 1);
    layout->setColumnStretch(0, 3);
    layout->setColumnStretch(1, 2);
    layout->setRowStretch(0, 1);
    layout->setRowStretch(1, 1);
    // Data without an index get one sentence, not empty charts.
    m_noIndex->setObjectName(QStringLiteral("activityNoIndex"));
    m_noIndex->setWordWrap(true);
    m_noIndex->setAlignment(Qt::AlignCenter);
    m_noIndex->setMargin(20);
    m_pages->addWidget(m_noIndex);
    m_pages->addWidget(indexPage);

    connect(m_choice, &QComboBox::currentIndexChanged, this, &ActivityPane::showChosenIndex);
    connect(&m_watcher, &QFutureWatcher<std::vector<Detection::IndexAnalysis>>::finished, this, &ActivityPane::finish);
    retranslate();
}

ActivityPane::~ActivityPane()
{
    m_cancel->store(true);
    m_watcher.disconnect();
    m_watcher.waitForFinished();
}

void ActivityPane::retranslate()
{
    setWindowTitle(tr("Activity"));
    m_choice->setToolTip(tr("The activity index shown"));
    m_time->setTitles(tr("Time since first measurement (days)"), tr("Index"));
    m_levelsKey->setText(
        tr("Periodogram of the index: false-alarm probability 1 % at the dashed line, "
           "0.1 % at the dotted one."));
    showChosenIndex();
}

void ActivityPane::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QWidget::changeEvent(event);
}

void ActivityPane::analyse(const Observations::DataSet &kept, const std::optional<Periodogram::FrequencyGrid> &grid)
{
    m_kept = kept;
    m_spanDays = PlotData::timeSpan(kept);
    m_analyses.clear();
    {
        const QSignalBlocker quiet(m_choice);
        m_choice->clear();
        for (const Observations::ActivityIndex &index : kept.activity)
            m_choice->addItem(QString::fromStdString(index.name));
    }
    Request request{kept, grid ? *grid : Periodogram::automaticGrid(kept)};
    if (m_watcher.isRunning()) {
        m_cancel->store(true);
        m_pending = std::move(request);
    } else if (kept.activity.empty()) {
        m_pending.reset();
        emit analysed();
    } else {
        start(std::move(request));
    }
    showChosenIndex();
}

void ActivityPane::start(Request request)
{
    // A fresh flag per run: a late cancel of the previous run cannot stop this one.
    m_cancel = std::make_shared<std::atomic<bool>>(false);
    m_watcher.setFuture(QtConcurrent::run([request = std::move(request), cancel = m_cancel] {
        std::vector<Detection::IndexAnalysis> analyses;
        for (std::size_t k = 0; k < request.kept.activity.size() && !cancel->load(); ++k)
            analyses.push_back(Detection::analyseIndex(request.kept, k, request.grid, IndexPeakCount, cancel.get()));
        return analyses;
    }));
}

void ActivityPane::finish()
{
    if (m_pending) {
        Request next = std::move(*m_pending);
        m_pending.reset();
        if (next.kept.activity.empty())
            emit analysed();
        else
            start(std::move(next));
        return;
    }
    m_analyses = m_watcher.result();
    showChosenIndex();
    emit analysed();
}

QString ActivityPane::activityRemark(const Periodogram::Peak &velocityPeak) const
{
    const auto flags = Detection::activityFlags(std::span(&velocityPeak, 1), m_analyses, m_spanDays);
    if (!flags.front())
        return {};
    // On two lines, so the peak table stays narrow enough for a small screen.
    return tr("may be activity\n%1, %2 d")
        .arg(QString::fromStdString(flags.front()->indexName))
        .arg(flags.front()->indexPeak.periodDays, 0, 'g', 3);
}

void ActivityPane::clearCharts()
{
    m_time->setInstruments({});
    m_scatter->setInstruments({});
    m_periodogram->setData({}, {});
    m_periodogram->setPeaks({});
    for (QLineSeries *level : std::as_const(m_levels))
        level->clear();
    m_correlation->clear();
}

void ActivityPane::showChosenIndex()
{
    showMessage();
    const int chosen = m_choice->currentIndex();
    if (chosen < 0 || std::size_t(chosen) >= m_analyses.size()) {
        clearCharts();
        return;
    }
    const Detection::IndexAnalysis &analysis = m_analyses[std::size_t(chosen)];
    const Detection::IndexSeries &series = analysis.series;
    const QString name = QString::fromStdString(series.name);

    const double origin = PlotData::timeOrigin(m_kept);
    std::vector<double> times, values;
    for (const Observations::Measurement &measurement : series.data.measurements) {
        times.push_back(measurement.time - origin);
        values.push_back(measurement.velocity);
    }
    m_time->setTitles(tr("Time since first measurement (days)"), name);
    m_time->setInstruments(pointsPerInstrument(series.data, times, values, {}, series.rows));
    m_time->chart()->legend()->setVisible(series.data.instruments.size() > 1);

    const Detection::CenteredPairs pairs = Detection::centeredPairs(series);
    std::vector<double> errors;
    for (const Observations::Measurement &measurement : m_kept.measurements)
        errors.push_back(measurement.uncertainty);
    std::vector<double> rowErrors;
    for (std::size_t row : series.rows)
        rowErrors.push_back(errors[row]);
    // Short titles on a small chart: the message says each instrument's mean is removed.
    m_scatter->setTitles(name, tr("Velocity (m/s)"));
    m_scatter->setInstruments(pointsPerInstrument(series.data, pairs.index, pairs.velocity, rowErrors, series.rows));
    if (analysis.correlation)
        //: %2 is "= 0.43", "= 3×10⁻⁵" or "< 10⁻³⁰⁰".
        m_correlation->setText(tr("r = %1, p %2, n = %3")
                                   .arg(analysis.correlation->r, 0, 'f', 2)
                                   .arg(probabilityText(analysis.correlation->pValue))
                                   .arg(analysis.correlation->count));
    else
        m_correlation->setText(tr("No correlation: %1").arg(QString::fromStdString(analysis.correlationRefused)));

    m_periodogram->setData(analysis.spectrum.frequencies, analysis.spectrum.power);
    QList<QPointF> peaks;
    for (const Periodogram::Peak &peak : analysis.peaks)
        peaks.append({peak.periodDays, peak.power});
    m_periodogram->setPeaks(peaks);
    showLevels(analysis);
}

void ActivityPane::showLevels(const Detection::IndexAnalysis &analysis)
{
    const auto &frequencies = analysis.spectrum.frequencies;
    for (QLineSeries *level : std::as_const(m_levels))
        level->clear();
    if (frequencies.size() < 2)
        return;
    auto *powerAxis = static_cast<QValueAxis *>(m_periodogram->chart()->axes(Qt::Vertical).constFirst());
    double top = powerAxis->max();
    for (std::size_t k = 0; k < std::size(Levels); ++k) {
        const double power = Detection::falseAlarmLevel(Levels[k], analysis.series.data, frequencies.back());
        m_levels[qsizetype(k)]->replace({{1 / frequencies.back(), power}, {1 / frequencies.front(), power}});
        top = std::max(top, std::min(1.0, power * 1.1));
    }
    // A level above every peak is still drawn: its distance from them is the message.
    powerAxis->setMax(top);
}

void ActivityPane::showMessage()
{
    m_noIndex->setText(
        tr("These data have no activity index. Files with columns such as the S-index, "
           "log R'HK, Hα, the line width (FWHM) or the bisector span show them here."));
    m_pages->setCurrentIndex(m_kept.activity.empty() ? 0 : 1);
    if (m_kept.activity.empty())
        return;
    const int chosen = m_choice->currentIndex();
    if (isRunning() || chosen < 0 || std::size_t(chosen) >= m_analyses.size()) {
        m_message->setText(tr("Analysing the activity indices…"));
        return;
    }
    const Detection::IndexAnalysis &analysis = m_analyses[std::size_t(chosen)];
    QString text = tr("%1 of %2 points analysed have a value of %3; each instrument's mean is removed from it and from "
                      "the velocities before they are compared.")
                       .arg(analysis.series.data.measurements.size())
                       .arg(m_kept.measurements.size())
                       .arg(QString::fromStdString(analysis.series.name));
    if (analysis.series.missing > 0)
        text += QLatin1Char(' ') + tr("%1 without one are left out.").arg(analysis.series.missing);
    if (!analysis.periodogramRefused.empty())
        text += QLatin1Char(' ') + tr("No periodogram: %1").arg(QString::fromStdString(analysis.periodogramRefused));
    m_message->setText(text);
}
