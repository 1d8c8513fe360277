#include "data/ServerBackend.h"

#include "common/Text.h"
#include "data/Backend.h"
#include "data/Database.h"
#include "data/DatabaseText.h"

#include <QFile>
#include <QHash>
#include <QSet>
#include <QSqlDriver>
#include <QSqlQuery>
#include <QSqlRecord>
#include <functional>

#include <libpq-fe.h>

namespace ServerText {
const char *const NoDriver =
    "برنامه‌ی رابط سرور پایگاه داده (\u2066QPSQL\u2069) روی این رایانه نصب نیست و به سرور "
    "\u2066%1\u2069 وصل نمی‌شود.\n\nبرنامه بسته می‌شود.";
const char *const Unreachable =
    "به سرور پایگاه داده وصل نشد:\n\u2066%1\u2069\n\n%2\n\nبرنامه بسته می‌شود.";
const char *const NoPassword =
    "بی‌گذرواژه به سرور پایگاه داده وصل نمی‌شود:\n\u2066%1\u2069\n\nبرنامه بسته می‌شود.";
const char *const Encoding =
    "پایگاه داده‌ی سرور نویسه‌های فارسی را نگه نمی‌دارد (رمزگذاری آن \u2066%2\u2069 است، نه "
    "\u2066UTF8\u2069):\n\u2066%1\u2069\n\nبرنامه بسته می‌شود.";
const char *const NoRights =
    "این کاربر اجازه‌ی خواندن و نوشتن همه‌ی جدول‌های پایگاه داده‌ی سرور را ندارد و اطلاعات "
    "ذخیره نمی‌شود:\n\u2066%1\u2069\n\nکم دارد: \u2066%2\u2069\n\nبرنامه بسته می‌شود.";
// What went wrong with a save or a read, on the server.
const char *const WriteLost =
    "ارتباط با سرور پایگاه داده برقرار نیست و اطلاعات ذخیره نشد. آنچه وارد کرده‌اید در پنجره "
    "مانده است: وقتی سرور در دسترس بود دوباره ذخیره کنید.";
const char *const ReadLost = "ارتباط با سرور پایگاه داده برقرار نیست. کمی بعد دوباره امتحان کنید.";
const char *const WriteDenied =
    "سرور پایگاه داده اجازه‌ی این نوشتن را به این کاربر نمی‌دهد و اطلاعات ذخیره نشد.";
const char *const BadText =
    "این متن نویسه‌ای نادرست دارد و در پایگاه داده ذخیره نمی‌شود.";
const char *const Exists =
    "پایگاه داده‌ی سرور از پیش جدول‌هایی از این برنامه دارد و به آن دست زده نشد: %1";
} // namespace ServerText

