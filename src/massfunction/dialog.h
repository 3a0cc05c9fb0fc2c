#pragma once

#include <QWidget>

/// "Orbiquest9 - Mass Function -": the explanation of the mass function.
class Dialog : public QWidget
{
    Q_OBJECT

public:
    Dialog();
};
