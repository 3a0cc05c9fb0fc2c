#pragma once

#include <QByteArray>
#include <QFlags>
#include <QImage>
#include <QString>
#include <QUrl>

#include <functional>
#include <optional>

class QAction;
class QMenu;
class QObject;
class QPoint;
class QWidget;

/// Message boxes as the original program numbered them: a style is a button
/// set, an icon and SetForeground joined with |, and the answer names the
/// button pressed.
namespace MsgBox {

enum Style : int {
    OkOnly = 0,
    OkCancel = 1,
    YesNo = 4,
    Critical = 16,
    Question = 32,
    Exclamation = 48,
    Information = 64,
    SetForeground = 0x10000,
};
Q_DECLARE_FLAGS(Styles, Style)

/// The bits of a style that choose the buttons, and those that choose the icon.
inline constexpr int ButtonBits = 0x7;
inline constexpr int IconBits = 0x70;

enum Answer : int { Ok = 1, Cancel = 2, Yes = 6, No = 7 };

} // namespace MsgBox
Q_DECLARE_OPERATORS_FOR_FLAGS(MsgBox::Styles)

/// Bounds of one download: it gives up after `timeoutMs` and refuses an
/// answer longer than `maxBytes`.
struct DownloadLimits
{
    int timeoutMs = 5000;
    qint64 maxBytes = 64 * 1024;
};

/// What a capture of the active window took.
struct WindowCapture
{
    QImage image;
    bool wholeScreen = false; ///< the active window could not be named: the screen instead
};

/// The one door to everything modal or outside the program: message and
/// input boxes, the beep, the shell, file dialogs, the clipboard, screen
/// capture and downloads. Windows call Platform::current() and never a Qt
/// dialog directly, so a test installs a scripted double that answers.
class Platform
{
public:
    virtual ~Platform();

    static Platform &current();
    /// Makes `platform` the current one; the caller keeps ownership.
    static void install(Platform *platform);

    /// Blocks until answered. An empty title gives the application's title.
    virtual MsgBox::Answer messageBox(const QString &prompt, MsgBox::Styles style, const QString &title = {}) = 0;
    /// Returns the typed text, or the empty text when cancelled.
    virtual QString inputBox(const QString &prompt, const QString &title, const QString &defaultText = {}) = 0;
    virtual void beep() = 0;
    /// Opens a web address, a document or a folder with the user's
    /// programs. A relative path is taken from `workingFolder`, or from the
    /// current folder when that is empty. The outcome is not reported.
    virtual void shellOpen(const QString &target, const QString &workingFolder = {}) = 0;

    /// Asks for a file to write. `filter` is a Qt name filter list
    /// ("Description (*.ext);;…"); the dialog allows new names and asks
    /// before overwriting. Returns the empty text when cancelled.
    virtual QString saveFileName(QWidget *owner, const QString &filter) = 0;
    /// Asks for an existing file. Returns the empty text when cancelled.
    virtual QString openFileName(QWidget *owner, const QString &title) = 0;

    virtual QImage clipboardImage() = 0;
    /// A picture of the window that is active now, or of the whole screen
    /// (`wholeScreen`) where the window system cannot name another
    /// program's active window; a null image when nothing could be copied.
    virtual WindowCapture captureActiveWindow() = 0;

    /// True while a message or input box, a file dialog, a menu or any other
    /// modal window of the program is open: news that arrives now must wait,
    /// or it would land in the middle of what the user is answering.
    virtual bool dialogueOpen() = 0;

    /// Shows `menu` at `globalPos` until it closes. The item the user
    /// chooses has been triggered when this returns; returns it, or nullptr
    /// when the menu was dismissed.
    virtual QAction *popupMenu(QMenu *menu, const QPoint &globalPos) = 0;

    /// Fetches `url` without blocking. `done` runs once, in the thread of
    /// `context`, with the body, or with nothing when the download failed,
    /// timed out or went past the size limit. It never runs after `context`
    /// is destroyed.
    virtual void download(const QUrl &url, const DownloadLimits &limits, QObject *context,
                          std::function<void(std::optional<QByteArray>)> done) = 0;
};