namespace {
const char *const Tables[] = {"IDE", "Answer", "Theme", "QU"};

QString isolated(const QString &reason)
{
    return QStringLiteral("\u2066") + reason.simplified() + QStringLiteral("\u2069");
}

QString tableList()
{
    QStringList names;
    for (const char *table : Tables)
        names << u'\'' + QString::fromLatin1(table) + u'\'';
    return names.join(u',');
}

// The connection's parameters from the settings; the password only when one is given.
void configure(QSqlDatabase &db, const ServerSettings &settings, const QString &password)
{
    if (!settings.host.isEmpty())
        db.setHostName(settings.host);
    if (settings.port || settings.service.isEmpty())
        db.setPort(settings.port ? settings.port : 5432);
    if (!settings.database.isEmpty())
        db.setDatabaseName(settings.database);
    if (!settings.user.isEmpty())
        db.setUserName(settings.user);
    if (!password.isEmpty())
        db.setPassword(password);
    // A server on the network that does not answer holds no window for long.
    QStringList options{
        QStringLiteral("sslmode=") + settings.sslmode, QStringLiteral("connect_timeout=10"),
        QStringLiteral("tcp_user_timeout=15000"), QStringLiteral("application_name=korvat")};
    if (!settings.service.isEmpty())
        options << QStringLiteral("service=") + settings.service;
    db.setConnectOptions(options.join(u';'));
}

// What the server library said, without the driver's own (translated) heading around it.
QString serverReason(const QSqlError &error)
{
    return error.databaseText().trimmed().isEmpty() ? error.text() : error.databaseText();
}

bool needsPassword(const QSqlError &error)
{
    return error.text().contains(QStringLiteral("no password supplied"));
}

PGconn *handleOf(const QSqlDatabase &db)
{
    const QVariant handle = db.driver() ? db.driver()->handle() : QVariant();
    // The driver names the library's type by its struct: pg_conn*.
    if (!handle.isValid() ||
        (qstrcmp(handle.typeName(), "PGconn*") != 0 && qstrcmp(handle.typeName(), "pg_conn*") != 0))
        return nullptr;
    return *static_cast<PGconn *const *>(handle.constData());
}

// The server's condition codes (SQLSTATE) the program tells apart.
bool lostConnection(const QSqlError &error)
{
    const QString code = error.nativeErrorCode();
    return code.startsWith(QStringLiteral("08")) || code == QStringLiteral("57P01") ||
           code == QStringLiteral("57P02") || code == QStringLiteral("57P03") ||
           (code.isEmpty() && error.isValid());
}

bool busy(const QSqlError &error)
{
    const QString code = error.nativeErrorCode();
    // A lock not given within the busy limit, a deadlock, a serialization failure, a statement
    // cancelled at its time limit.
    return code == QStringLiteral("55P03") || code == QStringLiteral("40P01") ||
           code == QStringLiteral("40001") || code == QStringLiteral("57014");
}

// The fields of the program's tables as the server holds them (table to fields), the tables whose
// Code has a unique index of its own, and the triggers and rules that would run with a save.
struct Catalogue
{
    QHash<QString, QStringList> fields;
    QSet<QString> uniqueCode;
    QSet<QString> indexedFirst; // "table.field" that leads an index
    QStringList runsWithSaves;
    QStringList lacksRights;
    bool ok = false;
    QSqlError error;
};

bool readInto(QSqlQuery &query, const QString &sql, const std::function<void()> &row)
{
    if (!query.exec(sql))
        return false;
    while (query.next())
        row();
    query.finish();
    return true;
}

Catalogue readCatalogue(QSqlDatabase &db)
{
    Catalogue c;
    QSqlQuery q(db);
    q.setForwardOnly(true);
    const QString ours =
        QStringLiteral("c.relnamespace = current_schema()::regnamespace AND c.relname IN (%1)")
            .arg(tableList());
    c.ok =
        readInto(q,
                 QStringLiteral("SELECT c.relname, a.attname FROM pg_class c JOIN pg_attribute a "
                                "ON a.attrelid = c.oid WHERE %1 AND c.relkind IN ('r', 'p') AND "
                                "a.attnum > 0 AND NOT a.attisdropped ORDER BY a.attnum")
                     .arg(ours),
                 [&] { c.fields[q.value(0).toString()] << q.value(1).toString(); }) &&
        readInto(q,
                 QStringLiteral("SELECT c.relname, a.attname, i.indisunique AND i.indnatts = 1 AND "
                                "i.indpred IS NULL AND i.indexprs IS NULL FROM pg_index i "
                                "JOIN pg_class c ON c.oid = i.indrelid JOIN pg_attribute a ON "
                                "a.attrelid = c.oid AND a.attnum = i.indkey[0] WHERE %1")
                     .arg(ours),
                 [&] {
                     const QString table = q.value(0).toString();
                     const QString field = q.value(1).toString();
                     c.indexedFirst << table + u'.' + field;
                     if (field == QStringLiteral("Code") && q.value(2).toBool())
                         c.uniqueCode << table;
                 }) &&
        readInto(q,
                 QStringLiteral("SELECT t.tgname FROM pg_trigger t JOIN pg_class c ON c.oid = "
                                "t.tgrelid WHERE %1 AND NOT t.tgisinternal UNION ALL "
                                "SELECT r.rulename FROM pg_rewrite r JOIN pg_class c ON c.oid = "
                                "r.ev_class WHERE %1 AND r.rulename <> '_RETURN'")
                     .arg(ours),
                 [&] { c.runsWithSaves << q.value(0).toString(); });
    if (!c.ok) {
        c.error = q.lastError();
        return c;
    }
    for (const char *table : Tables) {
        const QString name = QString::fromLatin1(table);
        if (!c.fields.contains(name))
            continue;
        for (const char *right : {"SELECT", "INSERT", "UPDATE", "DELETE"}) {
            q.prepare(QStringLiteral("SELECT has_table_privilege(?, ?)"));
            q.addBindValue(QuotedName(name));
            q.addBindValue(QString::fromLatin1(right));
            if (!q.exec() || !q.next()) {
                c.ok = false;
                c.error = q.lastError();
                return c;
            }
            if (!q.value(0).toBool())
                c.lacksRights << QString::fromLatin1(right) + u' ' + name;
            q.finish();
        }
    }
    return c;
}

QStringList missingParts(const Catalogue &c)
{
    QStringList missing;
    const QString rowKey = QString::fromLatin1(ServerRowKey);
    for (const QString &table : Schema::Tables()) {
        if (!c.fields.contains(table)) {
            missing << table;
            continue;
        }
        const QStringList have = c.fields.value(table);
        const QStringList wanted = Schema::Fields(table) << rowKey;
        for (const QString &field : wanted)
            if (!have.contains(field))
                missing << table + u'.' + field;
        if (have.contains(QStringLiteral("Code")) && !c.uniqueCode.contains(table))
            missing << table + QStringLiteral(".Code UNIQUE");
    }
    return missing;
}

// The indexes of the windows' lookups, added where missing by a role that may; otherwise the
// program goes on without them.
void addMissingIndexes(QSqlDatabase &db, const Catalogue &c)
{
    QStringList statements;
    for (const char *field : {"LName", "FName", "Date", "Group"}) {
        const QString name = QString::fromLatin1(field);
        if (!c.indexedFirst.contains(QStringLiteral("IDE.") + name))
            statements << QStringLiteral("CREATE INDEX IF NOT EXISTS %1 ON \"IDE\" (%2, %3)")
                              .arg(QuotedName(QStringLiteral("IDE_") + name), QuotedName(name),
                                   QuotedName(QString::fromLatin1(ServerRowKey)));
    }
    if (statements.isEmpty())
        return;
    QSqlQuery query(db);
    bool ok = query.exec(QStringLiteral("BEGIN")) &&
              query.exec(QStringLiteral("SET LOCAL lock_timeout = 200"));
    for (const QString &statement : statements)
        ok = ok && query.exec(statement);
    query.exec(ok ? QStringLiteral("COMMIT") : QStringLiteral("ROLLBACK"));
}

class PostgresBackend final : public Backend
{
public:
    Result open(const QString &location, int busyTimeoutMs) override
    {
        close();
        const QString before = m_settings.shownPlace() + u'|' + m_settings.user;
        if (const Result read = ReadServerSettings(location, &m_settings); !read)
            return read;
        // The password typed is for the server it was asked for, and no other.
        if (m_settings.shownPlace() + u'|' + m_settings.user != before)
            m_password.clear();
        m_busyLimitMs = busyTimeoutMs;
        const Result opened = connect();
        if (!opened)
            close();
        m_lost = false;
        return opened;
    }

