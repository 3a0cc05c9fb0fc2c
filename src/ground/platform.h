#pragma once

#include <QByteArray>
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

/// Message box styles (a button set plus an icon) and the answers it returns.
namespace MsgBox {
inline constexpr int OkOnly = 0;
inline constexpr int OkCancel = 1;
inline constexpr int YesNo = 4;
inline constexpr int Critical = 16;
inline constexpr int Question = 32;
inline constexpr int Exclamation = 48;
inline constexpr int Information = 64;
inline constexpr int SetForeground = 0x10000;

inline constexpr int Ok = 1;
inline constexpr int Cancel = 2;
inline constexpr int Yes = 6;
inline constexpr int No = 7;
} // namespace MsgBox

/// Bounds of one download: it gives up after `timeoutMs` and refuses an
/// answer longer than `maxBytes`.
struct DownloadLimits
{
    int timeoutMs = 5000;
    qint64 maxBytes = 64 * 1024;
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

    /// Blocks until answered. `style` is a MsgBox button set plus an icon;
    /// an empty title gives the application's title. Returns MsgBox::Ok,
    /// Cancel, Yes or No.
    virtual int messageBox(const QString &prompt, int style, const QString &title = {}) = 0;
    /// Returns the typed text, or the empty text when cancelled.
    virtual QString inputBox(const QString &prompt, const QString &title,
                             const QString &defaultText = {}) = 0;
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
    /// A picture of the window that is active now, or a null image.
    virtual QImage captureActiveWindow() = 0;

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
