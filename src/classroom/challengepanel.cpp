#include "classroom/challengepanel.h"

#include "challenge/scoring.h"
#include "classroom/challengetexts.h"
#include "numeric/numbertext.h"

#include <QEvent>
#include <QGridLayout>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

/// The answer boxes of a planet, in the order the pure scoring names them.
constexpr std::array<const char *, 4> BoxNames{"answerPeriod_%1", "answerAmplitude_%1", "answerEccentricity_%1",
                                               "answerMass_%1"};
constexpr std::array<const char *, 4> QuantityNames{"P", "K", "e", "m sin i"};

} // namespace

ChallengePanel::ChallengePanel(QWidget *parent)
    : QWidget(parent)
    , m_summary(new QLabel)
    , m_answers(new QWidget)
    , m_grid(new QGridLayout(m_answers))
    , m_score(new QPushButton)
    , m_verdicts(new QLabel)
    , m_refusal(new QLabel)
    , m_keyButton(new QPushButton)
{
    setObjectName(QStringLiteral("ChallengePanel"));
    m_summary->setObjectName(QStringLiteral("challengeSummary"));
    m_score->setObjectName(QStringLiteral("scoreButton"));
    m_verdicts->setObjectName(QStringLiteral("scoreVerdicts"));
    m_refusal->setObjectName(QStringLiteral("scoreRefusal"));
    m_keyButton->setObjectName(QStringLiteral("answerKeyButton"));
    for (QLabel *label : {m_summary, m_verdicts, m_refusal})
        label->setWordWrap(true);
    m_verdicts->setTextFormat(Qt::PlainText);
    m_refusal->setStyleSheet(QStringLiteral("color: #b00000"));
    m_keyButton->hide();
    m_score->setEnabled(false);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_summary);
    layout->addWidget(m_answers);
    layout->addWidget(m_score);
    layout->addWidget(m_refusal);
    layout->addWidget(m_verdicts);
    layout->addWidget(m_keyButton);
    layout->addStretch(1);
    connect(m_score, &QPushButton::clicked, this, &ChallengePanel::scoreAnswers);
    connect(m_keyButton, &QPushButton::clicked, this, &ChallengePanel::answerKeyRequested);
    retranslate();
}

void ChallengePanel::retranslate()
{
    m_score->setText(tr("Score my answer"));
    m_keyButton->setText(tr("Answer key…"));
    const QStringList headers{tr("P (days)"), tr("K (m/s)"), tr("e"), tr("m sin i (MJup)")};
    for (int i = 0; i < m_headers.size(); ++i)
        m_headers[i]->setText(headers[i]);
    for (int i = 0; i < m_planetHeaders.size(); ++i)
        m_planetHeaders[i]->setText(tr("Planet %1").arg(i + 1));
    if (!m_opened) {
        m_summary->setText(tr("Open a challenge with the code your teacher gave you (File → Open challenge…)."));
        return;
    }
    const Challenge::ChallengeData &challenge = m_opened->challenge;
    m_summary->setText(tr("Challenge %1: %2. %3 observations; the star's mass is %4 solar masses.")
                           .arg(m_opened->codeText, ChallengeTexts::levelText(challenge.settings.level))
                           .arg(challenge.data.measurements.size())
                           .arg(QString::fromStdString(Numeric::shortestText(challenge.starMassSolar))));
}

void ChallengePanel::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QWidget::changeEvent(event);
}

