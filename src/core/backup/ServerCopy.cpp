#include "backup/ServerCopy.h"

#include "backup/NativePath.h"

#include "common/Text.h"
#include "data/Backend.h"
#include "data/Database.h"
#include "data/ServerBackend.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QUuid>

#include <filesystem>
#include <system_error>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace ServerCopyText {
const char *const FileUnwritable =
    "فایل نسخه‌ی پشتیبان \u2066%1\u2069 نوشته نشد:\n\u2066%2\u2069";
const char *const FileUnreadable =
    "فایل نسخه‌ی پشتیبان \u2066%1\u2069 خوانده نشد:\n\u2066%2\u2069";
const char *const Untouched = "پایگاه داده‌ی سرور دست نخورد.";
} // namespace ServerCopyText

namespace {
// Rows go to the server this many to a statement: one round trip each.
const int RowsPerInsert = 64;

QString shown(const QString &path)
{
    return QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath());
}

QString fieldList(const QString &table)
{
    QStringList quoted;
    for (const QString &field : Schema::Fields(table))
        quoted << QuotedName(field);
    return quoted.join(u',');
}

// A connection of its own, gone with the object.
class Connection
{
public:
    explicit Connection(const QString &prefix)
        : m_name(prefix + QUuid::createUuid().toString(QUuid::WithoutBraces))
    {}
    ~Connection()
    {
        if (QSqlDatabase::contains(m_name)) {
            QSqlDatabase::database(m_name, false).close();
            QSqlDatabase::removeDatabase(m_name);
        }
    }
    QString name() const { return m_name; }
    QSqlDatabase db() const { return QSqlDatabase::database(m_name, false); }

private:
    QString m_name;
};

void serveEvents()
{
    if (QCoreApplication::instance())
        QCoreApplication::processEvents();
}

bool syncFile(const QString &path)
{
#ifdef Q_OS_UNIX
    QFile file(path);
    return file.open(QIODevice::ReadWrite) && ::fsync(file.handle()) == 0;
#else
    Q_UNUSED(path);
    return true;
#endif
}

void removeWithJournal(const QString &path)
{
    QFile::remove(path);
    QFile::remove(path + QStringLiteral("-journal"));
}

} // namespace

Result Backup::BackUpServer(const QString &settingsPath, const QString &destination,
                            const Progress &progress)
{
    Connection server(QStringLiteral("backup-server-"));
    if (const Result opened = OpenSecondServerConnection(settingsPath, server.name()); !opened)
        return Result::Failed(Failure::Refused, opened.description());
    QSqlQuery read(server.db());
    read.setForwardOnly(true);
    const auto serverFailed = [&read] {
        const Result failure = ServerBackend().readFailure(read.lastError());
        read.exec(QStringLiteral("ROLLBACK"));
        return Result::Failed(Failure::Refused, failure.description());
    };
    // One snapshot for every table: what other PCs save meanwhile is in none of them.
    if (!read.exec(QStringLiteral("BEGIN ISOLATION LEVEL REPEATABLE READ READ ONLY")))
        return serverFailed();
    qint64 total = 0;
    for (const QString &table : Schema::Tables()) {
        if (!read.exec(QStringLiteral("SELECT COUNT(*) FROM %1").arg(QuotedName(table))) ||
            !read.next())
            return serverFailed();
        total += read.value(0).toLongLong();
        read.finish();
    }

    // Written beside the destination under a name of its own, then renamed into its place.
    const QString building =
        QFileInfo(destination)
            .absoluteDir()
            .filePath(QStringLiteral(".%1.%2.building")
                          .arg(QFileInfo(destination).fileName(),
                               QUuid::createUuid().toString(QUuid::WithoutBraces).left(8)));
    removeWithJournal(building);
    QString fileFailure;
    qint64 copied = 0;
    {
        Connection file(QStringLiteral("backup-file-"));
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), file.name());
        db.setDatabaseName(building);
        QSqlQuery write(db);
        const auto failed = [&](const QSqlError &error) {
            fileFailure = text(ServerCopyText::FileUnwritable)
                              .arg(shown(destination), error.text().simplified());
        };
        bool ok = db.open();
        if (!ok)
            failed(db.lastError());
        ok = ok && write.exec(QStringLiteral("PRAGMA journal_mode = DELETE")) &&
             write.exec(QStringLiteral("BEGIN"));
        for (const QString &statement : SchemaStatements())
            ok = ok && write.exec(statement);
        if (!ok && fileFailure.isEmpty())
            failed(write.lastError());
        for (const QString &table : Schema::Tables()) {
            if (!ok)
                break;
            const QStringList fields = Schema::Fields(table);
            if (!read.exec(
                    QStringLiteral("SELECT %1 FROM %2 ORDER BY %3")
                        .arg(fieldList(table), QuotedName(table), ServerBackend().rowKey()))) {
                write.exec(QStringLiteral("ROLLBACK"));
                return serverFailed();
            }
            ok =
                write.prepare(QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                                  .arg(QuotedName(table), fieldList(table),
                                       QStringList(fields.size(), QStringLiteral("?")).join(u',')));
            while (ok && read.next()) {
                for (int i = 0; i < fields.size(); ++i)
                    write.addBindValue(read.value(i));
                ok = write.exec();
                if (++copied % 256 == 0) {
                    if (progress)
                        progress(copied, total);
                    serveEvents();
                }
            }
            if (read.lastError().isValid()) {
                write.exec(QStringLiteral("ROLLBACK"));
                return serverFailed();
            }
            read.finish();
            if (!ok)
                failed(write.lastError());
        }
        ok = ok && write.exec(QStringLiteral("COMMIT"));
        if (!ok && fileFailure.isEmpty())
            failed(write.lastError());
        write.finish();
        db.close();
    }
    read.exec(QStringLiteral("ROLLBACK"));
    if (fileFailure.isEmpty() && !syncFile(building))
        fileFailure =
            text(ServerCopyText::FileUnwritable).arg(shown(destination), QStringLiteral("fsync"));
    if (!fileFailure.isEmpty()) {
        removeWithJournal(building);
        return Result::Failed(Failure::NotCopied, fileFailure);
    }
    std::error_code error;
    std::filesystem::rename(NativePath(building), NativePath(destination), error);
    if (error) {
        removeWithJournal(building);
        return Result::Failed(
            Failure::NotCopied,
            text(ServerCopyText::FileUnwritable)
                .arg(shown(destination), QString::fromStdString(error.message())));
    }
    if (progress)
        progress(total, total);
    return {};
}

