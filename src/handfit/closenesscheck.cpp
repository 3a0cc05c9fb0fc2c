#include "handfit/closenesscheck.h"

#include "challenge/bestchisquare.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QtConcurrent/QtConcurrentRun>

ClosenessCheck::ClosenessCheck(std::function<Question()> question, QWidget *parent)
    : QWidget(parent), m_question(std::move(question)), m_button(new QPushButton(this)), m_answer(new QLabel(this))
{
    setObjectName(QStringLiteral("closenessCheck"));
    m_button->setObjectName(QStringLiteral("howCloseButton"));
    m_answer->setObjectName(QStringLiteral("howCloseLabel"));
    m_answer->setWordWrap(true);
    auto *row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(m_button);
    row->addWidget(m_answer, 1);
    connect(m_button, &QPushButton::clicked, this, &ClosenessCheck::ask);
    connect(&m_watcher, &QFutureWatcher<BestFit>::finished, this, [this] {
        // A run cancelled for new data ends here too; only the current one answers.
        const bool current = m_cancel && !*m_cancel;
        m_cancel.reset();
        m_button->setEnabled(true);
        if (!current)
            return;
        m_best = m_watcher.result();
        answer();
    });
    retranslate();
}

ClosenessCheck::~ClosenessCheck()
{
    cancelRun();
}

void ClosenessCheck::cancelRun()
{
    if (m_cancel)
        *m_cancel = true;
    m_watcher.waitForFinished();
    m_cancel.reset();
    m_button->setEnabled(true);
}

void ClosenessCheck::forgetBestFit()
{
    cancelRun();
    m_best.reset();
    m_answer->clear();
}

void ClosenessCheck::modelChanged()
{
    // Cleared once, not on every step: a new text lays the lab out again.
    if (!m_answer->text().isEmpty())
        m_answer->clear();
}

void ClosenessCheck::ask()
{
    if (m_best) {
        answer();
        return;
    }
    if (m_cancel)
        return; // a run is going
    const Question question = m_question();
    m_cancel = std::make_shared<std::atomic<bool>>(false);
    m_button->setEnabled(false);
    m_answer->setText(tr("Looking for the best fit…"));
    m_watcher.setFuture(QtConcurrent::run([question, cancel = m_cancel] {
        const Numeric::Outcome<double> best = Challenge::bestChiSquare(question.data, question.planets, cancel.get());
        return best.ok() ? BestFit{*best, {}} : BestFit{std::nullopt, QString::fromStdString(best.reason())};
    }));
}

void ClosenessCheck::answer()
{
    if (!m_best->chiSquare) {
        m_answer->setText(tr("No best fit to compare with: %1").arg(m_best->failure));
        return;
    }
    const Question question = m_question();
    const double best = *m_best->chiSquare;
    const int parameters = 5 * int(question.planets.size()) + int(question.data.instruments.size());
    const Challenge::Closeness closeness = Challenge::closeness(question.chiSquare, best, parameters);
    const double ratio = best > 0 ? question.chiSquare / best : 1.0;
    m_answer->setText(sentence(ratio, closeness.verdict));
}

QString ClosenessCheck::sentence(double ratio, const std::string &verdict)
{
    QString judged;
    if (verdict == "as good as the best fit")
        judged = tr("as good as the best fit");
    else if (verdict == "close")
        judged = tr("close");
    else if (verdict == "getting closer")
        judged = tr("getting closer");
    else
        judged = tr("far");
    if (ratio < 1.05)
        return tr("Your χ² is as low as the best fit's: %1.").arg(judged);
    const int decimals = ratio < 10 ? 1 : 0;
    return tr("Your χ² is %1 times the best fit's: %2.").arg(QString::number(ratio, 'f', decimals), judged);
}

void ClosenessCheck::retranslate()
{
    m_button->setText(tr("How close am I?"));
    m_answer->clear();
}

void ClosenessCheck::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QWidget::changeEvent(event);
}
