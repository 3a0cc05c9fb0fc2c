#include "ground/desktopplatform.h"

#include "ground/appinfo.h"
#include "ground/httpdownload.h"
#include "ground/x11activewindow.h"

#include <QApplication>
#include <QClipboard>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QInputDialog>
#include <QMenu>
#include <QMessageBox>
#include <QScreen>
#include <QWindow>

namespace {

QMessageBox::Icon iconOf(MsgBox::Styles style)
{
    switch (style.toInt() & MsgBox::IconBits) {
    case MsgBox::Critical:
        return QMessageBox::Critical;
    case MsgBox::Question:
        return QMessageBox::Question;
    case MsgBox::Exclamation:
        return QMessageBox::Warning;
    case MsgBox::Information:
        return QMessageBox::Information;
    default:
        return QMessageBox::NoIcon;
    }
}

} // namespace

MsgBox::Answer DesktopPlatform::messageBox(const QString &prompt, MsgBox::Styles style, const QString &title)
{
    // Owned by the active window, the box opens over it, even over the
    // always-on-top capture window.
    QMessageBox box(iconOf(style), title.isEmpty() ? AppInfo::title() : title, prompt, QMessageBox::NoButton,
                    QApplication::activeWindow());
    const int buttons = style.toInt() & MsgBox::ButtonBits;
    switch (buttons) {
    case MsgBox::OkCancel:
        box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
        break;
    case MsgBox::YesNo:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        break;
    default:
        box.setStandardButtons(QMessageBox::Ok);
        break;
    }
    if (style.testFlag(MsgBox::SetForeground))
        box.setWindowFlag(Qt::WindowStaysOnTopHint);
    switch (box.exec()) {
    case QMessageBox::Cancel:
        return MsgBox::Cancel;
    case QMessageBox::Yes:
        return MsgBox::Yes;
    case QMessageBox::No:
        return MsgBox::No;
    default:
        // Closing an OK/Cancel box with its close button means Cancel.
        return buttons == MsgBox::OkCancel && box.clickedButton() == nullptr ? MsgBox::Cancel : MsgBox::Ok;
    }
}

QString DesktopPlatform::inputBox(const QString &prompt, const QString &title, const QString &defaultText)
{
    QInputDialog dialog(QApplication::activeWindow());
    dialog.setWindowTitle(title);
    dialog.setLabelText(prompt);
    dialog.setTextValue(defaultText);
    if (dialog.exec() != QDialog::Accepted)
        return {};
    return dialog.textValue();
}

void DesktopPlatform::beep()
{
    QApplication::beep();
}

QUrl DesktopPlatform::shellTarget(const QString &target, const QString &workingFolder)
{
    const QUrl url(target);
    if (!url.scheme().isEmpty() && url.scheme().size() > 1)
        return url;
    const QDir base(workingFolder.isEmpty() ? QDir::currentPath() : workingFolder);
    QString path = target;
    path.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return QUrl::fromLocalFile(base.absoluteFilePath(path));
}

void DesktopPlatform::shellOpen(const QString &target, const QString &workingFolder)
{
    QDesktopServices::openUrl(shellTarget(target, workingFolder));
}

QString DesktopPlatform::saveFileName(QWidget *owner, const QString &filter)
{
    return QFileDialog::getSaveFileName(owner, QString(), QString(), filter);
}

QString DesktopPlatform::openFileName(QWidget *owner, const QString &title)
{
    return QFileDialog::getOpenFileName(owner, title);
}

QImage DesktopPlatform::clipboardImage()
{
    return QGuiApplication::clipboard()->image();
}

WindowCapture DesktopPlatform::captureActiveWindow()
{
    if (QWidget *window = QApplication::activeWindow())
        return {window->grab().toImage(), false};
    QScreen *screen = QGuiApplication::screenAt(QCursor::pos());
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    if (!screen)
        return {};
    // Another program's window is active: on X11 the window manager names it.
    if (const std::optional<WId> active = X11ActiveWindow::id())
        return {screen->grabWindow(*active).toImage(), false};
    return {screen->grabWindow(0).toImage(), true};
}

bool DesktopPlatform::dialogueOpen()
{
    return QApplication::activeModalWidget() != nullptr || QApplication::activePopupWidget() != nullptr;
}

QAction *DesktopPlatform::popupMenu(QMenu *menu, const QPoint &globalPos)
{
    return menu->exec(globalPos);
}

void DesktopPlatform::download(const QUrl &url, const DownloadLimits &limits, QObject *context,
                               std::function<void(std::optional<QByteArray>)> done)
{
    HttpDownload::start(url, limits, context, std::move(done));
}

namespace {

Platform *installedPlatform = nullptr;

} // namespace

// The default platform is the desktop; it lives here rather than beside the
// interface, so that the interface knows none of its implementations.
Platform &Platform::current()
{
    if (!installedPlatform) {
        static DesktopPlatform desktop;
        installedPlatform = &desktop;
    }
    return *installedPlatform;
}

void Platform::install(Platform *platform)
{
    installedPlatform = platform;
}
