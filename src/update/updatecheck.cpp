#include "update/updatecheck.h"

#include "ground/appinfo.h"
#include "ground/framehost.h"
#include "ground/platform.h"
#include "update/versionfile.h"

#include <QCoreApplication>
#include <QTimer>

#include <optional>

namespace {

int &configuredTimeout()
{
    static int timeout = UpdateCheck::DefaultTimeoutMs;
    return timeout;
}

const QString latestText = QStringLiteral("Completed checking for update. This version is the latest.");

QString versionTag()
{
    return QStringLiteral("[ Orbiquest9 Ver.") + AppInfo::version().text() + QStringLiteral(" ]");
}

// One line for the status bar.
QString upToDateStatus()
{
    return latestText + versionTag() + AppInfo::copyrightNotice();
}

// The same news laid out over three lines for a box.
QString upToDateBox()
{
    return latestText + QStringLiteral("\r\n  ") + versionTag() + QStringLiteral("  \r\n") + AppInfo::copyrightNotice();
}

void openDownloadPage()
{
    Platform::current().shellOpen(AppInfo::homePage().toString(), QCoreApplication::applicationDirPath());
}

void reportUpToDate(UpdateCheck::Report report)
{
    FrameHost &frame = FrameHost::current();
    frame.setStatus(upToDateStatus());
    if (report == UpdateCheck::Report::Menu) {
        Platform::current().messageBox(upToDateBox(), MsgBox::Information, QStringLiteral("Set update check"));
        return;
    }
    // At start-up no box interrupts the user: the frame keeps the long form
    // as its status word, the panel the one-line form, and a beep tells.
    frame.setStatusWord(upToDateBox());
    Platform::current().beep();
}

void offerUpdate()
{
    FrameHost::current().setStatus(QStringLiteral("Please need to update the latest version."));
    Platform &platform = Platform::current();
    const QString title = QStringLiteral("UpdateCheck");
    if (platform.messageBox(QStringLiteral("Do you update the latest version Orbiquest9?"), MsgBox::OkCancel, title)
        == MsgBox::Ok) {
        openDownloadPage();
        return;
    }
    // OK on the second box confirms the refusal; Cancel takes it back.
    if (platform.messageBox(QStringLiteral("　　　　Are you sure?　　　　"), MsgBox::OkCancel, title) == MsgBox::Cancel)
        openDownloadPage();
}

} // namespace

UpdateCheck::UpdateCheck(Report report, QObject *owner) : QObject(owner), m_report(report)
{ }

UpdateCheck *UpdateCheck::run(Report report, QObject *owner)
{
    const auto checks = owner->findChildren<UpdateCheck *>(Qt::FindDirectChildrenOnly);
    for (UpdateCheck *check : checks) {
        if (check->m_running) {
            if (report == Report::Menu)
                check->m_report = Report::Menu;
            return check;
        }
    }
    auto *check = new UpdateCheck(report, owner);
    check->start();
    return check;
}

int UpdateCheck::timeoutMs()
{
    return configuredTimeout();
}

void UpdateCheck::setTimeoutMs(int milliseconds)
{
    configuredTimeout() = milliseconds;
}

void UpdateCheck::start()
{
    m_running = true;
    Platform::current().download(AppInfo::versionFile(), DownloadLimits{timeoutMs(), MaxBytes}, this,
                                 [this](std::optional<QByteArray> versionFile) {
                                     if (!versionFile) {
                                         m_running = false;
                                         finish();
                                         return;
                                     }
                                     m_versionFile = *versionFile;
                                     reportWhenNoDialogue();
                                 });
}

void UpdateCheck::reportWhenNoDialogue()
{
    if (Platform::current().dialogueOpen()) {
        QTimer::singleShot(DialogueCheckMs, this, &UpdateCheck::reportWhenNoDialogue);
        return;
    }
    m_running = false;
    conclude(m_versionFile, m_report);
    finish();
}

void UpdateCheck::finish()
{
    emit finished();
    deleteLater();
}

void UpdateCheck::conclude(const QByteArray &versionFile, Report report)
{
    if (VersionFile::isCurrent(versionFile, AppInfo::version()))
        reportUpToDate(report);
    else
        offerUpdate();
}
