#include "TestProgramFolder.h"

#include "common/ProgramFolder.h"
#include "data/Database.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QUuid>

TestProgramFolder::TestProgramFolder()
{
    if (!m_dir.isValid())
        return;
    QDir root(m_dir.path());
    m_valid = root.mkpath(QStringLiteral("DBKORVAT")) && root.mkpath(QStringLiteral("Back")) &&
              QFile::copy(DeliveredDatabasePath(), databasePath()) &&
              QFile::setPermissions(databasePath(), QFile::ReadOwner | QFile::WriteOwner);
    // The skins, as the build lays them out beside the program.
    const QDir skins(QString::fromUtf8(KORVAT_SOURCE_DIR) + QStringLiteral("/resources/skins"));
    for (const QString &skin : skins.entryList({QStringLiteral("*.skn")}, QDir::Files))
        m_valid = m_valid && QFile::copy(skins.filePath(skin), root.filePath(skin));
    SetProgramFolder(m_dir.path());
}

TestProgramFolder::~TestProgramFolder()
{
    CloseDatabase();
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
    QFile::remove(databasePath());
    return QFile::copy(source, databasePath()) &&
           QFile::setPermissions(databasePath(), QFile::ReadOwner | QFile::WriteOwner);
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

QVariantList ReadFromFile(const QString &path, const QString &sql, const QVariantList &values)
{
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
