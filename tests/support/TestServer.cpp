#include "TestServer.h"

#include "data/ServerBackend.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSettings>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

#include <pwd.h>
#include <unistd.h>

namespace {
const char *const Template = "korvat_template";

// The server refuses to run as root: a root test run starts it as the server's own system user.
QStringList asServerUser(const QStringList &command)
{
    if (geteuid() != 0)
        return command;
    return QStringList{QStringLiteral("runuser"), QStringLiteral("-u"), QStringLiteral("postgres"),
                       QStringLiteral("--")} +
           command;
}

bool giveToServerUser(const QString &path)
{
    if (geteuid() != 0)
        return true;
    const passwd *user = getpwnam("postgres");
    return user && chown(QFile::encodeName(path).constData(), user->pw_uid, user->pw_gid) == 0;
}

QString connectionName(const QString &database)
{
    return QStringLiteral("test-server-") + database;
}
} // namespace

bool TestServer::Wanted()
{
    return !qEnvironmentVariableIsEmpty("KORVAT_TEST_SERVER");
}

TestServer &TestServer::Instance()
{
    static TestServer server;
    return server;
}

QString TestServer::binary(const QString &name) const
{
    return QDir(m_bin).filePath(name);
}

bool TestServer::run(const QStringList &command, QString *output)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    const QStringList full = asServerUser(command);
    process.start(full.first(), full.mid(1));
    const bool finished = process.waitForFinished(120000);
    const QString said = QString::fromLocal8Bit(process.readAll());
    if (output)
        *output = said;
    if (!finished || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
        m_failure = full.join(u' ') + QStringLiteral(": ") + said;
        return false;
    }
    return true;
}

TestServer::TestServer()
{
    const QDir lib(QStringLiteral("/usr/lib/postgresql"));
    QStringList versions = lib.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
    for (auto it = versions.crbegin(); it != versions.crend() && m_bin.isEmpty(); ++it)
        if (QFileInfo::exists(lib.filePath(*it + QStringLiteral("/bin/initdb"))))
            m_bin = lib.filePath(*it + QStringLiteral("/bin"));
    if (m_bin.isEmpty()) {
        m_failure = QStringLiteral("no PostgreSQL server under /usr/lib/postgresql");
        return;
    }
    if (!m_dir.isValid() || !giveToServerUser(m_dir.path())) {
        m_failure = QStringLiteral("cannot make the server's folder");
        return;
    }
    const QString data = QDir(m_dir.path()).filePath(QStringLiteral("data"));
    if (!run({binary(QStringLiteral("initdb")), QStringLiteral("-D"), data, QStringLiteral("-U"),
              AdminUser(), QStringLiteral("-E"), QStringLiteral("UTF8"),
              QStringLiteral("--locale=C.UTF-8"), QStringLiteral("--auth=trust"),
              QStringLiteral("-N")}))
        return;
    // The one role that must give a password, before every other local connection trusted.
    QFile hba(QDir(data).filePath(QStringLiteral("pg_hba.conf")));
    if (!hba.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        hba.write("local all guarded scram-sha-256\nlocal all all trust\n") < 0) {
        m_failure = QStringLiteral("cannot write pg_hba.conf");
        return;
    }
    hba.close();
    if (!start())
        return;
    const QString postgres = QStringLiteral("postgres");
    bool ok =
        exec(postgres, QStringLiteral("CREATE ROLE examiner LOGIN")) &&
        exec(postgres,
             QStringLiteral("CREATE ROLE guarded LOGIN PASSWORD '%1'").arg(GuardedPassword())) &&
        exec(postgres, QStringLiteral("CREATE DATABASE %1").arg(QString::fromLatin1(Template)));
    // The template's connection, made by a first statement in it.
    ok = ok && exec(QString::fromLatin1(Template), QStringLiteral("SELECT 1"));
    if (ok) {
        {
            QSqlDatabase db = QSqlDatabase::database(connectionName(QString::fromLatin1(Template)));
            const Result built = CreateServerTables(db);
            ok = built.ok();
            if (!ok)
                m_failure = built.description();
        }
        for (const QString &role : {QStringLiteral("examiner"), GuardedUser()})
            for (const QString &grant : ServerGrantLines(role))
                ok = ok && exec(QString::fromLatin1(Template), grant);
        // A template may not be in use while a database is made from it.
        const QString name = connectionName(QString::fromLatin1(Template));
        QSqlDatabase::database(name, false).close();
        QSqlDatabase::removeDatabase(name);
    }
    m_running = ok;
    if (!ok && m_failure.isEmpty())
        m_failure = QStringLiteral("cannot set up the server's roles and template");
}

TestServer::~TestServer()
{
    for (const QString &name : QSqlDatabase::connectionNames())
        if (name.startsWith(QStringLiteral("test-server-"))) {
            QSqlDatabase::database(name, false).close();
            QSqlDatabase::removeDatabase(name);
        }
    stop();
}

