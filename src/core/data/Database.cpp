#include "data/Database.h"

#include "common/Text.h"
#include "data/Backend.h"
#include "data/DatabaseText.h"
#include "data/ServerBackend.h"
#include "data/ServerSettings.h"
#include "data/Transaction.h"

#include <QDir>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlDriver>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QUrl>

namespace {
Result refused(Failure failure, const QString &description)
{
    return Result::Failed(failure, description);
}

void closeConnection(bool optimize);

// SQLite's primary result code, without the extended part.
int primaryCode(const QSqlError &error)
{
    bool ok = false;
    const int code = error.nativeErrorCode().toInt(&ok);
    return ok ? (code & 0xff) : -1;
}

const int SqliteBusy = 5;
const int SqliteLocked = 6;
const int SqliteReadOnly = 8;
const int SqliteIoError = 10;
const int SqliteFull = 13;
const int SqliteCantOpen = 14;
// SQLITE_READONLY_DBMOVED: the file this connection has open was renamed or removed.
const char *const SqliteReadOnlyDbMoved = "1032";

// The lookups the windows make, each with an index of its own. A file without them works, only
// more slowly; they are added when the program finds them missing.
struct WantedIndex
{
    const char *name;
    const char *table;
    const char *field;
};
const WantedIndex WantedIndexes[] = {
    {"IDE_LName", "IDE", "LName"},
    {"IDE_FName", "IDE", "FName"},
    {"IDE_Date", "IDE", "Date"},
    {"IDE_Group", "IDE", "Group"},
};

// The database refuses a second row with the same code only where Code has a unique index of
// its own (whole, and comparing text exactly).
bool hasUniqueCode(QSqlDatabase &db, const QString &table)
{
    QSqlQuery query(db);
    query.setForwardOnly(true);
    query.prepare(QStringLiteral(
        "SELECT 1 FROM pragma_index_list(?1) il WHERE il.\"unique\" = 1 AND il.partial = 0 "
        "AND (SELECT COUNT(*) FROM pragma_index_info(il.name)) = 1 "
        "AND (SELECT name FROM pragma_index_info(il.name)) = 'Code' "
        "AND (SELECT coll FROM pragma_index_xinfo(il.name) WHERE key = 1) = 'BINARY'"));
    query.addBindValue(table);
    const bool found = query.exec() && query.next();
    query.finish();
    return found;
}

bool hasIndexOn(QSqlDatabase &db, const QString &table, const QString &field)
{
    QSqlQuery query(db);
    query.setForwardOnly(true);
    query.prepare(QStringLiteral("SELECT 1 FROM pragma_index_list(?1) il WHERE "
                                 "(SELECT name FROM pragma_index_info(il.name) WHERE seqno = 0) "
                                 "= ?2 AND il.partial = 0"));
    query.addBindValue(table);
    query.addBindValue(field);
    const bool found = query.exec() && query.next();
    query.finish();
    return found;
}

// The tables, fields and unique codes the program needs that the database lacks; present holds
// the names of its tables.
QStringList missingParts(QSqlDatabase &db, const QStringList &present)
{
    QStringList missing;
    for (const QString &table : Schema::Tables()) {
        if (!present.contains(table)) {
            missing << table;
            continue;
        }
        const QSqlRecord record = db.record(table);
        for (const QString &field : Schema::Fields(table))
            if (record.indexOf(field) < 0)
                missing << table + u'.' + field;
        if (record.indexOf(QStringLiteral("Code")) >= 0 && !hasUniqueCode(db, table))
            missing << table + QStringLiteral(".Code UNIQUE");
    }
    return missing;
}

// The program makes no trigger, and one would run with every save it makes (a crafted one can
// delete other rows or write false scores): a file holding any is refused. Views are let be: they
// change nothing, and nothing in the program reads one. Both are read with the tables, in one
// read of the catalogue.
const char *const CatalogueQuery =
    "SELECT name, type FROM sqlite_master WHERE type IN ('table', 'trigger')";

void readCatalogue(QSqlQuery &query, QStringList *tables, QStringList *triggers)
{
    while (query.next())
        (query.value(1).toString() == QStringLiteral("trigger") ? triggers : tables)
            ->append(query.value(0).toString());
}

// Adds the missing indexes and the planner's statistics for them, in one transaction that
// changes no row. Anything in the way (another program writing, a full disk) leaves the file as
// it was, and the program goes on without them.
void addMissingIndexes(QSqlDatabase &db)
{
    QStringList statements;
    for (const WantedIndex &wanted : WantedIndexes) {
        const QString table = QString::fromLatin1(wanted.table);
        const QString field = QString::fromLatin1(wanted.field);
        if (!hasIndexOn(db, table, field))
            statements << QStringLiteral("CREATE INDEX IF NOT EXISTS %1 ON %2 (%3)")
                              .arg(QuotedName(QString::fromLatin1(wanted.name)), QuotedName(table),
                                   QuotedName(field));
    }
    if (statements.isEmpty())
        return;
    statements << QStringLiteral("ANALYZE \"IDE\"");
    QSqlQuery query(db);
    query.exec(QStringLiteral("PRAGMA busy_timeout = 200"));
    bool ok = db.transaction();
    for (const QString &statement : statements)
        ok = ok && query.exec(statement);
    if (!(ok && db.commit()))
        db.rollback();
}
} // namespace

