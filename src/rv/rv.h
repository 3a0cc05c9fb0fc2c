#pragma once

#include "app/picturebox.h"

#include <QMainWindow>

/// "Screen3": the radial-velocity plot of the current planet.
class RV : public QMainWindow
{
    Q_OBJECT

public:
    RV();

    QString Tag;
    PictureBox *Picture1 = nullptr;
    PictureBox *RVC = nullptr;
};
