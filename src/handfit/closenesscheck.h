#pragma once

#include "challenge/goodness.h"

#include <QFutureWatcher>
#include <QWidget>

#include <atomic>
#include <functional>
#include <memory>

class QLabel;
class QPushButton;

/// "How close am I?": the student's χ² against the best fit's, said as a
/// ratio and a verdict, never with an element of the best fit. The best χ²
/// is found once per data set on a worker thread (Challenge::bestChiSquare)
/// and kept, so asking again after moving a slider answers at once.
///
/// Object names "howCloseButton" and "howCloseLabel".
class ClosenessCheck : public QWidget
{
    Q_OBJECT

public:
    /// What the question is about, taken when it is asked and again when
    /// the answer arrives: the data, the student's planets and χ².
    struct Question
    {
        Observations::DataSet data;
        std::vector<Kepler::Orbit> planets;
        double chiSquare = 0;
    };

    explicit ClosenessCheck(std::function<Question()> question, QWidget *parent = nullptr);
    ~ClosenessCheck() override;

    /// New data: the best χ² kept is forgotten, a run going is cancelled.
    void forgetBestFit();
    /// The student moved something: an answer shown is out of date.
    void modelChanged();

    /// The sentence for a χ² `ratio` (student's / best's, ≥ 1 when the
    /// best fit is best) and a verdict of Challenge::closeness().
    static QString sentence(double ratio, const std::string &verdict);

public slots:
    void ask();

protected:
    void changeEvent(QEvent *event) override;

private:
    /// The best χ², or why there is none.
    struct BestFit
    {
        std::optional<double> chiSquare;
        QString failure;
    };

    void retranslate();
    void answer();
    void cancelRun();

    std::function<Question()> m_question;
    QPushButton *m_button;
    QLabel *m_answer;
    std::optional<BestFit> m_best;
    QFutureWatcher<BestFit> m_watcher;
    std::shared_ptr<std::atomic<bool>> m_cancel;
};
