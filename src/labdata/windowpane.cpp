#include "labdata/windowpane.h"

#include "labdata/aliastext.h"
#include "labdata/windowchart.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>

WindowPane::WindowPane(QWidget *parent)
    : QWidget(parent), m_chart(new WindowChart), m_table(new QTableWidget(0, 3)), m_hint(new QLabel)
{
    setObjectName(QStringLiteral("windowPane"));
    m_chart->setObjectName(QStringLiteral("windowChart"));
    m_chart->setMinimumHeight(150);
    m_table->setObjectName(QStringLiteral("windowPeakTable"));
    m_table->verticalHeader()->setVisible(false);
    m_table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setSizeAdjustPolicy(QAbstractScrollArea::AdjustToContents);
    m_table->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_table->setSizePolicy(QSizePolicy::Minimum, QSizePolicy::Expanding);
    m_table->verticalHeader()->setDefaultSectionSize(m_table->fontMetrics().height() + 6);
    m_hint->setWordWrap(true);

    auto *chartColumn = new QVBoxLayout;
    chartColumn->addWidget(m_chart, 1);
    chartColumn->addWidget(m_hint);
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(chartColumn, 1);
    layout->addWidget(m_table);
    retranslate();
}

void WindowPane::retranslate()
{
    setWindowTitle(tr("Spectral window"));
    m_table->setHorizontalHeaderLabels({tr("Period (d)"), tr("Window power"), tr("Named")});
    m_hint->setText(
        tr("The periodogram of the times alone. A signal at frequency f also shows at f ± f_w "
           "for each peak f_w marked here: its aliases."));
    listPeaks();
}

void WindowPane::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QWidget::changeEvent(event);
}

void WindowPane::show(const Periodogram::Spectrum &window, const std::vector<Detection::WindowPeak> &peaks)
{
    m_chart->setWindow(window.frequencies, window.power);
    m_peaks = peaks;
    listPeaks();
}

void WindowPane::clear()
{
    show({}, {});
}

void WindowPane::listPeaks()
{
    QList<WindowChart::Mark> marks;
    m_table->setRowCount(0);
    for (const Detection::WindowPeak &peak : m_peaks) {
        const QString name = peak.name.empty() ? QString() : AliasText::windowName(peak.name, peak.frequency);
        marks.append({1 / peak.frequency, peak.power, name});
        const int row = m_table->rowCount();
        m_table->insertRow(row);
        const QString cells[] = {QString::number(1 / peak.frequency, 'g', 6), QString::number(peak.power, 'f', 3),
                                 name};
        for (int column = 0; column < 3; ++column)
            m_table->setItem(row, column, new QTableWidgetItem(cells[column]));
    }
    m_chart->setMarks(marks);
}
