#include "ground/inputdialogue.h"

#include "ground/platform.h"
#include "ground/textnumber.h"

InputDialogue::InputDialogue(QString title) : m_title(std::move(title))
{ }

QString InputDialogue::askText(const QString &prompt) const
{
    Platform &platform = Platform::current();
    platform.beep();
    return platform.inputBox(prompt, m_title);
}

double InputDialogue::askNumber(const QString &prompt) const
{
    return TextNumber::leadingNumber(askText(prompt));
}
