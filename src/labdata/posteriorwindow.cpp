#include "labdata/posteriorwindow.h"

#include "ground/exportflow.h"
#include "labdata/cornerplot.h"
#include "labdata/posteriortable.h"
#include "labdata/traceplot.h"
#include "sampling/posteriorexport.h"

#include <QDoubleSpinBox>
#include <QEvent>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollArea>
#include <QSpinBox>
#include <QSplitter>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>
#include <QtConcurrent/QtConcurrentRun>

namespace {

/// The columns a corner plot starts with: each planet's P, K and e.
bool shownAtFirst(const std::string &name)
{
    return (name.starts_with("P") || name.starts_with("K") || name.starts_with("e")) && name.size() <= 2;
}

} // namespace

PosteriorWindow::PosteriorWindow(Observations::DataSet data, Fitting::Result fit, Fitting::Options options,
                                 QWidget *parent)
    : QDialog(parent), m_data(std::move(data)), m_fit(std::move(fit)), m_options(std::move(options))
{
    setObjectName("PosteriorWindow");
    buildLayout();
    retranslate();
    connect(&m_watcher, &QFutureWatcher<Sampling::Result>::finished, this, &PosteriorWindow::showResult);
}

PosteriorWindow::~PosteriorWindow()
{
    cancel();
    m_watcher.waitForFinished();
}

QFormLayout *PosteriorWindow::buildSettings()
{
    m_walkers = new QSpinBox;
    m_walkers->setObjectName("Walkers");
    m_walkers->setRange(0, 10000);
    m_maxSteps = new QSpinBox;
    m_maxSteps->setObjectName("MaxSteps");
    m_maxSteps->setRange(100, 1000000);
    m_maxSteps->setValue(Sampling::SamplerOptions{}.maxSteps);
    m_seed = new QSpinBox;
    m_seed->setObjectName("Seed");
    m_seed->setRange(1, 1000000000);
    m_starMassSigma = new QDoubleSpinBox;
    m_starMassSigma->setObjectName("StarMassSigma");
    m_starMassSigma->setRange(0, 10);
    m_starMassSigma->setDecimals(3);
    m_starMassSigma->setSingleStep(0.01);
    m_settings = new QFormLayout;
    for (QWidget *field : {static_cast<QWidget *>(m_walkers), static_cast<QWidget *>(m_maxSteps),
                           static_cast<QWidget *>(m_seed), static_cast<QWidget *>(m_starMassSigma)})
        m_settings->addRow(new QLabel, field);
    return m_settings;
}

