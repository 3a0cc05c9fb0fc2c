#pragma once

#include <QList>
#include <QString>

#include <functional>

class QMdiArea;
class QMenu;
class QWidget;

/// The frame around the simulator as the windows see it: a status bar
/// whose first panel they write, a status word, and a work area that takes
/// the simulator in. The frame itself lives on the floor above the windows;
/// it installs a loader here, so a window reaches the frame without
/// including it.
class FrameHost
{
public:
    virtual ~FrameHost() = default;

    /// Takes `child` into the work area and shows `childMenus` in the menu
    /// bar until the child is unloaded.
    virtual void adoptChild(QWidget *child, const QList<QMenu *> &childMenus) = 0;
    /// Shows the frame window.
    virtual void showFrame() = 0;
    /// The frame window and its work area, for a window that sizes and
    /// places itself there (the Kepler lab); nothing without a frame.
    virtual QWidget *frameWindow() = 0;
    virtual QMdiArea *workArea() = 0;

    /// Text of the status bar's first panel.
    virtual QString panel1() const = 0;
    virtual void setPanel1(const QString &text) = 0;

    /// The frame's status word ("Close" while the frame's close question
    /// runs); setStatus() stores it and shows it in panel 1,
    /// setStatusWord() stores it alone.
    virtual QString statusWord() const = 0;
    virtual void setStatusWord(const QString &word) = 0;
    void setStatus(const QString &word);

    /// The loaded frame, loaded now through the installed loader when it is
    /// not. Without a loader (a benchmark that builds windows alone) a
    /// frame without a window keeps the texts.
    static FrameHost &current();
    /// Installs the function that loads the frame; the top floor does this
    /// before the first window appears.
    static void setLoader(std::function<FrameHost &()> loader);
};
