#pragma once

#include <QWidget>

/// "Screen4": registers planets of the user's own into a list and a document.
class Form4 : public QWidget
{
    Q_OBJECT

public:
    Form4();
};
