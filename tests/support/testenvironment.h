#pragma once

#include <QTemporaryDir>

/// Runs a test in isolation: HOME, the XDG folders and the current folder
/// point into a fresh temporary folder, the maker's web server is a closed
/// port on this machine, and every window of the program is unloaded before
/// and after each test function.
class TestEnvironment
{
public:
    TestEnvironment();
    ~TestEnvironment();

    QString path() const { return m_dir.path(); }

    /// Unloads every window and deletes them now rather than later.
    static void resetWindows();

private:
    QTemporaryDir m_dir;
    QString m_previousFolder;
};
