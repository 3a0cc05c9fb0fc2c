#pragma once

#include <QLockFile>
#include <QString>

#include <memory>

/// Tells whether another copy of the program is running, through a lock
/// file in the user's runtime folder. The operating system frees the lock
/// when the process dies, so a crashed run never blocks the next start.
class SingleInstance
{
public:
    /// `lockPath` empty: the program's lock in the runtime folder.
    explicit SingleInstance(const QString &lockPath = {});

    /// Takes the lock; false when another running instance holds it.
    bool acquire();

    static QString defaultLockPath();

private:
    std::unique_ptr<QLockFile> m_lock;
};
