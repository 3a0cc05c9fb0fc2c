#pragma once

#include <QByteArray>
#include <QObject>

/// One look at the maker's version file, asked for from the menu or at
/// start-up. The download runs in the background, bounded in time and size,
/// and is kept in memory only: no file of the user's is ever read, written
/// or deleted. When it ends, the outcome is reported to the user:
///
/// - up to date: a status text; from the menu also the "Set update check"
///   box, at start-up a beep instead;
/// - different (older, empty, any other first line): a status text and the
///   "UpdateCheck" questions, which may open the download page;
/// - no answer, an HTTP error, too slow or too big: nothing at all.
///
/// An answer that arrives while a dialogue of the program is open (the
/// set-up's questions, a message box) waits until none is open, so that it
/// never lands between two questions.
class UpdateCheck : public QObject
{
    Q_OBJECT

public:
    enum class Report { Menu, StartUp };

    /// The program waits a few seconds for the server and takes at most
    /// 64 KiB; a version file is one short line.
    static constexpr int DefaultTimeoutMs = 5000;
    static constexpr qint64 MaxBytes = 64 * 1024;
    /// How often a waiting answer looks whether the dialogue has ended.
    static constexpr int DialogueCheckMs = 100;

    /// Starts a check owned by `owner` (the simulator window) and returns
    /// at once; the check is abandoned when its owner goes. While a check of
    /// the same owner is still on its way no second download starts: that
    /// one is returned, and a menu request makes it report as from the menu.
    static UpdateCheck *run(Report report, QObject *owner);

    /// How long a check waits for the server; tests shorten it.
    static int timeoutMs();
    static void setTimeoutMs(int milliseconds);

    Report report() const { return m_report; }

signals:
    /// The check has ended, whatever its outcome; it deletes itself later.
    void finished();

private:
    UpdateCheck(Report report, QObject *owner);
    void start();
    /// Reports the answer once no dialogue of the program is open, then ends.
    void reportWhenNoDialogue();
    void finish();
    /// Tells the user what the downloaded version file means.
    static void conclude(const QByteArray &versionFile, Report report);

    Report m_report;
    bool m_running = false;
    QByteArray m_versionFile;
};