void ChallengePanel::buildAnswerRows(int planets)
{
    // One column per planet and a row per quantity keeps the panel narrow.
    qDeleteAll(m_answers->findChildren<QWidget *>(Qt::FindDirectChildrenOnly));
    m_headers.clear();
    m_planetHeaders.clear();
    m_boxes.clear();
    for (int row = 0; row < int(BoxNames.size()); ++row) {
        m_headers.append(new QLabel);
        m_grid->addWidget(m_headers.back(), row + 1, 0);
    }
    for (int planet = 1; planet <= planets; ++planet) {
        if (planets > 1) {
            m_planetHeaders.append(new QLabel);
            m_grid->addWidget(m_planetHeaders.back(), 0, planet);
        }
        QList<QLineEdit *> column;
        for (std::size_t q = 0; q < BoxNames.size(); ++q) {
            auto *box = new QLineEdit;
            box->setObjectName(QString::fromLatin1(BoxNames[q]).arg(planet));
            m_grid->addWidget(box, int(q) + 1, planet);
            column.append(box);
        }
        m_boxes.append(column);
    }
}

void ChallengePanel::showChallenge(const ChallengeLoading::OpenedChallenge &opened)
{
    m_opened = opened;
    m_key.reset();
    buildAnswerRows(Challenge::planetCount(opened.challenge));
    m_verdicts->clear();
    m_refusal->clear();
    m_score->setEnabled(true);
    m_keyButton->setVisible(opened.code.kind == Challenge::CodeKind::Teacher);
    retranslate();
    emit closenessHelpChanged(closenessHelp());
}

bool ChallengePanel::closenessHelp() const
{
    return !m_opened || m_opened->challenge.settings.closenessHelp;
}

const Challenge::AnswerKey *ChallengePanel::answerKey()
{
    if (!m_opened)
        return nullptr;
    if (!m_key) {
        // A real star's key fits every published measurement: about a second.
        QGuiApplication::setOverrideCursor(Qt::WaitCursor);
        auto key = Challenge::makeAnswerKey(m_opened->challenge);
        QGuiApplication::restoreOverrideCursor();
        if (!key) {
            showRefusal(QString::fromStdString(key.reason()));
            return nullptr;
        }
        m_key = std::move(key).value();
    }
    return &*m_key;
}

std::optional<std::vector<Challenge::StudentAnswer>> ChallengePanel::typedAnswers()
{
    std::vector<Challenge::StudentAnswer> answers;
    for (int planet = 0; planet < m_boxes.size(); ++planet) {
        std::array<double, 4> values{};
        for (std::size_t q = 0; q < values.size(); ++q) {
            const QString quantity = m_boxes.size() > 1
                ? tr("%1 of planet %2").arg(QString::fromLatin1(QuantityNames[q])).arg(planet + 1)
                : QString::fromLatin1(QuantityNames[q]);
            const auto value =
                Challenge::readAnswerNumber(quantity.toStdString(), m_boxes[planet][int(q)]->text().toStdString());
            if (!value) {
                showRefusal(QString::fromStdString(value.reason()));
                m_boxes[planet][int(q)]->setFocus();
                return std::nullopt;
            }
            values[q] = *value;
        }
        answers.push_back({values[0], values[1], values[2], values[3]});
    }
    return answers;
}

void ChallengePanel::showRefusal(const QString &reason)
{
    m_verdicts->clear();
    m_refusal->setText(reason);
}

void ChallengePanel::scoreAnswers()
{
    const auto answers = typedAnswers();
    if (!answers)
        return;
    const Challenge::AnswerKey *key = answerKey();
    if (!key)
        return;
    const auto scored = Challenge::score(*key, *answers);
    if (!scored) {
        showRefusal(QString::fromStdString(scored.reason()));
        return;
    }
    m_refusal->clear();
    QStringList lines;
    for (std::size_t planet = 0; planet < scored->planets.size(); ++planet) {
        if (scored->planets.size() > 1)
            lines << tr("Planet %1:").arg(planet + 1);
        for (const Challenge::QuantityScore &quantity : scored->planets[planet].quantities)
            lines << (quantity.right ? QStringLiteral("✔ ") : QStringLiteral("✘ ")) + ChallengeTexts::verdict(quantity);
    }
    lines << tr("%1 of %2 right").arg(scored->right).arg(scored->total);
    m_verdicts->setText(lines.join(QLatin1Char('\n')));
}
