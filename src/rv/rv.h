#pragma once

#include "app/picturebox.h"

#include <QMainWindow>

class QAction;
class QMenu;

/// "Screen3": the radial-velocity plot of the current planet.
class RV : public QMainWindow
{
    Q_OBJECT

public:
    RV();

    QString Tag;
    PictureBox *Picture1 = nullptr;
    PictureBox *RVC = nullptr;

    QMenu *Ctrl = nullptr;
    QMenu *File = nullptr;
    QAction *Clear = nullptr;
    QAction *End = nullptr;
    QAction *FOpen = nullptr;
    QAction *Fsave = nullptr;

public slots:
    void Clear_Click();
    void End_Click();
    void FOpen_Click();
    void Fsave_Click();

private:
    void createMenus();
};