void PosteriorWindow::buildLayout()
{
    QFormLayout *settings = buildSettings();

    m_startButton = new QPushButton;
    m_startButton->setObjectName("SampleButton");
    m_cancelButton = new QPushButton;
    m_cancelButton->setObjectName("CancelButton");
    m_cancelButton->setEnabled(false);
    m_progress = new QProgressBar;
    m_progress->setObjectName("SamplingProgress");
    m_status = new QLabel;
    m_status->setObjectName("SamplingStatus");
    m_verdict = new QLabel;
    m_verdict->setObjectName("Verdict");
    m_verdict->setWordWrap(true);
    connect(m_startButton, &QPushButton::clicked, this, &PosteriorWindow::start);
    connect(m_cancelButton, &QPushButton::clicked, this, &PosteriorWindow::cancel);

    m_table = new QTableWidget;
    m_table->setObjectName("PosteriorTable");
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_columns = new QListWidget;
    m_columns->setObjectName("CornerColumns");
    m_columns->setMaximumWidth(160);
    connect(m_columns, &QListWidget::itemChanged, this, &PosteriorWindow::updateCorner);
    m_corner = new CornerPlot;
    auto *cornerTab = new QSplitter;
    cornerTab->addWidget(m_columns);
    cornerTab->addWidget(m_corner);
    cornerTab->setStretchFactor(1, 1);
    m_traces = new TracePlot;
    auto *traceScroll = new QScrollArea;
    traceScroll->setWidget(m_traces);
    traceScroll->setWidgetResizable(true);
    m_tabs = new QTabWidget;
    m_tabs->setObjectName("PosteriorTabs");
    m_tabs->addTab(m_table, QString());
    m_tabs->addTab(cornerTab, QString());
    m_tabs->addTab(traceScroll, QString());

    m_saveCorner = new QPushButton;
    m_saveChain = new QPushButton;
    m_saveJson = new QPushButton;
    m_saveSummary = new QPushButton;
    m_saveCorner->setObjectName("SaveCornerButton");
    m_saveChain->setObjectName("SaveChainButton");
    m_saveJson->setObjectName("SaveJsonButton");
    m_saveSummary->setObjectName("SaveSummaryButton");
    for (auto *button : {m_saveCorner, m_saveChain, m_saveJson, m_saveSummary})
        button->setEnabled(false);
    connect(m_saveCorner, &QPushButton::clicked, this, &PosteriorWindow::saveCornerPicture);
    connect(m_saveChain, &QPushButton::clicked, this, &PosteriorWindow::saveChain);
    connect(m_saveJson, &QPushButton::clicked, this, &PosteriorWindow::saveJson);
    connect(m_saveSummary, &QPushButton::clicked, this, &PosteriorWindow::saveSummary);

    auto *run = new QHBoxLayout;
    run->addWidget(m_startButton);
    run->addWidget(m_cancelButton);
    run->addWidget(m_progress, 1);
    auto *saves = new QHBoxLayout;
    saves->addStretch();
    saves->addWidget(m_saveCorner);
    saves->addWidget(m_saveChain);
    saves->addWidget(m_saveJson);
    saves->addWidget(m_saveSummary);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(settings);
    layout->addLayout(run);
    layout->addWidget(m_status);
    layout->addWidget(m_verdict);
    layout->addWidget(m_tabs, 1);
    layout->addLayout(saves);
    resize(900, 760);
}

bool PosteriorWindow::start()
{
    if (isRunning())
        return false;
    Sampling::SamplerOptions options;
    options.walkers = m_walkers->value();
    options.maxSteps = m_maxSteps->value();
    options.seed = std::uint64_t(m_seed->value());
    options.starMassUncertaintySolar = m_starMassSigma->value();
    m_cancel = std::make_shared<std::atomic<bool>>(false);
    m_startButton->setEnabled(false);
    m_cancelButton->setEnabled(true);
    m_progress->setRange(0, options.maxSteps);
    m_progress->setValue(0);
    m_status->setText(tr("Sampling…"));
    QPointer<PosteriorWindow> self(this);
    auto progress = [self](const Sampling::ProgressReport &report) {
        QMetaObject::invokeMethod(
            self.data(),
            [self, report] {
                if (self)
                    self->showProgress(report);
            },
            Qt::QueuedConnection);
    };
    m_watcher.setFuture(
        QtConcurrent::run([data = m_data, fit = m_fit, fitOptions = m_options, options, progress, cancel = m_cancel] {
            return Sampling::samplePosterior(data, fit, fitOptions, options, progress, cancel.get());
        }));
    return true;
}

void PosteriorWindow::cancel()
{
    if (m_cancel)
        m_cancel->store(true);
}

void PosteriorWindow::showProgress(const Sampling::ProgressReport &report)
{
    if (!isRunning())
        return;
    m_progress->setValue(report.steps);
    if (report.autocorrelationTime > 0)
        m_status->setText(tr("Step %1 of at most %2; autocorrelation time %3 steps; split-R̂ %4")
                              .arg(report.steps)
                              .arg(report.maxSteps)
                              .arg(report.autocorrelationTime, 0, 'f', 1)
                              .arg(report.rHat, 0, 'f', 4));
    else
        m_status->setText(tr("Step %1 of at most %2").arg(report.steps).arg(report.maxSteps));
}

