#include "OtherProgram.h"

#include "TestServer.h"
#include "data/Backend.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QUuid>

OtherProgram::OtherProgram(const QString &path, int busyTimeoutMs)
    : m_name(QStringLiteral("other-program-") + QUuid::createUuid().toString())
{
    const QString database = ServerDatabaseOf(path);
    m_server = !database.isEmpty();
    QSqlDatabase db;
    if (m_server) {
        // Another PC of the clinic, as the cluster's superuser so that it may add a trigger.
        db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), m_name);
        db.setHostName(TestServer::Instance().socketFolder());
        db.setDatabaseName(database);
        db.setUserName(TestServer::AdminUser());
        // Quiet about a ROLLBACK with nothing to roll back, which letGo() and the end may run.
        QString options = QStringLiteral("-c client_min_messages=error");
        if (busyTimeoutMs >= 0)
            options += QStringLiteral(" -c lock_timeout=%1").arg(busyTimeoutMs);
        db.setConnectOptions(QStringLiteral("options='%1'").arg(options));
    } else {
        db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_name);
        db.setDatabaseName(path);
        if (busyTimeoutMs >= 0)
            db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(busyTimeoutMs));
    }
    m_open = db.open();
    if (!m_open)
        m_error = db.lastError().text();
}

OtherProgram::~OtherProgram()
{
    {
        QSqlDatabase db = QSqlDatabase::database(m_name, false);
        if (m_open)
            QSqlQuery(db).exec(QStringLiteral("ROLLBACK"));
        db.close();
    }
    QSqlDatabase::removeDatabase(m_name);
}

bool OtherProgram::exec(const QString &sql)
{
    QSqlQuery query(QSqlDatabase::database(m_name, false));
    if (!query.exec(sql)) {
        m_error = query.lastError().text();
        return false;
    }
    while (query.next()) {
    }
    return true;
}

QVariant OtherProgram::firstValue(const QString &sql)
{
    QSqlQuery query(QSqlDatabase::database(m_name, false));
    if (!query.exec(sql)) {
        m_error = query.lastError().text();
        return QVariant();
    }
    return query.next() ? query.value(0) : QVariant();
}

bool OtherProgram::holdReadLock()
{
    return exec(QStringLiteral("BEGIN")) && exec(QStringLiteral("SELECT COUNT(*) FROM \"QU\""));
}

bool OtherProgram::holdWriteLock()
{
    // On the server: every write to the program's tables waits, reads go on.
    if (m_server)
        return exec(QStringLiteral("BEGIN")) &&
               exec(QStringLiteral("LOCK TABLE \"IDE\", \"Answer\", \"Theme\", \"QU\" IN "
                                   "EXCLUSIVE MODE"));
    return exec(QStringLiteral("BEGIN IMMEDIATE"));
}

bool OtherProgram::holdExclusiveLock()
{
    if (m_server)
        return exec(QStringLiteral("BEGIN")) &&
               exec(QStringLiteral("LOCK TABLE \"IDE\", \"Answer\", \"Theme\", \"QU\" IN "
                                   "ACCESS EXCLUSIVE MODE"));
    return exec(QStringLiteral("BEGIN EXCLUSIVE"));
}

bool OtherProgram::refuse(const char *operation, const QString &table)
{
    if (m_server) {
        m_refusing =
            exec(QStringLiteral("CREATE FUNCTION refuse() RETURNS trigger LANGUAGE plpgsql AS "
                                "$$BEGIN RAISE EXCEPTION 'refused'; END$$")) &&
            exec(QStringLiteral("CREATE TRIGGER refuse BEFORE %1 ON \"%2\" FOR EACH ROW "
                                "EXECUTE FUNCTION refuse()")
                     .arg(QLatin1String(operation), table));
        return m_refusing;
    }
    m_refusing = exec(QStringLiteral("CREATE TRIGGER refuse BEFORE %1 ON \"%2\" "
                                     "BEGIN SELECT RAISE(ABORT, 'refused'); END")
                          .arg(QLatin1String(operation), table));
    return m_refusing;
}

bool OtherProgram::letGo()
{
    exec(QStringLiteral("ROLLBACK")); // fails when nothing is held, which is as good
    if (!m_refusing)
        return true;
    m_refusing = m_server ? !exec(QStringLiteral("DROP FUNCTION refuse() CASCADE"))
                          : !exec(QStringLiteral("DROP TRIGGER refuse"));
    return !m_refusing;
}

bool OtherProgram::letGoAfter(int ms)
{
    if (m_server)
        return exec(QStringLiteral("SET idle_in_transaction_session_timeout = %1").arg(ms));
    m_release = std::make_unique<QTimer>();
    m_release->setSingleShot(true);
    QObject::connect(m_release.get(), &QTimer::timeout, [this] { letGo(); });
    m_release->start(ms);
    return true;
}

bool SetBusyTimeout(int ms)
{
    Backend::Current().setBusyLimitMs(ms);
    return Backend::Current().busyLimitMs() == ms;
}