QStringList Schema::Tables()
{
    return {QStringLiteral("IDE"), QStringLiteral("Answer"), QStringLiteral("Theme"),
            QStringLiteral("QU")};
}

QStringList Schema::Fields(const QString &table)
{
    if (table == QStringLiteral("IDE"))
        return {QStringLiteral("Code"),    QStringLiteral("FName"),     QStringLiteral("LName"),
                QStringLiteral("Sen"),     QStringLiteral("Jens"),      QStringLiteral("Taahol"),
                QStringLiteral("Tahsil"),  QStringLiteral("Group"),     QStringLiteral("Date"),
                QStringLiteral("Time"),    QStringLiteral("BPosetive"), QStringLiteral("Conterlo"),
                QStringLiteral("Etminan"), QStringLiteral("neyaz"),     QStringLiteral("self"),
                QStringLiteral("Kol")};
    if (table == QStringLiteral("Answer")) {
        QStringList fields{QStringLiteral("Code")};
        for (int i = 1; i <= 56; ++i)
            fields << QString::number(i);
        return fields;
    }
    if (table == QStringLiteral("Theme"))
        return {QStringLiteral("TH"), QStringLiteral("Name"), QStringLiteral("Adress")};
    if (table == QStringLiteral("QU"))
        return {QStringLiteral("ID"), QStringLiteral("QUs")};
    return {};
}

