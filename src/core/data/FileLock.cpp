#include "data/FileLock.h"

#include "data/Database.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QUrl>
#include <QUuid>

namespace {
// Short waits for another program's lock, the program's events served between them.
const int WaitStepMs = 25;

// What the engine said, in its own words (the backup window puts them in its own sentence); or
// the file busy.
Result failureOf(const QSqlError &error)
{
    const Result read = ReadFailure(error);
    return read.is(Failure::FileBusy) ? read : Result::Failed(Failure::ReadFailed, error.text());
}
} // namespace

FileLock::FileLock(const QString &path, int busyTimeoutMs)
    : m_name(QStringLiteral("korvat-lock-") + QUuid::createUuid().toString()),
      m_busyTimeoutMs(busyTimeoutMs)
{
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_name);
    // mode=rw: the file is opened or the open fails; an empty database is never made in its place.
    db.setDatabaseName(
        QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath()).toString(QUrl::FullyEncoded) +
        QStringLiteral("?mode=rw"));
    db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_URI;QSQLITE_BUSY_TIMEOUT=%1")
                             .arg(qMin(busyTimeoutMs, WaitStepMs)));
    if (!db.open())
        m_opened = failureOf(db.lastError());
}

FileLock::~FileLock()
{
    {
        QSqlDatabase db = QSqlDatabase::database(m_name, false);
        if (db.isOpen()) {
            QSqlQuery(db).exec(QStringLiteral("ROLLBACK"));
            db.close();
        }
    }
    QSqlDatabase::removeDatabase(m_name);
}

Result FileLock::holdAgainstWriters(bool *walMode)
{
    // A read transaction, made real by a read of the catalogue.
    QString tables;
    QString mode;
    Result held = run(QStringLiteral("BEGIN"));
    if (held)
        held = run(QStringLiteral("SELECT COUNT(*) FROM sqlite_master"), &tables);
    if (held)
        held = run(QStringLiteral("PRAGMA journal_mode"), &mode);
    *walMode = held && mode.compare(QStringLiteral("wal"), Qt::CaseInsensitive) == 0;
    return held;
}

Result FileLock::holdAlone()
{
    return run(QStringLiteral("BEGIN EXCLUSIVE"));
}

Result FileLock::run(const QString &statement, QString *value)
{
    if (!m_opened)
        return m_opened;
    QDeadlineTimer deadline(m_busyTimeoutMs);
    for (;;) {
        QSqlQuery query(QSqlDatabase::database(m_name, false));
        query.setForwardOnly(true);
        if (query.exec(statement) && (!value || query.next())) {
            if (value)
                *value = query.value(0).toString();
            return {};
        }
        const Result failure = failureOf(query.lastError());
        if (!failure.is(Failure::FileBusy) || deadline.hasExpired())
            return failure;
        query = QSqlQuery();
        if (QCoreApplication::instance())
            QCoreApplication::processEvents();
    }
}
