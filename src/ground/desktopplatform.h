#pragma once

#include "ground/platform.h"

/// The platform of a real desktop: Qt's dialogs, QDesktopServices, the
/// system clipboard and HttpDownload.
class DesktopPlatform : public Platform
{
public:
    MsgBox::Answer messageBox(const QString &prompt, MsgBox::Styles style, const QString &title = {}) override;
    QString inputBox(const QString &prompt, const QString &title, const QString &defaultText = {}) override;
    void beep() override;
    void shellOpen(const QString &target, const QString &workingFolder = {}) override;
    QString saveFileName(QWidget *owner, const QString &filter) override;
    QString openFileName(QWidget *owner, const QString &title) override;
    QImage clipboardImage() override;
    WindowCapture captureActiveWindow() override;
    bool dialogueOpen() override;
    QAction *popupMenu(QMenu *menu, const QPoint &globalPos) override;
    void download(const QUrl &url, const DownloadLimits &limits, QObject *context,
                  std::function<void(std::optional<QByteArray>)> done) override;

    /// The address or file that shellOpen hands to the desktop.
    static QUrl shellTarget(const QString &target, const QString &workingFolder);
};
