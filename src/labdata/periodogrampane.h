#pragma once

#include "detection/spectralwindow.h"
#include "periodogram/periodogram.h"

#include <QWidget>

#include <functional>
#include <optional>
#include <vector>

class PeriodogramChart;
class QDoubleSpinBox;
class QLabel;
class QPushButton;
class QTableWidget;

/// The periodogram as the tab shows it: the chart of the data's and the
/// residuals' spectra with their peaks marked, the table of those peaks
/// (each an alias or not: AliasText), and the period range with its
/// Recompute button.
///
/// Object names: "periodogramChart", "peakTable", "periodFrom", "periodTo",
/// "periodogramButton".
class PeriodogramPane : public QWidget
{
    Q_OBJECT

public:
    explicit PeriodogramPane(QWidget *parent = nullptr);

    /// Forgets both spectra, their peaks and what aliases are judged against.
    void clear();
    /// The sampling's strongest window peaks, of points spanning `spanDays`:
    /// a listed peak near one of them, or at |f ± k f_w| of a stronger peak,
    /// is said to be an alias.
    void setWindowPeaks(std::vector<Detection::WindowPeak> peaks, double spanDays);
    /// The fitted planets' frequencies (cycles/day), whose aliases are named too; empty without a fit.
    void setPlanetFrequencies(std::vector<double> frequencies);
    void showDataSpectrum(const Periodogram::Spectrum &spectrum, const std::vector<Periodogram::Peak> &peaks);
    /// The residuals of the last fit; empty vectors remove them.
    void showResidualSpectrum(const Periodogram::Spectrum &spectrum, const std::vector<Periodogram::Peak> &peaks);

    /// Puts the automatic grid's period range of `data` into the range boxes,
    /// forgetting any range the user typed.
    void showAutomaticRange(const Observations::DataSet &data);
    /// The grid the user chose for data spanning `spanDays`, or nullopt for
    /// the automatic one. A range whose shortest period is not below its
    /// longest gives `refused` its sentence and nullopt.
    std::optional<Periodogram::FrequencyGrid> chosenGrid(double spanDays, QString *refused) const;

    /// What the table's last column says of a peak ("may be activity …"),
    /// asked again by listPeaks(); empty says nothing.
    void setPeakRemark(std::function<QString(const Periodogram::Peak &)> remark);
    /// Lists the peaks shown again, after what their remarks depend on changed.
    void listPeaks();

    /// Whether the range may be edited and recomputed (data shown, no run going).
    void setAvailable(bool available);

    PeriodogramChart *chart() const { return m_chart; }

signals:
    void recomputeRequested();

protected:
    void changeEvent(QEvent *event) override;

private:
    void retranslate();

    PeriodogramChart *m_chart;
    QTableWidget *m_peaks;
    QDoubleSpinBox *m_from;
    QDoubleSpinBox *m_to;
    QPushButton *m_recompute;
    QLabel *m_fromLabel;
    QLabel *m_toLabel;
    std::vector<Periodogram::Peak> m_dataPeaks;
    std::vector<Periodogram::Peak> m_residualPeaks;
    std::function<QString(const Periodogram::Peak &)> m_remark;
    std::vector<Detection::WindowPeak> m_windowPeaks;
    double m_spanDays = 0;
    std::vector<double> m_planetFrequencies;
    /// The user chose the periods; otherwise the automatic grid of each data set is used.
    bool m_rangeEdited = false;
};
