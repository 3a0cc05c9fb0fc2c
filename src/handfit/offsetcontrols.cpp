#include "handfit/offsetcontrols.h"

#include "ground/controls.h"
#include "lab/elementcontrol.h"
#include "labdata/plotpoints.h"

#include <QEvent>
#include <QGridLayout>
#include <QLabel>
#include <QSlider>

namespace {

/// Any velocity a file may give, m/s, and the digits its offsets carry.
constexpr double LargestOffset = 1e6;
constexpr int OffsetDecimals = 2;

} // namespace

OffsetControls::OffsetControls(QWidget *parent) : QWidget(parent), m_grid(new QGridLayout(this))
{
    setObjectName(QStringLiteral("offsetControls"));
    m_grid->setContentsMargins(0, 0, 0, 0);
    m_grid->setColumnStretch(2, 1);
}

void OffsetControls::setInstruments(const std::vector<std::string> &names, const std::vector<double> &offsets,
                                    const std::vector<double> &reaches)
{
    for (ElementControl *control : m_controls) {
        delete control->spinBox();
        delete control->slider();
        delete control;
    }
    for (QLabel *caption : m_captions)
        delete caption;
    m_controls.clear();
    m_captions.clear();
    m_names.clear();
    for (std::size_t k = 0; k < names.size(); ++k) {
        const ElementControl::Range range{offsets[k] - reaches[k], offsets[k] + reaches[k],
                                          ElementControl::Scale::Linear};
        auto *control = new ElementControl(this, QStringLiteral("offset%1").arg(k + 1), range, -LargestOffset,
                                           LargestOffset, OffsetDecimals, QStringLiteral(" m/s"));
        control->setValueQuietly(offsets[k]);
        auto *caption = new QLabel(this);
        Controls::setForeColor(caption, instrumentColor(int(k)).darker(120));
        caption->setBuddy(control->spinBox());
        const int row = int(k);
        m_grid->addWidget(caption, row, 0);
        m_grid->addWidget(control->spinBox(), row, 1);
        m_grid->addWidget(control->slider(), row, 2);
        connect(control, &ElementControl::valueChanged, this, &OffsetControls::offsetsEdited);
        m_controls.push_back(control);
        m_captions.push_back(caption);
        m_names.push_back(QString::fromStdString(names[k]));
    }
    retranslate();
}

std::vector<double> OffsetControls::offsets() const
{
    std::vector<double> values;
    for (const ElementControl *control : m_controls)
        values.push_back(control->value());
    return values;
}

void OffsetControls::retranslate()
{
    for (std::size_t k = 0; k < m_captions.size(); ++k)
        m_captions[k]->setText(tr("● Offset γ (%1)").arg(m_names[k]));
}

void OffsetControls::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QWidget::changeEvent(event);
}
