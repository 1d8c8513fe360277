#pragma once

#include <QLockFile>
#include <QString>

// One running program per user. The lock is a file in the user's runtime folder; the lock of a
// program that died is taken over, since its process no longer exists.
class SingleInstance
{
public:
    SingleInstance();
    // False when another running program holds the lock.
    bool acquire();

    static QString LockPath();

private:
    QLockFile m_lock;
};