Result Backup::RestoreServer(const QString &settingsPath, const QString &checkedFile,
                             const Progress &progress)
{
    Connection file(QStringLiteral("restore-file-"));
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), file.name());
        db.setDatabaseName(checkedFile);
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
        if (!db.open())
            return Result::Failed(Failure::NotCopied,
                                  text(ServerCopyText::FileUnreadable)
                                      .arg(shown(checkedFile), db.lastError().text()));
    }
    QSqlQuery read(file.db());
    read.setForwardOnly(true);
    qint64 total = 0;
    for (const QString &table : Schema::Tables()) {
        if (!read.exec(QStringLiteral("SELECT COUNT(*) FROM %1").arg(QuotedName(table))) ||
            !read.next())
            return Result::Failed(Failure::NotCopied,
                                  text(ServerCopyText::FileUnreadable)
                                      .arg(shown(checkedFile), read.lastError().text()));
        total += read.value(0).toLongLong();
        read.finish();
    }

    Connection server(QStringLiteral("restore-server-"));
    if (const Result opened = OpenSecondServerConnection(settingsPath, server.name()); !opened)
        return Result::Failed(Failure::Refused, opened.description());
    QSqlQuery write(server.db());
    const auto serverFailed = [&](const QSqlError &error) {
        const Result failure = ServerBackend().writeFailure(error);
        write.exec(QStringLiteral("ROLLBACK"));
        return Result::Failed(Failure::Refused,
                              failure.description() + u'\n' + text(ServerCopyText::Untouched));
    };
    // Every other PC's write waits (a bounded while) until the restore is done; reads go on.
    if (!write.exec(QStringLiteral("BEGIN")) ||
        !write.exec(QStringLiteral("LOCK TABLE \"IDE\", \"Answer\", \"Theme\", \"QU\" IN "
                                   "EXCLUSIVE MODE")))
        return serverFailed(write.lastError());
    for (const QString &table : Schema::Tables())
        if (!write.exec(QStringLiteral("DELETE FROM %1").arg(QuotedName(table))))
            return serverFailed(write.lastError());

    qint64 copied = 0;
    for (const QString &table : Schema::Tables()) {
        const int fields = int(Schema::Fields(table).size());
        if (!read.exec(QStringLiteral("SELECT %1 FROM %2 ORDER BY rowid")
                           .arg(fieldList(table), QuotedName(table))))
            return Result::Failed(Failure::NotCopied,
                                  text(ServerCopyText::FileUnreadable)
                                          .arg(shown(checkedFile), read.lastError().text()) +
                                      u'\n' + text(ServerCopyText::Untouched));
        const QString one = u'(' + QStringList(fields, QStringLiteral("?")).join(u',') + u')';
        QVariantList batch;
        int rows = 0;
        bool more = true;
        while (more) {
            more = read.next();
            if (more) {
                for (int i = 0; i < fields; ++i)
                    batch << read.value(i);
                ++rows;
            }
            if (rows == RowsPerInsert || (!more && rows > 0)) {
                write.prepare(QStringLiteral("INSERT INTO %1 (%2) VALUES %3")
                                  .arg(QuotedName(table), fieldList(table),
                                       QStringList(rows, one).join(u',')));
                for (const QVariant &value : std::as_const(batch))
                    write.addBindValue(value);
                if (!write.exec())
                    return serverFailed(write.lastError());
                copied += rows;
                batch.clear();
                rows = 0;
                if (progress)
                    progress(copied, total);
                serveEvents();
            }
        }
        if (read.lastError().isValid())
            return Result::Failed(Failure::NotCopied,
                                  text(ServerCopyText::FileUnreadable)
                                          .arg(shown(checkedFile), read.lastError().text()) +
                                      u'\n' + text(ServerCopyText::Untouched));
        read.finish();
    }
    if (!write.exec(QStringLiteral("COMMIT")))
        return serverFailed(write.lastError());
    return {};
}
