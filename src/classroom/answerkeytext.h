#pragma once

#include "challenge/answerkey.h"

#include <QStringList>

/// The answer key as lines of text, for the key window and its PDF alike:
/// the star, the true elements (where they come from), and the best fit the
/// data allow with 1σ uncertainties, each value to the digits its
/// uncertainty earns.
namespace AnswerKeyText {

QStringList lines(const Challenge::AnswerKey &key);

} // namespace AnswerKeyText
