#pragma once

#include "ground/framehost.h"

#include <QMainWindow>

class LanguageMenu;
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
///
/// Controls keep their designed names as objectName: "StatusBar1" with
/// "Panel1" … "Panel3", the work area "MDIClient", the menu items "Scr1",
/// "Scr2", "Scr3", "Close", "List" and "mnuCU". The menu "Language" stands
/// last on the bar, beside the frame's own menus or a child's.
class MainFrame : public QMainWindow, public FrameHost
{
    Q_OBJECT

public:
    MainFrame();

    void adoptChild(QWidget *child, const QList<QMenu *> &childMenus) override;
    void showFrame() override;
    QWidget *frameWindow() override { return this; }
    QMdiArea *workArea() override { return m_mdiArea; }
    QString panel1() const override;
    void setPanel1(const QString &text) override;
    QString statusWord() const override { return m_statusWord; }
    void setStatusWord(const QString &word) override { m_statusWord = word; }

    QMdiArea *mdiArea() const { return m_mdiArea; }

    /// Close(&C) of the simulator's menu: while the frame's own close
    /// question runs, asks once more; then unloads every window above the
    /// frame, from the most recent down.
    void closeAllWindows();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void createMenus();
    void showSimulator();
    template <class Window> void showWindow();
    void createStatusBar();
    void showOwnMenus();
    void updateClock();
    /// The close question; true when the user agreed and the windows are gone.
    bool queryUnload();

    QString m_statusWord;
    QMdiArea *m_mdiArea = nullptr;
    QLabel *m_panel1 = nullptr;
    QLabel *m_datePanel = nullptr;
    QLabel *m_timePanel = nullptr;
    QTimer *m_clock = nullptr;
    QList<QMenu *> m_ownMenus;
    LanguageMenu *m_languageMenu = nullptr;
};