bool TestServer::start()
{
    const QString data = QDir(m_dir.path()).filePath(QStringLiteral("data"));
    // Durability is the server's own affair and not under test: no waiting for the disk.
    return run({binary(QStringLiteral("pg_ctl")), QStringLiteral("-D"), data, QStringLiteral("-l"),
                QDir(m_dir.path()).filePath(QStringLiteral("log")), QStringLiteral("-w"),
                QStringLiteral("-o"),
                QStringLiteral("-k %1 -c listen_addresses='' -c fsync=off "
                               "-c full_page_writes=off -c max_connections=60")
                    .arg(m_dir.path()),
                QStringLiteral("start")});
}

bool TestServer::stop()
{
    const QString data = QDir(m_dir.path()).filePath(QStringLiteral("data"));
    if (!QFileInfo::exists(QDir(data).filePath(QStringLiteral("postmaster.pid"))))
        return true;
    return run({binary(QStringLiteral("pg_ctl")), QStringLiteral("-D"), data, QStringLiteral("-m"),
                QStringLiteral("fast"), QStringLiteral("-w"), QStringLiteral("stop")});
}

void TestServer::stopAfter(int ms)
{
    const QString data = QDir(m_dir.path()).filePath(QStringLiteral("data"));
    const QStringList stop = asServerUser({binary(QStringLiteral("pg_ctl")), QStringLiteral("-D"),
                                           data, QStringLiteral("-m"), QStringLiteral("fast"),
                                           QStringLiteral("-w"), QStringLiteral("stop")});
    QStringList arguments{QStringLiteral("-c"),
                          QStringLiteral("sleep %1; exec \"$0\" \"$@\"").arg(ms / 1000.0)};
    arguments << stop;
    QProcess::startDetached(QStringLiteral("sh"), arguments);
}

QString TestServer::createDatabase()
{
    if (!m_running)
        return {};
    const QString name =
        QStringLiteral("t%1_%2").arg(QCoreApplication::applicationPid()).arg(++m_serial);
    if (!exec(QStringLiteral("postgres"), QStringLiteral("CREATE DATABASE %1 TEMPLATE %2")
                                              .arg(name, QString::fromLatin1(Template))))
        return {};
    return name;
}

void TestServer::dropDatabase(const QString &name)
{
    const QString connection = connectionName(name);
    if (QSqlDatabase::contains(connection)) {
        QSqlDatabase::database(connection, false).close();
        QSqlDatabase::removeDatabase(connection);
    }
    exec(QStringLiteral("postgres"),
         QStringLiteral("DROP DATABASE IF EXISTS %1 WITH (FORCE)").arg(name));
}

bool TestServer::copyDatabase(const QString &from, const QString &to)
{
    // A template may not be in use while a database is made from it.
    for (const QString &name : {connectionName(from), connectionName(to)})
        if (QSqlDatabase::contains(name)) {
            QSqlDatabase::database(name, false).close();
            QSqlDatabase::removeDatabase(name);
        }
    const QString postgres = QStringLiteral("postgres");
    return exec(postgres, QStringLiteral("DROP DATABASE IF EXISTS %1 WITH (FORCE)").arg(to)) &&
           exec(postgres, QStringLiteral("CREATE DATABASE %1 TEMPLATE %2").arg(to, from));
}

QString TestServer::settingsText(const QString &database, const QString &user) const
{
    return QStringLiteral("[server]\nhost=%1\ndatabase=%2\nuser=%3\nsslmode=disable\n")
        .arg(m_dir.path(), database, user.isEmpty() ? QStringLiteral("examiner") : user);
}

QVariantList TestServer::read(const QString &database, const QString &sql,
                              const QVariantList &values, bool *ok)
{
    QVariantList result;
    if (ok)
        *ok = false;
    const QString name = connectionName(database);
    QSqlDatabase db = QSqlDatabase::database(name, false);
    if (!db.isValid()) {
        db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), name);
        db.setHostName(m_dir.path());
        db.setDatabaseName(database);
        db.setUserName(AdminUser());
    }
    // A connection the server dropped (it was stopped and started) is made again once.
    for (int attempt = 0;; ++attempt) {
        if (!db.isOpen() && !db.open()) {
            m_failure = db.lastError().text();
            return result;
        }
        QSqlQuery query(db);
        // Statements that take no value run as they stand: the server prepares only reads and
        // writes of rows, never CREATE DATABASE and the like.
        bool done = values.isEmpty() ? query.exec(sql) : query.prepare(sql);
        if (!values.isEmpty()) {
            for (const QVariant &value : values)
                query.addBindValue(value);
            done = done && query.exec();
        }
        if (!done) {
            m_failure = query.lastError().text();
            const bool lost = query.lastError().nativeErrorCode().isEmpty() ||
                              query.lastError().nativeErrorCode().startsWith(u"57P0");
            query = QSqlQuery();
            db.close();
            if (lost && attempt == 0)
                continue;
            return result;
        }
        while (query.next())
            result << query.value(0);
        if (ok)
            *ok = true;
        return result;
    }
}

QString ServerDatabaseOf(const QString &databasePath)
{
    const QString ini = ServerSettingsPath(databasePath);
    if (!QFileInfo::exists(ini))
        return {};
    return QSettings(ini, QSettings::IniFormat).value(QStringLiteral("server/database")).toString();
}
