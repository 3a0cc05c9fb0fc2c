#pragma once

#include "ground/languageswitch.h"

#include <QTemporaryDir>

/// Runs a test in isolation: HOME, the XDG folders and the current folder
/// point into a fresh temporary folder, the maker's web server is a closed
/// port on this machine, and every window of the program is unloaded before
/// and after each test function. The program speaks `language` for the
/// test: English, the source texts, unless a test checks the Japanese.
class TestEnvironment
{
public:
    explicit TestEnvironment(LanguageSwitch::Language language = LanguageSwitch::Language::English);
    ~TestEnvironment();

    QString path() const { return m_dir.path(); }

    /// Unloads every window and deletes them now rather than later.
    static void resetWindows();

private:
    QTemporaryDir m_dir;
    QString m_previousFolder;
};
