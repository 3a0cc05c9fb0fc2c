#pragma once

#include "challenge/answerkey.h"
#include "challenge/lesson.h"
#include "classroom/challengeloading.h"

#include <QByteArray>
#include <QImage>
#include <QList>

/// The printable pages of the classroom, as PDF bytes (PdfDocument): a
/// lesson's worksheet (its steps, each question with empty lines for the
/// answer, and the pictures of the lab the student will see), a
/// challenge's worksheet (what it gives, the data plotted, a line for each
/// quantity to find) and the teacher's answer key (true elements, the best
/// fit with its uncertainties, the data folded on each fitted planet).
namespace Worksheets {

QByteArray lessonSheet(const Challenge::Lesson &lesson, const QList<QImage> &labPictures);
QByteArray challengeSheet(const ChallengeLoading::OpenedChallenge &opened);
QByteArray answerKeySheet(const ChallengeLoading::OpenedChallenge &opened, const Challenge::AnswerKey &key);

} // namespace Worksheets
