#pragma once

#include "challenge/answerkey.h"
#include "classroom/challengeloading.h"

#include <QDialog>

class QLabel;
class QPushButton;

/// The teacher's answer key of a challenge opened with the teacher's code:
/// the true elements, the best fit the data allow with its uncertainties,
/// and the data folded on each fitted planet with its curve; exported as PDF, CSV or JSON
/// through ExportFlow (the CSV and JSON are the command line's
/// `challenge key --csv/--json`). Shown without blocking.
///
/// Object names: "answerKeyText", "answerKeyPlot", "exportKeyPdf",
/// "exportKeyCsv", "exportKeyJson".
class AnswerKeyWindow : public QDialog
{
    Q_OBJECT

public:
    AnswerKeyWindow(const ChallengeLoading::OpenedChallenge &opened, const Challenge::AnswerKey &key,
                    QWidget *parent = nullptr);

public slots:
    void exportPdf();
    void exportCsv();
    void exportJson();

protected:
    void changeEvent(QEvent *event) override;

private:
    void retranslate();

    ChallengeLoading::OpenedChallenge m_opened;
    Challenge::AnswerKey m_key;
    QLabel *m_text;
    QPushButton *m_pdf;
    QPushButton *m_csv;
    QPushButton *m_json;
};