namespace {
Result openFile(const QString &path, int busyTimeoutMs)
{
    const QFileInfo info(path);
    const QString shownPath = QDir::toNativeSeparators(info.absoluteFilePath());
    if (!info.exists() || !info.isFile())
        return refused(Failure::ReadFailed, text(DatabaseText::Missing).arg(shownPath));
    if (!info.isWritable())
        return refused(Failure::ReadOnly, text(DatabaseText::ReadOnly).arg(shownPath));
    // Every save makes its journal beside the file: a folder that cannot take one fails them all.
    if (!QFileInfo(info.absolutePath()).isWritable())
        return refused(
            Failure::ReadOnly,
            text(DatabaseText::ReadOnlyFolder).arg(QDir::toNativeSeparators(info.absolutePath())));

    CloseDatabase();
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"));
    // mode=rw: SQLite opens the file or fails; it never creates an empty database in its place.
    db.setDatabaseName(QUrl::fromLocalFile(info.absoluteFilePath()).toString(QUrl::FullyEncoded) +
                       QStringLiteral("?mode=rw"));
    db.setConnectOptions(
        QStringLiteral("QSQLITE_OPEN_URI;QSQLITE_BUSY_TIMEOUT=%1").arg(busyTimeoutMs));
    if (!db.open()) {
        const QString reason = db.lastError().text();
        closeConnection(false);
        return refused(Failure::ReadFailed, text(DatabaseText::Unreadable).arg(shownPath, reason));
    }

    // Reading the catalogue is the first real read: a file that is not a database fails here,
    // before anything is written to it.
    QSqlQuery catalogue(db);
    if (!catalogue.exec(QLatin1String(CatalogueQuery))) {
        // A file another program holds, or one left half-written where we may not finish it, is
        // not a damaged file: the user must not be sent to restore an old backup over it.
        const int code = primaryCode(catalogue.lastError());
        catalogue = QSqlQuery();
        closeConnection(false);
        if (code == SqliteBusy || code == SqliteLocked)
            return refused(Failure::FileBusy, text(DatabaseText::InUse).arg(shownPath));
        if (code == SqliteReadOnly || code == SqliteCantOpen)
            return refused(Failure::ReadOnly, text(DatabaseText::CannotWrite).arg(shownPath));
        return refused(Failure::NotOurFile, text(DatabaseText::Foreign).arg(shownPath));
    }
    QStringList present;
    QStringList triggers;
    readCatalogue(catalogue, &present, &triggers);
    catalogue.finish();

    const QStringList missing = missingParts(db, present);
    if (!missing.isEmpty()) {
        closeConnection(false);
        return refused(
            Failure::NotOurFile,
            text(DatabaseText::MissingParts).arg(shownPath, missing.join(QStringLiteral(", "))));
    }
    // Before anything is written: a trigger would run with the first write.
    if (!triggers.isEmpty()) {
        closeConnection(false);
        return refused(Failure::NotOurFile,
                       text(DatabaseText::TriggersAtStart)
                           .arg(shownPath, triggers.join(QStringLiteral(", "))));
    }

    // Rollback journal with full sync: the .mdb file alone is always a complete database, so a
    // byte copy of it is a good backup. A file in WAL mode that another program holds open cannot
    // be switched back, and would keep committed data beside the file where a copy misses it.
    QSqlQuery pragma(db);
    pragma.setForwardOnly(true);
    const bool switched =
        pragma.exec(QStringLiteral("PRAGMA journal_mode = DELETE")) && pragma.next() &&
        pragma.value(0).toString().compare(QStringLiteral("delete"), Qt::CaseInsensitive) == 0;
    const int switchCode = primaryCode(pragma.lastError());
    pragma.finish();
    if (!switched) {
        pragma = QSqlQuery();
        closeConnection(false);
        if (switchCode == SqliteBusy || switchCode == SqliteLocked)
            return refused(Failure::FileBusy, text(DatabaseText::InUse).arg(shownPath));
        return refused(Failure::NotOurFile, text(DatabaseText::WalMode).arg(shownPath));
    }
    // EXTRA: FULL, and the folder synced once the journal is gone. Removing the journal is what
    // commits; until the folder is on the disk, a power cut can bring the journal back and the
    // next start would play it back over a save already reported done.
    pragma.exec(QStringLiteral("PRAGMA synchronous = EXTRA"));
    // 16 MiB of page cache keeps the indexes of a large register in memory.
    pragma.exec(QStringLiteral("PRAGMA cache_size = -16384"));
    addMissingIndexes(db);
    pragma.exec(QStringLiteral("PRAGMA busy_timeout = %1").arg(busyTimeoutMs));
    return {};
}

} // namespace

void SetBusyWaitObserver(BusyWaitObserver observer)
{
    Transaction::SetWaitObserver(observer);
}

void CloseDatabase()
{
    Backend::Current().close();
}

