#include "classroom/challengemaker.h"

#include "challenge/challengedata.h"
#include "challenge/classcode.h"
#include "classroom/challengetexts.h"
#include "classroom/classroomfiles.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QEvent>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRandomGenerator>
#include <QSpinBox>
#include <QVBoxLayout>

#include <cmath>

namespace {

template <class T> T *named(T *widget, const char *name)
{
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

QLineEdit *codeBox(const char *name)
{
    auto *box = named(new QLineEdit, name);
    box->setReadOnly(true);
    QFont font = box->font();
    font.setFamily(QStringLiteral("monospace"));
    font.setPointSizeF(font.pointSizeF() * 1.4);
    box->setFont(font);
    return box;
}

} // namespace

ChallengeMaker::ChallengeMaker(QWidget *parent)
    : QDialog(parent)
    , m_level(named(new QComboBox, "challengeLevel"))
    , m_points(named(new QSpinBox, "challengePoints"))
    , m_noise(named(new QDoubleSpinBox, "challengeNoise"))
    , m_cadence(named(new QComboBox, "challengeCadence"))
    , m_seed(named(new QSpinBox, "challengeSeed"))
    , m_closeness(named(new QCheckBox, "challengeCloseness"))
    , m_classCode(codeBox("classCodeText"))
    , m_teacherCode(codeBox("teacherCodeText"))
    , m_refusal(named(new QLabel, "challengeRefusal"))
    , m_make(named(new QPushButton, "challengeMake"))
{
    setObjectName(QStringLiteral("ChallengeMaker"));
    for (int level = Challenge::firstLevel; level <= Challenge::lastLevel; ++level)
        m_level->addItem({}, level);
    m_cadence->addItem({}, int(Challenge::Cadence::Nightly));
    m_cadence->addItem({}, int(Challenge::Cadence::Random));
    m_points->setRange(Challenge::minimumPoints, Challenge::maximumPoints);
    m_noise->setRange(Challenge::minimumNoiseTenths / 10.0, Challenge::maximumNoiseTenths / 10.0);
    m_noise->setDecimals(1);
    m_noise->setSuffix(QStringLiteral(" m/s"));
    m_seed->setRange(0, int(Challenge::maximumSeed));
    m_closeness->setChecked(true);
    m_refusal->setWordWrap(true);
    m_refusal->setStyleSheet(QStringLiteral("color: #b00000"));

    auto *form = new QFormLayout;
    for (QWidget *field : std::initializer_list<QWidget *>{m_level, m_points, m_noise, m_cadence, m_seed, m_closeness,
                                                           m_classCode, m_teacherCode}) {
        m_rowLabels.append(new QLabel);
        form->addRow(m_rowLabels.back(), field);
    }
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close);
    buttons->addButton(m_make, QDialogButtonBox::ActionRole);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_make, &QPushButton::clicked, this, &ChallengeMaker::make);
    connect(m_level, &QComboBox::currentIndexChanged, this, &ChallengeMaker::levelChosen);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(m_refusal);
    layout->addWidget(buttons);
    retranslate();
    levelChosen();
}

void ChallengeMaker::retranslate()
{
    setWindowTitle(tr("New challenge"));
    const QStringList rows{tr("Level"),       tr("Observations"), tr("Noise σ"),    tr("Cadence"),
                           tr("Random seed"), tr("Help"),         tr("Class code"), tr("Teacher's code")};
    for (int i = 0; i < rows.size(); ++i)
        m_rowLabels[i]->setText(rows[i]);
    for (int i = 0; i < m_level->count(); ++i)
        m_level->setItemText(i,
                             QStringLiteral("%1. %2").arg(i + 1).arg(
                                 ChallengeTexts::levelText(Challenge::Level(m_level->itemData(i).toInt()))));
    m_cadence->setItemText(0, tr("Nightly, with weather and seasons"));
    m_cadence->setItemText(1, tr("Random times"));
    m_closeness->setText(tr("\"How close am I?\" may answer"));
    m_make->setText(tr("Make codes"));
    m_classCode->setToolTip(tr("For the students: it gives the data"));
    m_teacherCode->setToolTip(tr("For you: it gives the data and the answer key"));
}

void ChallengeMaker::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QDialog::changeEvent(event);
}

void ChallengeMaker::levelChosen()
{
    const auto level = Challenge::Level(m_level->currentData().toInt());
    const Challenge::ChallengeSettings usual = Challenge::defaultSettings(level);
    m_points->setValue(usual.points);
    m_noise->setValue(usual.noiseSigma());
    // A real star's data keep their published noise and dates.
    const bool synthetic = level != Challenge::Level::RealStar;
    m_noise->setEnabled(synthetic);
    m_cadence->setEnabled(synthetic);
}

void ChallengeMaker::offer()
{
    m_seed->setValue(int(QRandomGenerator::global()->bounded(Challenge::maximumSeed + 1)));
    m_classCode->clear();
    m_teacherCode->clear();
    m_refusal->clear();
    show();
    raise();
    activateWindow();
}

Challenge::ChallengeSettings ChallengeMaker::settings() const
{
    Challenge::ChallengeSettings settings =
        Challenge::defaultSettings(Challenge::Level(m_level->currentData().toInt()));
    settings.points = m_points->value();
    if (settings.level != Challenge::Level::RealStar) {
        settings.noiseTenths = int(std::lround(m_noise->value() * 10));
        settings.cadence = Challenge::Cadence(m_cadence->currentData().toInt());
    }
    settings.seed = std::uint32_t(m_seed->value());
    settings.closenessHelp = m_closeness->isChecked();
    return settings;
}

void ChallengeMaker::make()
{
    m_classCode->clear();
    m_teacherCode->clear();
    const Challenge::ChallengeSettings chosen = settings();
    // A code is handed out only once its data could be made.
    const auto challenge = Challenge::makeChallenge(chosen, ClassroomFiles::rvFolder());
    if (!challenge) {
        m_refusal->setText(QString::fromStdString(challenge.reason()));
        return;
    }
    m_refusal->clear();
    m_classCode->setText(QString::fromStdString(Challenge::encodeCode(chosen, Challenge::CodeKind::Class)));
    m_teacherCode->setText(QString::fromStdString(Challenge::encodeCode(chosen, Challenge::CodeKind::Teacher)));
    m_classCode->selectAll();
    m_classCode->setFocus();
    emit made(chosen);
}
