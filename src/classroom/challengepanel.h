#pragma once

#include "challenge/answerkey.h"
#include "challenge/scoring.h"
#include "classroom/challengeloading.h"

#include <QWidget>

#include <optional>

class QGridLayout;
class QLabel;
class QLineEdit;
class QPushButton;

/// The student's side of an open challenge, beside the lab: what the
/// challenge gives (its level, the star's mass, the number of points),
/// one row of answers per planet (P, K, e and m sin i) and Score, which
/// judges each quantity against what the data allow (Challenge::score) and
/// says which way a wrong one is off. A text that is no number or an
/// impossible value (e ≥ 1, P ≤ 0 …) is refused in "scoreRefusal" and
/// nothing is scored. With a teacher's code, "answerKeyButton" offers the key.
///
/// Object names: "challengeSummary", "answerPeriod_<n>", "answerAmplitude_<n>",
/// "answerEccentricity_<n>", "answerMass_<n>" for planet n from 1,
/// "scoreButton", "scoreVerdicts", "scoreRefusal", "answerKeyButton".
class ChallengePanel : public QWidget
{
    Q_OBJECT

public:
    explicit ChallengePanel(QWidget *parent = nullptr);

    /// Shows `opened`, with empty answers.
    void showChallenge(const ChallengeLoading::OpenedChallenge &opened);
    const std::optional<ChallengeLoading::OpenedChallenge> &challenge() const { return m_opened; }
    /// Whether the lab's "How close am I?" may answer for the challenge shown
    /// (true without a challenge).
    bool closenessHelp() const;

    /// The answer key, made on first use; nothing with the reason shown
    /// when the fit fails.
    const Challenge::AnswerKey *answerKey();

public slots:
    void scoreAnswers();

signals:
    void answerKeyRequested();
    /// A challenge was shown whose help setting is `allowed`.
    void closenessHelpChanged(bool allowed);

protected:
    void changeEvent(QEvent *event) override;

private:
    void retranslate();
    void buildAnswerRows(int planets);
    /// The answers typed, or nothing with the first faulty text said.
    std::optional<std::vector<Challenge::StudentAnswer>> typedAnswers();
    void showRefusal(const QString &reason);

    std::optional<ChallengeLoading::OpenedChallenge> m_opened;
    std::optional<Challenge::AnswerKey> m_key;
    QLabel *m_summary;
    QWidget *m_answers;
    QGridLayout *m_grid;
    QList<QLabel *> m_headers;         ///< the quantities, one a row
    QList<QLabel *> m_planetHeaders;   ///< the planets, one a column, when there are two
    QList<QList<QLineEdit *>> m_boxes; ///< per planet: P, K, e, m sin i
    QPushButton *m_score;
    QLabel *m_verdicts;
    QLabel *m_refusal;
    QPushButton *m_keyButton;
};
