#pragma once

#include <QString>

// What went wrong in an operation on the register, as the program tells failures apart.
enum class Failure {
    None,
    DuplicateCode, // a second subject under a code that is registered already
    FileBusy,      // another program holds the database
    RowChanged,    // the row was changed or removed by another program since it was read
    DiskFull,
    ReadOnly,     // the database or its folder cannot be written
    FileReplaced, // another program put another file in the database's place
    DiskError,    // the disk could not be read or written
    NotOurFile,   // not a database of this program, or a damaged one
    InvalidText,  // a text that cannot be stored as it stands
    ReadFailed,   // a read failed for another reason
    NotCopied,    // a file's bytes could not be copied (backup, restore)
    Refused,      // refused before anything was changed, for a reason the description gives
    Unreachable,  // the database server cannot be reached (stopped, or the network is down)
    Other,
};

// The outcome of an operation that can fail: success, or what went wrong with its description
// in Persian, ready for a window to show as it stands. Every operation of the core that can
// fail returns one, and a result is never left unread.
class [[nodiscard]] Result
{
public:
    // Success.
    Result() = default;
    static Result Failed(Failure failure, const QString &description)
    {
        Result result;
        result.m_failure = failure == Failure::None ? Failure::Other : failure;
        result.m_description = description;
        return result;
    }

    bool ok() const { return m_failure == Failure::None; }
    explicit operator bool() const { return ok(); }
    Failure failure() const { return m_failure; }
    bool is(Failure failure) const { return m_failure == failure; }
    // What went wrong, for the user; empty on success.
    QString description() const { return m_description; }

    // Where a failure has been told already, or an operation's outcome makes no difference to
    // what follows (a reread after a refused save, on a window about to close), say so here
    // rather than dropping the result unread.
    void ignore() const {}

private:
    Failure m_failure = Failure::None;
    QString m_description;
};