    void close() override
    {
        const QString name = QLatin1String(QSqlDatabase::defaultConnection);
        if (!QSqlDatabase::contains(name))
            return;
        QSqlDatabase::database(name, false).close();
        QSqlDatabase::removeDatabase(name);
    }

    bool isServer() const override { return true; }
    QString rowKey() const override { return QuotedName(QString::fromLatin1(ServerRowKey)); }
    bool insertReturnsKey() const override { return true; }
    bool storesNul() const override { return false; }
    QString distinctValuesQuery(const QString &table, const QString &field) const override
    {
        // The server's DISTINCT reads every entry of the index (a whole register for 250 last
        // names); this steps from each value to the next through the index instead. Text is
        // compared by code point (COLLATE "C"), so every non-empty text is greater than ''.
        return QStringLiteral("WITH RECURSIVE found(v) AS ("
                              "(SELECT %1 FROM %2 WHERE %1 > '' ORDER BY %1 LIMIT 1) UNION ALL "
                              "SELECT (SELECT %1 FROM %2 WHERE %1 > found.v ORDER BY %1 LIMIT 1) "
                              "FROM found WHERE found.v IS NOT NULL) "
                              "SELECT v FROM found WHERE v IS NOT NULL")
            .arg(QuotedName(field), QuotedName(table));
    }
    QString codeInLatinDigits(bool trimmed) const override
    {
        QString persian;
        QString latin;
        for (int first : {0x06F0, 0x0660})
            for (int d = 0; d < 10; ++d) {
                persian += QString(QChar(first + d));
                latin += QString::number(d);
            }
        const QString code =
            trimmed ? QStringLiteral("btrim(\"Code\", ' ')") : QStringLiteral("\"Code\"");
        return QStringLiteral("translate(%1, '%2', '%3')").arg(code, persian, latin);
    }

