#include "OtherProgram.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QUuid>

OtherProgram::OtherProgram(const QString &path, int busyTimeoutMs)
    : m_name(QStringLiteral("other-program-") + QUuid::createUuid().toString())
{
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_name);
    db.setDatabaseName(path);
    if (busyTimeoutMs >= 0)
        db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(busyTimeoutMs));
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

bool OtherProgram::refuse(const char *operation, const QString &table)
{
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
    m_refusing = !exec(QStringLiteral("DROP TRIGGER refuse"));
    return !m_refusing;
}

bool SetBusyTimeout(int ms)
{
    return QSqlQuery(QSqlDatabase::database())
        .exec(QStringLiteral("PRAGMA busy_timeout = %1").arg(ms));
}
