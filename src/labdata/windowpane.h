#pragma once

#include "detection/spectralwindow.h"

#include <QWidget>

#include <vector>

class QLabel;
class QTableWidget;
class WindowChart;

/// The spectral window of the points analysed: the periodogram of their
/// times alone, drawn against period as the periodogram is, so a student
/// sees where a signal's power leaks to. Its strong peaks are marked on the
/// chart and listed with their names (1 day, sidereal day, 1 year, lunar
/// month). The window is computed on the analysis worker with the
/// periodogram; this pane only shows it.
///
/// Object names: "windowPane", "windowChart", "windowPeakTable" (period,
/// window power, name).
class WindowPane : public QWidget
{
    Q_OBJECT

public:
    explicit WindowPane(QWidget *parent = nullptr);

    void show(const Periodogram::Spectrum &window, const std::vector<Detection::WindowPeak> &peaks);
    void clear();

    WindowChart *chart() const { return m_chart; }

protected:
    void changeEvent(QEvent *event) override;

private:
    void retranslate();
    void listPeaks();

    WindowChart *m_chart;
    QTableWidget *m_table;
    QLabel *m_hint;
    std::vector<Detection::WindowPeak> m_peaks;
};