    Result readFailure(const QSqlError &error) const override
    {
        if (m_lost || lostConnection(error)) {
            m_lost = true;
            return Result::Failed(Failure::Unreachable, text(ServerText::ReadLost));
        }
        if (busy(error))
            return Result::Failed(Failure::FileBusy, text(DatabaseText::ReadBusy));
        const QString reason = error.text().trimmed();
        return Result::Failed(Failure::ReadFailed, reason.isEmpty() ? QString() : isolated(reason));
    }

    Result writeFailure(const QSqlError &error) const override
    {
        if (m_lost || lostConnection(error)) {
            m_lost = true;
            return Result::Failed(Failure::Unreachable, text(ServerText::WriteLost));
        }
        const QString code = error.nativeErrorCode();
        if (busy(error))
            return Result::Failed(Failure::FileBusy, text(DatabaseText::WriteBusy));
        if (code == QStringLiteral("53100"))
            return Result::Failed(Failure::DiskFull, text(DatabaseText::WriteFull));
        if (code == QStringLiteral("42501") || code == QStringLiteral("25006"))
            return Result::Failed(Failure::ReadOnly, text(ServerText::WriteDenied));
        if (code == QStringLiteral("58030") || code.startsWith(QStringLiteral("XX")))
            return Result::Failed(Failure::DiskError, text(DatabaseText::WriteDiskError));
        if (code == QStringLiteral("22021") || code == QStringLiteral("22P05"))
            return Result::Failed(Failure::InvalidText, text(ServerText::BadText));
        QString description = text(DatabaseText::WriteOther);
        const QString reason = error.text().trimmed();
        if (!reason.isEmpty())
            description += QStringLiteral("\n\n") + isolated(reason);
        if (code == QStringLiteral("23505"))
            return Result::Failed(Failure::DuplicateCode, description);
        return Result::Failed(Failure::Other, description);
    }

    bool isBusy(const QSqlError &error) const override { return busy(error); }
    bool isMissingTable(const QSqlError &error) const override
    {
        return error.nativeErrorCode() == QStringLiteral("42P01");
    }

    void reconnectIfLost() override
    {
        QSqlDatabase db =
            QSqlDatabase::database(QLatin1String(QSqlDatabase::defaultConnection), false);
        if (!db.isValid())
            return;
        // What the server said while the program idled (that it stops) is read without a round
        // trip: a connection it closed is made again before the statement that would fail on it.
        if (PGconn *connection = handleOf(db); !m_lost && connection) {
            // The server's farewell first, then the end of the connection behind it.
            for (int read = 0; read < 2 && PQstatus(connection) != CONNECTION_BAD; ++read) {
                PQconsumeInput(connection);
                PQisBusy(connection);
            }
            if (PQstatus(connection) == CONNECTION_BAD)
                m_lost = true;
        }
        if (!m_lost)
            return;
        db.close();
        if (db.open()) {
            applySession(db);
            m_lost = false;
        }
    }

    Result checkBeforeCommit() override
    {
        QSqlDatabase db =
            QSqlDatabase::database(QLatin1String(QSqlDatabase::defaultConnection), false);
        PGconn *connection = handleOf(db);
        if (!connection || PQstatus(connection) == CONNECTION_BAD) {
            m_lost = true;
            return Result::Failed(Failure::Unreachable, text(ServerText::WriteLost));
        }
        // The server ends a transaction at its first failed statement; its COMMIT would then
        // roll back and still report success.
        if (PQtransactionStatus(connection) == PQTRANS_INERROR)
            return NotStored();
        return {};
    }

    QString beginWrite() const override { return QStringLiteral("BEGIN"); }
    bool waitsInSlices() const override { return false; }
    int busyLimitMs() const override { return m_busyLimitMs; }
    void setBusyLimitMs(int ms) override
    {
        m_busyLimitMs = ms;
        QSqlQuery(QSqlDatabase::database(QLatin1String(QSqlDatabase::defaultConnection), false))
            .exec(QStringLiteral("SET lock_timeout = %1").arg(ms));
    }

    void setAsker(PasswordAsker asker) { m_asker = asker; }

