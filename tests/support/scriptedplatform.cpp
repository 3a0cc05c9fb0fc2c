#include "support/scriptedplatform.h"

#include "ground/httpdownload.h"

#include <QAction>
#include <QMenu>

namespace {

// Remembers which platform was current so the double can give it back.
Platform *currentOrNull()
{
    return &Platform::current();
}

QAction *findAction(QMenu *menu, const QString &name)
{
    for (QAction *action : menu->actions()) {
        if (action->objectName() == name)
            return action;
        if (action->menu()) {
            if (QAction *inner = findAction(action->menu(), name))
                return inner;
        }
    }
    return nullptr;
}

} // namespace

ScriptedPlatform::ScriptedPlatform() : m_previous(currentOrNull())
{
    Platform::install(this);
}

ScriptedPlatform::~ScriptedPlatform()
{
    Platform::install(m_previous);
}

MsgBox::Answer ScriptedPlatform::messageBox(const QString &prompt, MsgBox::Styles style, const QString &title)
{
    messageBoxes.append({prompt, title, style});
    if (!messageAnswers.isEmpty())
        return MsgBox::Answer(messageAnswers.dequeue());
    return (style.toInt() & MsgBox::ButtonBits) == MsgBox::YesNo ? MsgBox::Yes : MsgBox::Ok;
}

QString ScriptedPlatform::inputBox(const QString &prompt, const QString &title, const QString &)
{
    inputBoxes.append({prompt, title, {}});
    ++m_openDialogues;
    if (whileInputBoxOpen)
        whileInputBoxOpen();
    --m_openDialogues;
    return inputAnswers.isEmpty() ? QString() : inputAnswers.dequeue();
}

bool ScriptedPlatform::dialogueOpen()
{
    ++dialogueLooks;
    return m_openDialogues > 0;
}

void ScriptedPlatform::beep()
{
    ++beeps;
}

void ScriptedPlatform::shellOpen(const QString &target, const QString &workingFolder)
{
    shellTargets.append(target);
    shellFolders.append(workingFolder);
}

QString ScriptedPlatform::saveFileName(QWidget *, const QString &filter)
{
    saveFilters.append(filter);
    return fileNames.isEmpty() ? QString() : fileNames.dequeue();
}

QString ScriptedPlatform::openFileName(QWidget *, const QString &title)
{
    openTitles.append(title);
    return fileNames.isEmpty() ? QString() : fileNames.dequeue();
}

QImage ScriptedPlatform::clipboardImage()
{
    return clipboard;
}

WindowCapture ScriptedPlatform::captureActiveWindow()
{
    return {capturedWindows.isEmpty() ? QImage() : capturedWindows.dequeue(), wholeScreenCaptures};
}

QAction *ScriptedPlatform::popupMenu(QMenu *menu, const QPoint &)
{
    ++popups;
    const QString choice = popupChoices.isEmpty() ? QString() : popupChoices.dequeue();
    QAction *action = choice.isEmpty() ? nullptr : findAction(menu, choice);
    if (action)
        action->trigger();
    return action;
}

void ScriptedPlatform::download(const QUrl &url, const DownloadLimits &limits, QObject *context,
                                std::function<void(std::optional<QByteArray>)> done)
{
    HttpDownload::start(url, limits, context, [this, done = std::move(done)](std::optional<QByteArray> body) {
        ++downloadsEnded;
        done(std::move(body));
    });
}
