#include "labdata/periodogrampane.h"

#include "labdata/aliastext.h"
#include "labdata/periodogramchart.h"

#include "detection/aliases.h"

#include <QDoubleSpinBox>
#include <QEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace {

constexpr int NoteColumn = 4;
constexpr int NoteColumnWidth = 170;

QString fapText(double fap)
{
    return fap < 1e-4 ? QString::number(fap, 'e', 1) : QString::number(fap, 'g', 2);
}

QList<QPointF> peakMarks(const std::vector<Periodogram::Peak> &peaks)
{
    QList<QPointF> marks;
    for (const Periodogram::Peak &peak : peaks)
        marks.append({peak.periodDays, peak.power});
    return marks;
}

} // namespace

PeriodogramPane::PeriodogramPane(QWidget *parent)
    : QWidget(parent)
    , m_chart(new PeriodogramChart)
    , m_peaks(new QTableWidget(0, 5))
    , m_from(new QDoubleSpinBox)
    , m_to(new QDoubleSpinBox)
    , m_recompute(new QPushButton)
    , m_fromLabel(new QLabel)
    , m_toLabel(new QLabel)
{
    m_chart->setObjectName(QStringLiteral("periodogramChart"));
    m_chart->setMinimumHeight(190);
    m_peaks->setObjectName(QStringLiteral("peakTable"));
    m_peaks->verticalHeader()->setVisible(false);
    m_peaks->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_peaks->horizontalHeader()->setSectionResizeMode(NoteColumn, QHeaderView::Interactive);
    m_peaks->setEditTriggers(QAbstractItemView::NoEditTriggers);
    // As wide as its columns, so that no false-alarm probability is cut off.
    m_peaks->setSizeAdjustPolicy(QAbstractScrollArea::AdjustToContents);
    m_peaks->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_peaks->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_peaks->setSizePolicy(QSizePolicy::Minimum, QSizePolicy::Expanding);
    m_peaks->verticalHeader()->setDefaultSectionSize(m_peaks->fontMetrics().height() + 6);
    m_from->setObjectName(QStringLiteral("periodFrom"));
    m_to->setObjectName(QStringLiteral("periodTo"));
    for (QDoubleSpinBox *box : {m_from, m_to}) {
        box->setRange(0.01, 1e7);
        box->setDecimals(3);
        connect(box, &QDoubleSpinBox::valueChanged, this, [this] { m_rangeEdited = true; });
    }
    m_recompute->setObjectName(QStringLiteral("periodogramButton"));
    connect(m_recompute, &QPushButton::clicked, this, &PeriodogramPane::recomputeRequested);

    auto *range = new QHBoxLayout;
    range->addWidget(m_fromLabel);
    range->addWidget(m_from);
    range->addWidget(m_toLabel);
    range->addWidget(m_to);
    range->addWidget(m_recompute);
    range->addStretch(1);
    // The range under both, so that the chart may narrow for the table's note column.
    auto *spectra = new QHBoxLayout;
    spectra->addWidget(m_chart, 1);
    spectra->addWidget(m_peaks);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(spectra, 1);
    layout->addLayout(range);
    retranslate();
}

void PeriodogramPane::retranslate()
{
    setWindowTitle(tr("Periodogram"));
    m_recompute->setText(tr("Recompute"));
    m_peaks->setHorizontalHeaderLabels({tr("Of"), tr("Period (d)"), tr("Power"), tr("FAP"), tr("Note")});
    listPeaks();
    for (QDoubleSpinBox *box : {m_from, m_to}) {
        box->setSuffix(tr(" d"));
        box->setToolTip(tr("The periods the periodogram covers; the fits search the same range"));
    }
    m_fromLabel->setText(tr("Periods from"));
    m_toLabel->setText(tr("to"));
}

void PeriodogramPane::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QWidget::changeEvent(event);
}

void PeriodogramPane::clear()
{
    m_chart->setData({}, {});
    m_chart->setResiduals({}, {});
    m_chart->setPeaks({});
    m_dataPeaks.clear();
    m_residualPeaks.clear();
    m_windowPeaks.clear();
    m_planetFrequencies.clear();
    listPeaks();
}