    Result openSecond(const QString &settingsPath, const QString &name) const
    {
        ServerSettings settings;
        if (const Result read = ReadServerSettings(settingsPath, &settings); !read)
            return read;
        const bool same =
            settings.shownPlace() == m_settings.shownPlace() && settings.user == m_settings.user;
        Result opened = ConnectToServer(settings, name, same ? m_password : QString());
        if (opened) {
            QSqlDatabase db = QSqlDatabase::database(name, false);
            applySession(db);
        }
        return opened;
    }

private:
    // The program's connection, opened and checked; left to the caller to close on failure.
    Result connect()
    {
        const QString place = m_settings.shownPlace();
        if (!QSqlDatabase::isDriverAvailable(QStringLiteral("QPSQL")))
            return Result::Failed(Failure::Refused, text(ServerText::NoDriver).arg(place));
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"));
        configure(db, m_settings, m_password);
        bool opened = db.open();
        if (!opened && needsPassword(db.lastError()) && m_password.isEmpty()) {
            if (!m_asker || !m_asker(place, &m_password) || m_password.isEmpty())
                return Result::Failed(Failure::Unreachable,
                                      text(ServerText::NoPassword).arg(place));
            db.setPassword(m_password);
            opened = db.open();
        }
        if (!opened) {
            // A password the server did not take is asked again at the next start.
            if (db.lastError().text().contains(QStringLiteral("password authentication failed")))
                m_password.clear();
            return Result::Failed(
                Failure::Unreachable,
                text(ServerText::Unreachable).arg(place, isolated(serverReason(db.lastError()))));
        }
        if (const Result checked = check(db, place); !checked)
            return checked;
        applySession(db);
        return {};
    }

    Result check(QSqlDatabase &db, const QString &place)
    {
        QSqlQuery query(db);
        query.setForwardOnly(true);
        if (!query.exec(QStringLiteral("SHOW server_encoding")) || !query.next())
            return Result::Failed(
                Failure::ReadFailed,
                text(DatabaseText::Unreadable).arg(place, isolated(query.lastError().text())));
        const QString encoding = query.value(0).toString();
        query.finish();
        if (encoding != QStringLiteral("UTF8"))
            return Result::Failed(Failure::NotOurFile,
                                  text(ServerText::Encoding).arg(place, encoding));
        const Catalogue catalogue = readCatalogue(db);
        if (!catalogue.ok)
            return Result::Failed(
                Failure::ReadFailed,
                text(DatabaseText::Unreadable).arg(place, isolated(catalogue.error.text())));
        const QStringList missing = missingParts(catalogue);
        if (!missing.isEmpty())
            return Result::Failed(
                Failure::NotOurFile,
                text(DatabaseText::MissingParts).arg(place, missing.join(QStringLiteral(", "))));
        if (!catalogue.runsWithSaves.isEmpty())
            return Result::Failed(Failure::NotOurFile, text(DatabaseText::TriggersAtStart)
                                                           .arg(place, catalogue.runsWithSaves.join(
                                                                           QStringLiteral(", "))));
        if (!catalogue.lacksRights.isEmpty())
            return Result::Failed(Failure::ReadOnly, text(ServerText::NoRights)
                                                         .arg(place, catalogue.lacksRights.join(
                                                                         QStringLiteral(", "))));
        addMissingIndexes(db, catalogue);
        return {};
    }

    // What every connection of the program's runs with: bounded waits for another PC's locks,
    // and a transaction left open by a PC that hangs gives its locks back.
    void applySession(QSqlDatabase &db) const
    {
        QSqlQuery query(db);
        query.exec(QStringLiteral("SET lock_timeout = %1").arg(m_busyLimitMs));
        query.exec(QStringLiteral("SET idle_in_transaction_session_timeout = 60000"));
        query.exec(QStringLiteral("SET client_min_messages = warning"));
    }

    ServerSettings m_settings;
    QString m_password; // in memory only, for the connections of this start
    PasswordAsker m_asker = nullptr;
    int m_busyLimitMs = DefaultBusyTimeoutMs;
    mutable bool m_lost = false;
};

PostgresBackend &server()
{
    static PostgresBackend backend;
    return backend;
}

QStringList readResourceLines(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    return QString::fromUtf8(file.readAll()).split(u'\n');
}
} // namespace

Backend &ServerBackend()
{
    return server();
}

void SetPasswordAsker(PasswordAsker asker)
{
    server().setAsker(asker);
}

Result ConnectToServer(const ServerSettings &settings, const QString &connectionName,
                       const QString &password)
{
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), connectionName);
    configure(db, settings, password);
    if (db.open())
        return {};
    return Result::Failed(Failure::Unreachable,
                          text(ServerText::Unreachable)
                              .arg(settings.shownPlace(), isolated(serverReason(db.lastError()))));
}

Result OpenSecondServerConnection(const QString &settingsPath, const QString &connectionName)
{
    return server().openSecond(settingsPath, connectionName);
}