namespace {
void closeConnection(bool optimize)
{
    const QString name = QLatin1String(QSqlDatabase::defaultConnection);
    if (!QSqlDatabase::contains(name))
        return;
    {
        QSqlDatabase db = QSqlDatabase::database(name, false);
        if (optimize && db.isOpen()) {
            // Keeps the planner's statistics in step with a growing register; quick, and skipped
            // when another program holds the file.
            QSqlQuery statistics(db);
            statistics.exec(QStringLiteral("PRAGMA busy_timeout = 100"));
            statistics.exec(QStringLiteral("PRAGMA optimize"));
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
}
} // namespace

namespace {
// One line of what SQLite said, shown left to right inside a Persian sentence.
QString isolated(const QString &reason)
{
    return QStringLiteral("\u2066") + reason.simplified() + QStringLiteral("\u2069");
}

QString checkConnection(QSqlDatabase &db)
{
    if (!db.open())
        return text(DatabaseText::NotDatabase) + u'\n' + isolated(db.lastError().text());
    QSqlQuery query(db);
    query.setForwardOnly(true);
    // Every page read and checked: a file cut short or damaged anywhere fails here.
    if (!query.exec(QStringLiteral("PRAGMA integrity_check")))
        return text(DatabaseText::NotDatabase) + u'\n' + isolated(query.lastError().text());
    QStringList problems;
    while (query.next() && problems.size() < 3)
        problems << query.value(0).toString();
    if (query.lastError().isValid())
        problems << query.lastError().text();
    query.finish();
    if (problems != QStringList{QStringLiteral("ok")})
        return text(DatabaseText::Damaged) + u'\n' + isolated(problems.join(QStringLiteral("; ")));

    QStringList present;
    QStringList triggers;
    if (!query.exec(QLatin1String(CatalogueQuery)))
        return text(DatabaseText::NotDatabase) + u'\n' + isolated(query.lastError().text());
    readCatalogue(query, &present, &triggers);
    query.finish();
    const QStringList missing = missingParts(db, present);
    if (!missing.isEmpty())
        return text(DatabaseText::Lacks).arg(missing.join(QStringLiteral(", ")));
    if (!triggers.isEmpty())
        return text(DatabaseText::HasTriggers).arg(triggers.join(QStringLiteral(", ")));

    // The mode start-up would put it in; a file that cannot take it would be refused there.
    const bool switched =
        query.exec(QStringLiteral("PRAGMA journal_mode = DELETE")) && query.next() &&
        query.value(0).toString().compare(QStringLiteral("delete"), Qt::CaseInsensitive) == 0;
    query.finish();
    if (!switched)
        return text(DatabaseText::OtherJournal);
    return {};
}
} // namespace

Result CheckDatabaseFile(const QString &path)
{
    static int serial = 0;
    const QString name = QStringLiteral("korvat-check-%1").arg(++serial);
    QString reason;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(
            QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath()).toString(QUrl::FullyEncoded) +
            QStringLiteral("?mode=rw"));
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_URI"));
        reason = checkConnection(db);
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
    return reason.isEmpty() ? Result() : refused(Failure::NotOurFile, reason);
}

bool IsDatabaseOpen()
{
    return QSqlDatabase::database(QLatin1String(QSqlDatabase::defaultConnection), false).isOpen();
}

namespace {
Result sqliteReadFailure(const QSqlError &error)
{
    if (primaryCode(error) == SqliteBusy || primaryCode(error) == SqliteLocked)
        return refused(Failure::FileBusy, text(DatabaseText::ReadBusy));
    const QString reason = error.text().trimmed();
    // The engine's words are English: kept apart so that they read left to right.
    return refused(Failure::ReadFailed,
                   reason.isEmpty() ? QString()
                                    : QStringLiteral("\u2066") + reason + QStringLiteral("\u2069"));
}

Result sqliteWriteFailure(const QSqlError &error)
{
    if (error.nativeErrorCode() == QLatin1String(SqliteReadOnlyDbMoved))
        return refused(Failure::FileReplaced, text(DatabaseText::Replaced));
    switch (primaryCode(error)) {
    case SqliteBusy:
    case SqliteLocked:
        return refused(Failure::FileBusy, text(DatabaseText::WriteBusy));
    case SqliteFull:
        return refused(Failure::DiskFull, text(DatabaseText::WriteFull));
    case SqliteReadOnly:
        return refused(Failure::ReadOnly, text(DatabaseText::WriteReadOnly));
    case SqliteIoError:
        return refused(Failure::DiskError, text(DatabaseText::WriteDiskError));
    default:
        break;
    }
    const QString reason = error.text().trimmed();
    QString description = text(DatabaseText::WriteOther);
    if (!reason.isEmpty())
        description += QStringLiteral("\n\n\u2066") + reason + QStringLiteral("\u2069");
    // 2067 and 1555 are SQLite's extended codes for a UNIQUE and a PRIMARY KEY violation.
    const QString code = error.nativeErrorCode();
    if (code == QStringLiteral("2067") || code == QStringLiteral("1555") ||
        error.databaseText().contains(QStringLiteral("UNIQUE constraint failed")))
        return refused(Failure::DuplicateCode, description);
    return refused(Failure::Other, description);
}

} // namespace

Result NotStored()
{
    return refused(Failure::Other, text(DatabaseText::WriteOther));
}

Result BusyFailure()
{
    return refused(Failure::FileBusy, text(DatabaseText::WriteBusy));
}

Result ReadDistinctValues(const QString &table, const QString &field, QStringList *values)
{
    values->clear();
    QSqlQuery query(RegisterConnection());
    query.setForwardOnly(true);
    bool ok = query.exec(Backend::Current().distinctValuesQuery(table, field));
    while (ok && query.next())
        values->append(query.value(0).toString());
    const QSqlError failure = query.lastError();
    // Finished at once: an open statement would hold a read lock on the file.
    query.finish();
    if (!ok || failure.isValid()) {
        values->clear();
        return ReadFailure(failure);
    }
    return {};
}

QString QuotedName(const QString &name)
{
    QString quoted = name;
    quoted.replace(u'"', QStringLiteral("\"\""));
    return u'"' + quoted + u'"';
}

namespace {
// The database file beside the program, through SQLite.
class SqliteBackend final : public Backend
{
public:
    Result open(const QString &location, int busyTimeoutMs) override
    {
        return openFile(location, busyTimeoutMs);
    }
    void close() override { closeConnection(true); }

