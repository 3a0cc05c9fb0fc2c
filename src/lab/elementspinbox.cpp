#include "lab/elementspinbox.h"

namespace {

constexpr char16_t FullWidthFirst = u'！'; // U+FF01, the full-width form of '!'
constexpr char16_t FullWidthLast = u'～';  // U+FF5E, of '~'
constexpr char16_t IdeographicSpace = u'　';

} // namespace

ElementSpinBox::ElementSpinBox(QWidget *parent) : QDoubleSpinBox(parent)
{ }

QString ElementSpinBox::halfWidth(QString text)
{
    for (QChar &character : text) {
        const char16_t code = character.unicode();
        if (code >= FullWidthFirst && code <= FullWidthLast)
            character = QChar(char16_t(code - FullWidthFirst + u'!'));
        else if (code == IdeographicSpace)
            character = QChar(u' ');
    }
    return text;
}

QValidator::State ElementSpinBox::validate(QString &input, int &position) const
{
    input = halfWidth(input);
    return QDoubleSpinBox::validate(input, position);
}

double ElementSpinBox::valueFromText(const QString &text) const
{
    return QDoubleSpinBox::valueFromText(halfWidth(text));
}

QString ElementSpinBox::textFromValue(double value) const
{
    QString text = QDoubleSpinBox::textFromValue(value);
    const QString point = locale().decimalPoint();
    if (!text.contains(point))
        return text;
    while (text.endsWith(u'0'))
        text.chop(1);
    if (text.endsWith(point))
        text.chop(point.size());
    return text;
}
