#pragma once

#include <QMainWindow>

/// "Z Capture": captures the active window after a delay into numbered files.
class Form5 : public QMainWindow
{
    Q_OBJECT

public:
    Form5();
};
