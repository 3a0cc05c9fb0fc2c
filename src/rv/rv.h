#pragma once

#include "app/picturebox.h"

#include <QMainWindow>

class LineControl;
class QAction;
class QLabel;
class QLineEdit;
class QMenu;

/// "Screen3": the radial-velocity plot of the current planet.
///
/// The plot itself is drawn by DrawRadialVelocityCurve() into RVC. The
/// small dark text boxes carry the curve's inputs, written by the Screen1
/// set-up: Text1 e, Text2 K (m/s), Text3 P (days), Text5 ω (radians).
class RV : public QMainWindow
{
    Q_OBJECT

public:
    RV();

    /// Load handler: the plot's tool tip.
    void formLoad();

    QString Tag;
    PictureBox *Picture1 = nullptr;
    PictureBox *RVC = nullptr;

    QLineEdit *Text1 = nullptr;
    QLineEdit *Text2 = nullptr;
    QLineEdit *Text3 = nullptr;
    QLineEdit *Text4 = nullptr;
    QLineEdit *Text5 = nullptr;
    QLineEdit *Text6 = nullptr;
    QLabel *Label3 = nullptr;
    QLabel *Label4 = nullptr;
    QLabel *Label5 = nullptr;
    QLabel *Label6 = nullptr;
    QLabel *Label7 = nullptr;
    QLabel *Label8 = nullptr;
    LineControl *Line1 = nullptr;
    LineControl *Line2 = nullptr;
    LineControl *Line3 = nullptr;

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
    void createControls(QWidget *client);
    void createMenus();
};
