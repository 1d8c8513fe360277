#pragma once

#include <QLockFile>
#include <QString>

namespace SingleInstanceText {
inline const char *const NoPermission =
    "اجازه‌ی نوشتن در پوشه‌ی «%1» نیست.";
inline const char *const NoFolder = "پوشه‌ی «%1» پیدا نشد.";
inline const char *const DiskFull = "جای خالی در «%1» نمانده است.";
inline const char *const NotMade = "پرونده‌ی «%1» ساخته نشد.";
inline const char *const Unguarded =
    "برنامه نمی‌تواند از باز شدن دوباره‌ی خود جلوگیری کند:\n%1\n"
    "برنامه باز می‌شود؛ آن را هم‌زمان دو بار باز نکنید.";
} // namespace SingleInstanceText

// One running program per user. The lock is a file in the user's own folder for such files
// (tests give a folder of their own); the lock of a program that died is taken over.
class SingleInstance
{
public:
    enum class Outcome {
        Guarded,        // this program holds the lock
        AlreadyRunning, // a live program holds it
        Unguarded,      // no lock could be made; failure() says why
    };

    explicit SingleInstance(const QString &folder = DefaultFolder());
    Outcome acquire();
    // Why the guard could not be set up, for the user; empty unless acquire() gave Unguarded.
    QString failure() const { return m_failure; }

    QString lockPath() const { return m_path; }
    static QString DefaultFolder();
    // A lock file that cannot be read and is older than this was left half made, by a power cut
    // or a crash just after it was created; a younger one belongs to a program starting now.
    static constexpr int UnreadableLockStaleMs = 5000;

private:
    // The lock file is there and belongs to a live program, or to one writing it just now.
    bool isHeld() const;
    QString describeFailure() const;

    QString m_folder;
    QString m_path;
    QLockFile m_lock;
    QString m_failure;
};
