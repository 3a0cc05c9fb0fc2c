#pragma once

#include <QWidget>

/// "Screen2": the catalog browser and the results of the last simulation.
class Form2 : public QWidget
{
    Q_OBJECT

public:
    Form2();
};
