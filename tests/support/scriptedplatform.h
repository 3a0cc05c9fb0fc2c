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
        MsgBox::Styles style;
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
    /// Captures answer as a platform that cannot name the active window.
    bool wholeScreenCaptures = false;
    QImage clipboard;

    QList<Box> messageBoxes;
    QList<Box> inputBoxes;
    QStringList shellTargets;
    QStringList shellFolders;
    QStringList saveFilters;
    QStringList openTitles;
    int beeps = 0;
    int popups = 0;
    /// Downloads that have ended, counted just before their answer is handed on.
    int downloadsEnded = 0;
    /// How often the program asked whether a dialogue is open.
    int dialogueLooks = 0;
    /// Runs while an input box is open, as a real one runs the event loop.
    std::function<void()> whileInputBoxOpen;

    MsgBox::Answer messageBox(const QString &prompt, MsgBox::Styles style, const QString &title = {}) override;
    QString inputBox(const QString &prompt, const QString &title, const QString &defaultText = {}) override;
    void beep() override;
    void shellOpen(const QString &target, const QString &workingFolder = {}) override;
    QString saveFileName(QWidget *owner, const QString &filter) override;
    QString openFileName(QWidget *owner, const QString &title) override;
    QImage clipboardImage() override;
    WindowCapture captureActiveWindow() override;
    /// True while one of this double's boxes is answering.
    bool dialogueOpen() override;
    QAction *popupMenu(QMenu *menu, const QPoint &globalPos) override;
    /// A real, bounded download: tests serve the answers themselves.
    void download(const QUrl &url, const DownloadLimits &limits, QObject *context,
                  std::function<void(std::optional<QByteArray>)> done) override;

private:
    Platform *m_previous;
    int m_openDialogues = 0;
};