void PeriodogramPane::setWindowPeaks(std::vector<Detection::WindowPeak> peaks, double spanDays)
{
    m_windowPeaks = std::move(peaks);
    m_spanDays = spanDays;
    listPeaks();
}

void PeriodogramPane::setPlanetFrequencies(std::vector<double> frequencies)
{
    m_planetFrequencies = std::move(frequencies);
    listPeaks();
}

void PeriodogramPane::showDataSpectrum(const Periodogram::Spectrum &spectrum,
                                       const std::vector<Periodogram::Peak> &peaks)
{
    m_chart->setData(spectrum.frequencies, spectrum.power);
    m_dataPeaks = peaks;
    m_chart->setPeaks(peakMarks(m_dataPeaks));
    listPeaks();
}

void PeriodogramPane::showResidualSpectrum(const Periodogram::Spectrum &spectrum,
                                           const std::vector<Periodogram::Peak> &peaks)
{
    m_chart->setResiduals(spectrum.frequencies, spectrum.power);
    m_residualPeaks = peaks;
    listPeaks();
}

void PeriodogramPane::listPeaks()
{
    // The data's peaks above those of the residuals of the last fit.
    m_peaks->setRowCount(0);
    auto list = [this](const std::vector<Periodogram::Peak> &peaks, const QString &of) {
        const auto aliases = Detection::labelAliases(peaks, m_planetFrequencies, m_windowPeaks, m_spanDays);
        for (std::size_t k = 0; k < peaks.size(); ++k) {
            const Periodogram::Peak &peak = peaks[k];
            const int row = m_peaks->rowCount();
            m_peaks->insertRow(row);
            const QString cells[] = {of, QString::number(peak.periodDays, 'g', 7), QString::number(peak.power, 'f', 3),
                                     fapText(peak.falseAlarmProbability), AliasText::brief(aliases[k])};
            for (int column = 0; column < 5; ++column)
                m_peaks->setItem(row, column, new QTableWidgetItem(cells[column]));
            m_peaks->item(row, NoteColumn)->setToolTip(AliasText::sentence(aliases[k]));
            if (const QString remark = m_remark ? m_remark(peak) : QString(); !remark.isEmpty()) {
                QTableWidgetItem *note = m_peaks->item(row, NoteColumn);
                note->setText(note->text().isEmpty() ? remark : note->text() + QLatin1Char('\n') + remark);
            }
        }
    };
    list(m_dataPeaks, tr("data"));
    list(m_residualPeaks, tr("residuals"));
    // The note column wraps rather than widening the table; the tooltip keeps the whole sentence.
    m_peaks->resizeColumnToContents(NoteColumn);
    m_peaks->setColumnWidth(NoteColumn, std::min(m_peaks->columnWidth(NoteColumn), NoteColumnWidth));
    m_peaks->resizeRowsToContents();
    m_peaks->updateGeometry();
}

void PeriodogramPane::setPeakRemark(std::function<QString(const Periodogram::Peak &)> remark)
{
    m_remark = std::move(remark);
    listPeaks();
}

void PeriodogramPane::showAutomaticRange(const Observations::DataSet &data)
{
    const Periodogram::FrequencyGrid grid = Periodogram::automaticGrid(data);
    const bool usable = grid.count >= 2 && grid.minFrequency > 0;
    {
        const QSignalBlocker quietFrom(m_from);
        const QSignalBlocker quietTo(m_to);
        m_from->setValue(usable ? 1.0 / grid.maxFrequency : m_from->minimum());
        m_to->setValue(usable ? 1.0 / grid.minFrequency : m_to->minimum());
    }
    m_rangeEdited = false;
}

std::optional<Periodogram::FrequencyGrid> PeriodogramPane::chosenGrid(double spanDays, QString *refused) const
{
    if (!m_rangeEdited)
        return std::nullopt;
    if (!(m_from->value() < m_to->value())) {
        *refused = tr("The shortest period must be below the longest.");
        return std::nullopt;
    }
    return Periodogram::gridBetween(1.0 / m_to->value(), 1.0 / m_from->value(), spanDays);
}

void PeriodogramPane::setAvailable(bool available)
{
    for (QWidget *control : std::initializer_list<QWidget *>{m_from, m_to, m_recompute})
        control->setEnabled(available);
}
