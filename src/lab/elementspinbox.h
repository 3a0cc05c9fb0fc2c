#pragma once

#include <QDoubleSpinBox>

/// The spin box of one orbital element: it keeps as many decimals as the
/// element needs (a period to a hundred-millionth of a day) but shows a value
/// without its trailing zeros, so the box stays narrow for round numbers,
/// and it takes digits, point and signs typed in full width through a
/// Japanese input method (１２．５, －) as their ASCII forms.
class ElementSpinBox : public QDoubleSpinBox
{
    Q_OBJECT

public:
    explicit ElementSpinBox(QWidget *parent = nullptr);

    /// `text` with each full-width form of an ASCII character (U+FF01 to
    /// U+FF5E) and the ideographic space replaced by its ASCII form; the
    /// length stays, so a cursor position stays valid.
    static QString halfWidth(QString text);

    QValidator::State validate(QString &input, int &position) const override;
    double valueFromText(const QString &text) const override;
    QString textFromValue(double value) const override;
};
