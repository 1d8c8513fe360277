#include "TestProgramFolder.h"

#include "TestServer.h"

#include "common/ProgramFolder.h"
#include "data/Database.h"
#include "data/ServerSettings.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QUuid>

TestProgramFolder::TestProgramFolder()
{
    if (!m_dir.isValid())
        return;
    QDir root(m_dir.path());
    m_valid = root.mkpath(QStringLiteral("Back")) && InstallDatabase(m_dir.path());
    // The skins, as the build lays them out beside the program.
    const QDir skins(QString::fromUtf8(KORVAT_SOURCE_DIR) + QStringLiteral("/resources/skins"));
    for (const QString &skin : skins.entryList({QStringLiteral("*.skn")}, QDir::Files))
        m_valid = m_valid && QFile::copy(skins.filePath(skin), root.filePath(skin));
    if (m_valid && TestServer::Wanted()) {
        TestServer &server = TestServer::Instance();
        m_serverDatabase = server.createDatabase();
        m_valid = !m_serverDatabase.isEmpty() &&
                  WriteFile(ServerSettingsPath(databasePath()),
                            server.settingsText(m_serverDatabase).toUtf8());
        // A server run that cannot reach its server must not go on quietly on the file.
        if (!m_valid)
            qFatal("test server: %s", qPrintable(server.failure()));
    }
    SetProgramFolder(m_dir.path());
}

TestProgramFolder::~TestProgramFolder()
{
    CloseDatabase();
    if (!m_serverDatabase.isEmpty())
        TestServer::Instance().dropDatabase(m_serverDatabase);
    SetProgramFolder(QString());
}

QString TestProgramFolder::databasePath() const
{
    return QDir(m_dir.path()).filePath(QStringLiteral("DBKORVAT/DBKorvat.mdb"));
}

QString TestProgramFolder::openDatabase() const
{
    return OpenDatabase(databasePath()).description();
}

bool TestProgramFolder::replaceDatabase(const QString &source) const
{
    if (!m_serverDatabase.isEmpty()) {
        const QString from = ServerDatabaseOf(source);
        return !from.isEmpty() && TestServer::Instance().copyDatabase(from, m_serverDatabase);
    }
    QFile::remove(databasePath());
    return QFile::copy(source, databasePath()) &&
           QFile::setPermissions(databasePath(), QFile::ReadOwner | QFile::WriteOwner);
}

QString TestProgramFolder::shownPlace() const
{
    if (m_serverDatabase.isEmpty())
        return QDir::toNativeSeparators(databasePath());
    // A server.ini that cannot be read names no place any message could hold.
    ServerSettings settings;
    if (const Result read = ReadServerSettings(ServerSettingsPath(databasePath()), &settings);
        !read)
        return read.description();
    return settings.shownPlace();
}

QString DeliveredDatabasePath()
{
    return QString::fromUtf8(KORVAT_DELIVERED_DB);
}

QByteArray FileHash(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256);
}

QByteArray ReadFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool WriteFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QVariantList ReadFromFile(const QString &path, const QString &sql, const QVariantList &values)
{
    if (const QString database = ServerDatabaseOf(path); !database.isEmpty())
        return TestServer::Instance().read(database, sql, values);
    QVariantList result;
    const QString name = QStringLiteral("read-") + QUuid::createUuid().toString();
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(path);
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
        if (db.open()) {
            QSqlQuery query(db);
            query.prepare(sql);
            for (const QVariant &value : values)
                query.addBindValue(value);
            if (query.exec())
                while (query.next())
                    result << query.value(0);
        }
    }
    QSqlDatabase::removeDatabase(name);
    return result;
}

QString RowKeyIn(const QString &path)
{
    return ServerDatabaseOf(path).isEmpty() ? QStringLiteral("rowid") : QStringLiteral("\"RowNo\"");
}

QStringList EveryRow(const QString &path, const QStringList &tables)
{
    QStringList rows;
    for (const QString &table : tables.isEmpty() ? Schema::Tables() : tables) {
        // quote_nullable() writes a value as SQLite's quote() does: 'text', or NULL.
        const bool server = !ServerDatabaseOf(path).isEmpty();
        const QString rowKey = RowKeyIn(path);
        QStringList fields;
        for (const QString &field : Schema::Fields(table))
            fields << (server ? QStringLiteral("quote_nullable(%1)") : QStringLiteral("quote(%1)"))
                          .arg(QuotedName(field));
        for (const QVariant &row :
             ReadFromFile(path, QStringLiteral("SELECT %3 || '|' || %1 FROM %2 ORDER BY %3")
                                    .arg(fields.join(QStringLiteral(" || '|' || ")),
                                         QuotedName(table), rowKey)))
            rows << table + u'|' + row.toString();
    }
    return rows;
}

QStringList EveryRowWithoutKeys(const QString &path, const QStringList &tables)
{
    QStringList rows;
    for (const QString &row : EveryRow(path, tables))
        rows << row.section(u'|', 0, 0) + u'|' + row.section(u'|', 2);
    return rows;
}

int CountInFile(const QString &path, const QString &table, const QString &code)
{
    QString sql = QStringLiteral("SELECT COUNT(*) FROM \"%1\"").arg(table);
    if (code.isNull())
        return ReadFromFile(path, sql).value(0, -1).toInt();
    sql += QStringLiteral(" WHERE \"Code\" = ?");
    return ReadFromFile(path, sql, {code}).value(0, -1).toInt();
}

bool AddScoreRewritingTrigger(const QString &path)
{
    const QString name = QStringLiteral("trigger-") + QUuid::createUuid().toString();
    bool added = false;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(path);
        added = db.open() &&
                QSqlQuery(db).exec(QStringLiteral(
                    "CREATE TRIGGER false_total AFTER UPDATE ON \"IDE\" BEGIN "
                    "DELETE FROM \"IDE\" WHERE \"Code\" = (SELECT MIN(\"Code\") FROM \"IDE\" "
                    "WHERE \"Code\" <> NEW.\"Code\"); "
                    "UPDATE \"IDE\" SET \"Kol\" = '999' WHERE \"Code\" = NEW.\"Code\"; END"));
    }
    QSqlDatabase::removeDatabase(name);
    return added;
}

QString InstallProgram(const QString &folder)
{
    const QString built = QString::fromUtf8(KORVAT_PROGRAM_EXE);
    const QString exe = QDir(folder).filePath(QFileInfo(built).fileName());
    QFile::copy(built, exe);
    QFile::setPermissions(exe, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    return exe;
}

bool InstallDatabase(const QString &folder)
{
    const QString target = QDir(folder).filePath(QStringLiteral("DBKORVAT/DBKorvat.mdb"));
    return QDir(folder).mkpath(QStringLiteral("DBKORVAT")) &&
           QFile::copy(DeliveredDatabasePath(), target) &&
           QFile::setPermissions(target, QFile::ReadOwner | QFile::WriteOwner);
}

QProcessEnvironment ProgramEnvironment(QProcessEnvironment env)
{
    static QTemporaryDir locks;
    // Where the program's SingleInstance::DefaultFolder() lies, on every platform.
    for (const char *name : {"XDG_RUNTIME_DIR", "TMPDIR", "TMP", "TEMP"})
        env.insert(QString::fromLatin1(name), locks.path());
    env.insert(QStringLiteral("QT_LOGGING_RULES"), QStringLiteral("korvat.startup.info=true"));
    return env;
}
