#include "classroom/answerkeywindow.h"

#include "classroom/answerkeytext.h"
#include "classroom/velocitypicture.h"
#include "classroom/worksheets.h"
#include "ground/exportflow.h"

#include <QDialogButtonBox>
#include <QEvent>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

/// The data folded on each fitted planet with its curve, side by side, drawn anew at every size.
class KeyPlot : public QWidget
{
public:
    KeyPlot(const Observations::DataSet &data, const Fitting::Result &fit) : m_data(data), m_fit(fit)
    {
        setObjectName(QStringLiteral("answerKeyPlot"));
        setMinimumSize(480, 260);
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        const std::size_t planets = std::max<std::size_t>(m_fit.planets.size(), 1);
        const double width = double(this->width()) / double(planets);
        for (std::size_t planet = 0; planet < m_fit.planets.size(); ++planet)
            VelocityPicture::drawFolded(painter, QRectF(width * double(planet), 0, width, height()), m_data, m_fit,
                                        planet);
    }

private:
    const Observations::DataSet &m_data;
    const Fitting::Result &m_fit;
};

QPushButton *button(QDialogButtonBox *box, const char *name)
{
    auto *button = box->addButton(QString(), QDialogButtonBox::ActionRole);
    button->setObjectName(QString::fromLatin1(name));
    button->setAutoDefault(false);
    return button;
}

} // namespace

AnswerKeyWindow::AnswerKeyWindow(const ChallengeLoading::OpenedChallenge &opened, const Challenge::AnswerKey &key,
                                 QWidget *parent)
    : QDialog(parent), m_opened(opened), m_key(key), m_text(new QLabel)
{
    setObjectName(QStringLiteral("AnswerKeyWindow"));
    setAttribute(Qt::WA_DeleteOnClose);
    m_text->setObjectName(QStringLiteral("answerKeyText"));
    m_text->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_text->setTextFormat(Qt::PlainText);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close);
    m_pdf = button(buttons, "exportKeyPdf");
    m_csv = button(buttons, "exportKeyCsv");
    m_json = button(buttons, "exportKeyJson");
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_pdf, &QPushButton::clicked, this, &AnswerKeyWindow::exportPdf);
    connect(m_csv, &QPushButton::clicked, this, &AnswerKeyWindow::exportCsv);
    connect(m_json, &QPushButton::clicked, this, &AnswerKeyWindow::exportJson);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_text);
    layout->addWidget(new KeyPlot(m_opened.challenge.data, m_key.bestFit), 1);
    layout->addWidget(buttons);
    retranslate();
}

void AnswerKeyWindow::retranslate()
{
    setWindowTitle(tr("Answer key: %1").arg(m_opened.codeText));
    m_text->setText(AnswerKeyText::lines(m_key).join(QLatin1Char('\n')));
    m_pdf->setText(tr("Export PDF…"));
    m_csv->setText(tr("Export CSV…"));
    m_json->setText(tr("Export JSON…"));
}

void AnswerKeyWindow::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QDialog::changeEvent(event);
}

void AnswerKeyWindow::exportPdf()
{
    ExportFlow::saveBytes(this, tr("PDF document (*.pdf)"),
                          [this] { return Worksheets::answerKeySheet(m_opened, m_key); });
}

void AnswerKeyWindow::exportCsv()
{
    ExportFlow::saveBytes(this, tr("CSV text (*.csv)"),
                          [this] { return QByteArray::fromStdString(Challenge::keyCsv(m_key)); });
}

void AnswerKeyWindow::exportJson()
{
    ExportFlow::saveBytes(this, tr("JSON text (*.json)"),
                          [this] { return QByteArray::fromStdString(Challenge::keyJson(m_key)); });
}
