#pragma once

#include "challenge/challengesettings.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;

/// "New challenge": the teacher chooses the level, the number of points,
/// the noise, the cadence, the seed and whether "How close am I?" may
/// answer; Make shows the class code for the students and the teacher's
/// code for the answer key, both selectable to copy. Shown without
/// blocking (offer()). A level's choice fills in its usual points and
/// noise; a real star's level keeps its published noise.
///
/// Object names: "challengeLevel", "challengePoints", "challengeNoise",
/// "challengeCadence", "challengeSeed", "challengeCloseness",
/// "challengeMake", "classCodeText", "teacherCodeText", "challengeRefusal".
class ChallengeMaker : public QDialog
{
    Q_OBJECT

public:
    explicit ChallengeMaker(QWidget *parent = nullptr);

    /// Proposes a new seed, clears the codes and shows the dialog.
    void offer();
    /// The settings the boxes describe.
    Challenge::ChallengeSettings settings() const;

signals:
    /// The codes made for `settings`, after Make.
    void made(const Challenge::ChallengeSettings &settings);

protected:
    void changeEvent(QEvent *event) override;

private:
    void retranslate();
    void levelChosen();
    void make();

    QComboBox *m_level;
    QSpinBox *m_points;
    QDoubleSpinBox *m_noise;
    QComboBox *m_cadence;
    QSpinBox *m_seed;
    QCheckBox *m_closeness;
    QLineEdit *m_classCode;
    QLineEdit *m_teacherCode;
    QLabel *m_refusal;
    QList<QLabel *> m_rowLabels;
    QPushButton *m_make;
};