    QString rowKey() const override { return QStringLiteral("rowid"); }
    QString codeInLatinDigits(bool trimmed) const override
    {
        // Kept in ASCII through char().
        QString expression =
            trimmed ? QStringLiteral("trim(\"Code\", ' ')") : QStringLiteral("\"Code\"");
        for (int first : {0x06F0, 0x0660})
            for (int d = 0; d < 10; ++d)
                expression = QStringLiteral("replace(%1, char(%2), '%3')")
                                 .arg(expression)
                                 .arg(first + d)
                                 .arg(d);
        return expression;
    }

    Result readFailure(const QSqlError &error) const override { return sqliteReadFailure(error); }
    Result writeFailure(const QSqlError &error) const override { return sqliteWriteFailure(error); }
    bool isBusy(const QSqlError &error) const override
    {
        return primaryCode(error) == SqliteBusy || primaryCode(error) == SqliteLocked;
    }
    bool isMissingTable(const QSqlError &error) const override
    {
        // SQLITE_ERROR is what "no such table" comes with.
        return error.nativeErrorCode() == QStringLiteral("1");
    }

    QString beginWrite() const override { return QStringLiteral("BEGIN IMMEDIATE"); }
    int busyLimitMs() const override
    {
        QSqlQuery query(QSqlDatabase::database());
        const int limit = query.exec(QStringLiteral("PRAGMA busy_timeout")) && query.next()
                              ? query.value(0).toInt()
                              : -1;
        query.finish();
        return limit;
    }
    void setBusyLimitMs(int ms) override
    {
        QSqlQuery(QSqlDatabase::database())
            .exec(QStringLiteral("PRAGMA busy_timeout = %1").arg(ms));
    }
};
} // namespace

QString Backend::distinctValuesQuery(const QString &table, const QString &field) const
{
    // SQLite reads each value once from the field's index.
    return QStringLiteral("SELECT DISTINCT %1 FROM %2 WHERE %1 <> ''")
        .arg(QuotedName(field), QuotedName(table));
}

namespace {
Backend &fileBackend()
{
    static SqliteBackend file;
    return file;
}

Backend *current = nullptr;
} // namespace

Backend &Backend::Current()
{
    return current ? *current : fileBackend();
}

Result OpenDatabase(const QString &path, int busyTimeoutMs)
{
    CloseDatabase();
    const QString settings = ServerSettingsPath(path);
    if (QFileInfo::exists(settings)) {
        current = &ServerBackend();
        return current->open(settings, busyTimeoutMs);
    }
    current = &fileBackend();
    return current->open(path, busyTimeoutMs);
}

bool IsServerRegister()
{
    return Backend::Current().isServer();
}

QSqlDatabase RegisterConnection()
{
    if (!Transaction::IsRunning())
        Backend::Current().reconnectIfLost();
    return QSqlDatabase::database(QLatin1String(QSqlDatabase::defaultConnection), false);
}

Result ReadFailure(const QSqlError &error)
{
    return Backend::Current().readFailure(error);
}

Result WriteFailure(const QSqlError &error)
{
    return Backend::Current().writeFailure(error);
}