void PosteriorWindow::showResult()
{
    m_result = std::make_shared<const Sampling::Result>(m_watcher.result());
    const Sampling::Result &r = *m_result;
    m_startButton->setEnabled(true);
    m_cancelButton->setEnabled(false);
    m_status->setText(QString::fromStdString(r.message));
    showVerdict();
    fillPosteriorTable(*m_table, r);
    m_traces->setRun(m_result);
    m_traces->setMinimumHeight(60 * std::max(r.chain.dimension, 1));
    const QSignalBlocker blocker(m_columns);
    m_columns->clear();
    for (const auto &column : r.plotColumns) {
        auto *item = new QListWidgetItem(QString::fromStdString(column.name), m_columns);
        item->setCheckState(shownAtFirst(column.name) ? Qt::Checked : Qt::Unchecked);
    }
    updateCorner();
    m_saveCorner->setEnabled(r.converged());
    m_saveJson->setEnabled(r.status != Sampling::Status::Refused);
    m_saveSummary->setEnabled(r.converged());
    m_saveChain->setEnabled(r.chain.steps() > 0 && r.status != Sampling::Status::Cancelled);
    emit finished();
}

void PosteriorWindow::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QDialog::changeEvent(event);
}

void PosteriorWindow::retranslate()
{
    setWindowTitle(tr("Posterior"));
    m_walkers->setSpecialValueText(tr("automatic"));
    const QString labels[] = {tr("Walkers"), tr("Step limit"), tr("Seed"), tr("σ of the star's mass (M☉)")};
    for (int row = 0; row < m_settings->rowCount(); ++row)
        static_cast<QLabel *>(m_settings->itemAt(row, QFormLayout::LabelRole)->widget())->setText(labels[row]);
    m_startButton->setText(tr("Sample"));
    m_cancelButton->setText(tr("Cancel"));
    m_tabs->setTabText(0, tr("Results"));
    m_tabs->setTabText(1, tr("Corner plot"));
    m_tabs->setTabText(2, tr("Traces"));
    m_saveCorner->setText(tr("Save corner plot…"));
    m_saveChain->setText(tr("Save chain (CSV)…"));
    m_saveJson->setText(tr("Save results (JSON)…"));
    m_saveSummary->setText(tr("Save results (CSV)…"));
    showVerdict();
    fillPosteriorTable(*m_table, m_result ? *m_result : Sampling::Result{});
}

void PosteriorWindow::showVerdict()
{
    QString verdict =
        tr("Priors: %1").arg(QString::fromStdString(m_result ? m_result->priors : Sampling::priorsText()));
    if (m_result && m_result->disagrees())
        verdict = QString::fromStdString(m_result->disagreement) + "\n" + verdict;
    m_verdict->setText(verdict);
}

void PosteriorWindow::updateCorner()
{
    std::vector<CornerColumn> columns;
    if (m_result) {
        for (int i = 0; i < m_columns->count(); ++i) {
            if (m_columns->item(i)->checkState() != Qt::Checked)
                continue;
            const auto &column = m_result->plotColumns[std::size_t(i)];
            QString name = QString::fromStdString(column.name);
            if (!column.unit.empty())
                name += " (" + QString::fromStdString(column.unit) + ")";
            columns.push_back({name, column.samples});
        }
    }
    m_corner->setColumns(std::move(columns));
}

void PosteriorWindow::saveCornerPicture()
{
    const int side = std::max(600, 180 * m_corner->columnCount());
    ExportFlow::savePicture(this, tr("SVG drawing (*.svg);;PNG picture (*.png)"), QSize(side, side), tr("Corner plot"),
                            [this, side](QPainter &painter) { m_corner->paint(painter, QSize(side, side)); });
}

void PosteriorWindow::saveChain()
{
    if (!m_result)
        return;
    ExportFlow::saveBytes(this, tr("CSV table (*.csv)"),
                          [this] { return QByteArray::fromStdString(Sampling::chainCsv(*m_result)); });
}

void PosteriorWindow::saveJson()
{
    if (!m_result)
        return;
    ExportFlow::saveBytes(this, tr("JSON (*.json)"),
                          [this] { return QByteArray::fromStdString(Sampling::posteriorJson(*m_result)); });
}

void PosteriorWindow::saveSummary()
{
    if (!m_result)
        return;
    ExportFlow::saveBytes(this, tr("CSV table (*.csv)"),
                          [this] { return QByteArray::fromStdString(Sampling::summaryCsv(*m_result)); });
}
