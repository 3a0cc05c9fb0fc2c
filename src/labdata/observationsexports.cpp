// What the Observations tab writes: its data, the fit's residuals and
// results, and its plots; every save goes through ExportFlow, so a cancel
// writes nothing and a failure is said in the program's one wording.
#include "labdata/observationspanel.h"

#include "labdata/fitcontrols.h"
#include "labdata/plotdata.h"
#include "labdata/plotspane.h"

#include "fitting/resultexport.h"
#include "ground/exportflow.h"
#include "observations/rvwriter.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QPainter>

namespace {

QString textFilter()
{
    return QCoreApplication::translate("ObservationsPanel", "RV data (*.txt)");
}

QString csvFilter()
{
    return QCoreApplication::translate("ObservationsPanel", "CSV table (*.csv)");
}

QString jsonFilter()
{
    return QCoreApplication::translate("ObservationsPanel", "JSON (*.json)");
}

QString pictureFilter()
{
    return QCoreApplication::translate("ObservationsPanel", "PNG picture (*.png);;SVG drawing (*.svg)");
}

} // namespace

void ObservationsPanel::saveBytes(const QString &filter, const QString &caption,
                                  const std::function<std::string()> &text)
{
    const QString path = ExportFlow::saveBytes(this, filter, [&text] { return QByteArray::fromStdString(text()); });
    if (!path.isEmpty())
        m_controls->showStatus(tr("%1 saved as %2.").arg(caption, QFileInfo(path).fileName()));
}

void ObservationsPanel::saveData()
{
    if (m_data.measurements.empty())
        return;
    saveBytes(textFilter(), tr("Observations"), [this] {
        const std::string text = Observations::toText(m_data);
        return m_exclusion.excludesAny(m_data) ? withExcludedColumn(text, m_exclusion.mask(m_data), ' ') : text;
    });
}

void ObservationsPanel::exportResiduals()
{
    if (!m_fit)
        return;
    saveBytes(csvFilter(), tr("Data, model and residuals"), [this] {
        const std::string csv = Fitting::residualsCsv(*shownFit(), m_data);
        return m_exclusion.excludesAny(m_data) ? withExcludedColumn(csv, m_exclusion.mask(m_data), ',') : csv;
    });
}

void ObservationsPanel::exportFitCsv()
{
    if (m_fit)
        saveBytes(csvFilter(), tr("Fit results"), [this] { return Fitting::resultCsv(*m_fit); });
}

void ObservationsPanel::exportFitJson()
{
    if (m_fit)
        saveBytes(jsonFilter(), tr("Fit results"), [this] { return Fitting::resultJson(*m_fit); });
}

void ObservationsPanel::exportPlot()
{
    QWidget *page = m_plots;
    const QString path = ExportFlow::savePicture(this, pictureFilter(), page->size(), m_title,
                                                 [page](QPainter &painter) { page->render(&painter); });
    if (!path.isEmpty())
        m_controls->showStatus(tr("Plot saved as %1.").arg(QFileInfo(path).fileName()));
}
