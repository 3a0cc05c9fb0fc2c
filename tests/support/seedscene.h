#pragma once

#include "support/scriptedplatform.h"
#include "support/testenvironment.h"

#include <QByteArray>
#include <QString>

#include <initializer_list>

class QObject;

/// What a window test runs in: the scripted platform, then a fresh
/// temporary home. The home goes first, so windows that ask on unloading
/// still ask the script rather than a person.
struct SeedScene
{
    ScriptedPlatform platform;
    TestEnvironment environment{LanguageSwitch::Language::Japanese};
};

/// Queues the answers to the next input boxes, separated by '|'; returns
/// how many were queued.
int queueAnswers(ScriptedPlatform &platform, const QString &answers);

/// Runs the simulator's set-up (Screen1) with `answers` queued as by
/// queueAnswers; returns how many were queued.
int setUpScene(ScriptedPlatform &platform, const QString &answers);

/// The texts of `window`'s line edits `names`, joined with '|'.
QString boxTexts(const QObject *window, std::initializer_list<const char *> names);

/// The prompt of the only message box shown, when its title and style are
/// these; otherwise what was wrong in angle brackets, so a comparison with
/// the expected prompt names it.
QString onlyMessage(const ScriptedPlatform &platform, MsgBox::Styles style,
                    const QString &title = QStringLiteral("Orbiquest9"));

/// Writes `bytes` to `path`, making its folder first; fails the test when
/// it cannot.
void writeFile(const QString &path, const QByteArray &bytes);

/// The first `length` bytes of the file at `path`, all of them with -1;
/// "<unreadable>" when it cannot be opened.
QByteArray fileContents(const QString &path, qint64 length = -1);
