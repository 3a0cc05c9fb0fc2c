#pragma once

#include <QMainWindow>

class QAction;
class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QStatusBar;
class QTimer;

/// The frame "Orbiquest9 - Main Screen -": the one multiple-document window
/// that holds the simulator, its status bar and, while no child window is
/// open, its own menus. Closing it asks first and ends the program.
class MDIForm1 : public QMainWindow
{
    Q_OBJECT

public:
    MDIForm1();

    /// The frame's status word; setStatus() stores it and shows it in panel 1.
    QString Tag;
    void setStatus(const QString &word);

    /// Text of the first panel of the status bar.
    QString panel1() const;
    void setPanel1(const QString &text);

    /// Takes `child` into the frame's work area and shows its menus in the
    /// menu bar until the child is unloaded.
    void adoptChild(QWidget *child, const QList<QMenu *> &childMenus);

    QMdiArea *mdiArea() const { return m_mdiArea; }
    QStatusBar *StatusBar1 = nullptr;

    QMenu *m1 = nullptr;
    QMenu *m2 = nullptr;
    QMenu *m3 = nullptr;
    QMenu *m4 = nullptr;
    QAction *Scr1 = nullptr;
    QAction *Scr2 = nullptr;
    QAction *Scr3 = nullptr;
    QAction *Close = nullptr;
    QAction *List = nullptr;
    QAction *mnuCU = nullptr;

public slots:
    void Scr1_Click();
    void Scr2_Click();
    void Scr3_Click();
    void Close_Click();
    void List_Click();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void createMenus();
    void createStatusBar();
    void showOwnMenus();
    void updateClock();
    /// The close question; true when the user agreed and the windows are gone.
    bool queryUnload();

    QMdiArea *m_mdiArea = nullptr;
    QLabel *m_panel1 = nullptr;
    QLabel *m_datePanel = nullptr;
    QLabel *m_timePanel = nullptr;
    QTimer *m_clock = nullptr;
    QList<QMenu *> m_ownMenus;
};
