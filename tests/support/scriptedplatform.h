#pragma once

#include "ground/platform.h"

#include <QList>
#include <QQueue>
#include <QStringList>

/// A platform that answers from queues instead of asking a person, and
/// records every box, beep and shell call, so a test can run a whole
/// dialogue and then check what the user would have seen.
///
/// With a queue empty, a message box answers with its first button (OK or
/// Yes), an input box and the file dialogs as if cancelled, and a pop-up
/// menu as if dismissed.
class ScriptedPlatform : public Platform
{
public:
    struct Box
    {
        QString prompt;
        QString title;
        int style = 0;
    };

    /// Installs itself as the current platform; the previous one comes
    /// back when this object is destroyed.
    ScriptedPlatform();
    ~ScriptedPlatform() override;

    QQueue<int> messageAnswers;
    QQueue<QString> inputAnswers;
    QQueue<QString> fileNames;
    /// objectName of the pop-up item to choose; an empty name dismisses.
    QQueue<QString> popupChoices;
    QQueue<QImage> capturedWindows;
    QImage clipboard;

    QList<Box> messageBoxes;
    QList<Box> inputBoxes;
    QStringList shellTargets;
    QStringList shellFolders;
    QStringList saveFilters;
    QStringList openTitles;
    int beeps = 0;
    int popups = 0;

    int messageBox(const QString &prompt, int style, const QString &title = {}) override;
    QString inputBox(const QString &prompt, const QString &title,
                     const QString &defaultText = {}) override;
    void beep() override;
    void shellOpen(const QString &target, const QString &workingFolder = {}) override;
    QString saveFileName(QWidget *owner, const QString &filter) override;
    QString openFileName(QWidget *owner, const QString &title) override;
    QImage clipboardImage() override;
    QImage captureActiveWindow() override;
    QAction *popupMenu(QMenu *menu, const QPoint &globalPos) override;
    /// A real, bounded download: tests serve the answers themselves.
    void download(const QUrl &url, const DownloadLimits &limits, QObject *context,
                  std::function<void(std::optional<QByteArray>)> done) override;

private:
    Platform *m_previous;
};
