#pragma once

#include <QString>

/// The program's input dialogues ask one value per input box, with a beep
/// before each, and end at the first stop answer. This is the asking half
/// that the Screen1 set-up and the registration share; each step's stop
/// rule stays with its dialogue.
class InputDialogue
{
public:
    /// `title` is the title of every input box of the dialogue.
    explicit InputDialogue(QString title);

    /// Beeps and asks; the answer as typed, empty when cancelled.
    QString askText(const QString &prompt) const;
    /// Beeps and asks; the answer read with the leading-number rule, so an
    /// empty answer, Cancel or a text without a number reads 0.
    double askNumber(const QString &prompt) const;

private:
    QString m_title;
};