QStringList SchemaStatements()
{
    // Comment lines go first; the statements end with a semicolon.
    QStringList code;
    for (const QString &line : readResourceLines(QStringLiteral(":/data/schema.sql")))
        if (!line.trimmed().startsWith(QStringLiteral("--")))
            code << line;
    QStringList statements;
    for (const QString &statement : code.join(u'\n').split(u';'))
        if (!statement.trimmed().isEmpty())
            statements << statement.trimmed();
    return statements;
}

Result CreateServerTables(QSqlDatabase &db)
{
    // The file's schema, with the server's row key first in each table and text compared and
    // sorted by its code points, as in the file.
    QString schema = SchemaStatements().join(QStringLiteral(";\n"));
    schema.replace(QStringLiteral(" TEXT"), QStringLiteral(" TEXT COLLATE \"C\""));
    // A filter reads its rows in stored order: with the row key behind the value, the index
    // gives them so, as the file's indexes (which end in the rowid) do. Without it the server
    // walks the whole register for a value whose rows are all recent (today's date, a new group).
    for (const char *field : {"LName", "FName", "Date", "Group"})
        schema.replace(
            QStringLiteral("ON \"IDE\" (\"%1\")").arg(QLatin1String(field)),
            QStringLiteral("ON \"IDE\" (\"%1\", %2)")
                .arg(QLatin1String(field), QuotedName(QString::fromLatin1(ServerRowKey))));
    for (const char *table : Tables)
        schema.replace(
            QStringLiteral("CREATE TABLE %1 (").arg(QuotedName(QString::fromLatin1(table))),
            QStringLiteral("CREATE TABLE %1 (\n    %2 BIGINT GENERATED ALWAYS AS "
                           "IDENTITY PRIMARY KEY,")
                .arg(QuotedName(QString::fromLatin1(table)),
                     QuotedName(QString::fromLatin1(ServerRowKey))));
    QStringList statements = readResourceLines(QStringLiteral(":/data/statements.txt"));
    while (!statements.isEmpty() && statements.constLast().trimmed().isEmpty())
        statements.removeLast();
    if (statements.size() != 56 || !schema.contains(QStringLiteral("CREATE TABLE")))
        return Result::Failed(Failure::Other, QStringLiteral("the built-in schema is incomplete"));

    QSqlQuery query(db);
    auto failed = [&] {
        const Result result = Result::Failed(Failure::Other, query.lastError().text());
        query.exec(QStringLiteral("ROLLBACK"));
        return result;
    };
    if (!query.exec(QStringLiteral("BEGIN")))
        return failed();
    // Read inside the transaction, with its tables locked against a second run of the tool.
    if (!query.exec(QStringLiteral("SELECT c.relname FROM pg_class c WHERE c.relnamespace = "
                                   "current_schema()::regnamespace AND c.relname IN (%1)")
                        .arg(tableList())))
        return failed();
    QStringList present;
    while (query.next())
        present << query.value(0).toString();
    if (!present.isEmpty()) {
        query.exec(QStringLiteral("ROLLBACK"));
        return Result::Failed(Failure::Refused,
                              text(ServerText::Exists).arg(present.join(QStringLiteral(", "))));
    }
    for (const QString &statement : schema.split(u';'))
        if (!statement.trimmed().isEmpty() && !query.exec(statement))
            return failed();
    query.prepare(QStringLiteral(
        "INSERT INTO \"Theme\" (\"TH\", \"Name\", \"Adress\") VALUES ('1', '', '')"));
    if (!query.exec())
        return failed();
    query.prepare(QStringLiteral("INSERT INTO \"QU\" (\"ID\", \"QUs\") VALUES (?, ?)"));
    for (int i = 0; i < statements.size(); ++i) {
        query.addBindValue(QString::number(i + 1));
        query.addBindValue(statements.at(i).trimmed());
        if (!query.exec())
            return failed();
    }
    if (!query.exec(QStringLiteral("COMMIT")))
        return failed();
    query.exec(QStringLiteral("ANALYZE"));
    return {};
}

QStringList ServerGrantLines(const QString &role)
{
    QStringList tables;
    for (const char *table : Tables)
        tables << QuotedName(QString::fromLatin1(table));
    return {QStringLiteral("GRANT SELECT, INSERT, UPDATE, DELETE ON TABLE %1 TO %2;")
                .arg(tables.join(QStringLiteral(", ")), QuotedName(role))};
}
