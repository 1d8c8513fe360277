#include "data/Database.h"

#include <QDir>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlDriver>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QUrl>

namespace DatabaseText {
// The path is isolated as left-to-right text so it reads correctly inside a Persian sentence.
const char *const Missing = "فایل پایگاه داده پیدا نشد:\n\u2066%1\u2069\n\n"
                            "برنامه بسته می‌شود.";
const char *const Unreadable = "فایل پایگاه داده باز نشد:\n\u2066%1\u2069\n\n%2\n\n"
                               "برنامه بسته می‌شود.";
const char *const ReadOnly =
    "فایل پایگاه داده فقط‌خواندنی است و اطلاعات در آن ذخیره نمی‌شود:"
    "\n\u2066%1\u2069\n\nبرنامه بسته می‌شود.";
const char *const Foreign =
    "این فایل پایگاه داده‌ی این برنامه نیست یا آسیب دیده است:"
    "\n\u2066%1\u2069\n\nبرنامه بسته می‌شود.";
const char *const MissingParts =
    "پایگاه داده‌ی این برنامه کامل نیست:\n\u2066%1\u2069\n\n"
    "کم دارد: \u2066%2\u2069\n\nبرنامه بسته می‌شود.";
} // namespace DatabaseText

namespace {
QString text(const char *utf8)
{
    return QString::fromUtf8(utf8);
}
} // namespace

QStringList Schema::Tables()
{
    return {QStringLiteral("IDE"), QStringLiteral("Answer"), QStringLiteral("Theme"),
            QStringLiteral("QU")};
}

QStringList Schema::Fields(const QString &table)
{
    if (table == QLatin1String("IDE"))
        return {QStringLiteral("Code"),    QStringLiteral("FName"),     QStringLiteral("LName"),
                QStringLiteral("Sen"),     QStringLiteral("Jens"),      QStringLiteral("Taahol"),
                QStringLiteral("Tahsil"),  QStringLiteral("Group"),     QStringLiteral("Date"),
                QStringLiteral("Time"),    QStringLiteral("BPosetive"), QStringLiteral("Conterlo"),
                QStringLiteral("Etminan"), QStringLiteral("neyaz"),     QStringLiteral("self"),
                QStringLiteral("Kol")};
    if (table == QLatin1String("Answer")) {
        QStringList fields{QStringLiteral("Code")};
        for (int i = 1; i <= 56; ++i)
            fields << QString::number(i);
        return fields;
    }
    if (table == QLatin1String("Theme"))
        return {QStringLiteral("TH"), QStringLiteral("Name"), QStringLiteral("Adress")};
    if (table == QLatin1String("QU"))
        return {QStringLiteral("ID"), QStringLiteral("QUs")};
    return {};
}

QString OpenDatabase(const QString &path)
{
    const QFileInfo info(path);
    const QString shownPath = QDir::toNativeSeparators(info.absoluteFilePath());
    if (!info.exists() || !info.isFile())
        return text(DatabaseText::Missing).arg(shownPath);
    if (!info.isWritable())
        return text(DatabaseText::ReadOnly).arg(shownPath);

    CloseDatabase();
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"));
    // mode=rw: SQLite opens the file or fails; it never creates an empty database in its place.
    db.setDatabaseName(QUrl::fromLocalFile(info.absoluteFilePath()).toString(QUrl::FullyEncoded) +
                       QStringLiteral("?mode=rw"));
    db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_URI;QSQLITE_BUSY_TIMEOUT=5000"));
    if (!db.open()) {
        const QString reason = db.lastError().text();
        CloseDatabase();
        return text(DatabaseText::Unreadable).arg(shownPath, reason);
    }

    // Reading the catalogue is the first real read: a file that is not a database fails here,
    // before anything is written to it.
    QSqlQuery catalogue(db);
    if (!catalogue.exec(QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table'"))) {
        CloseDatabase();
        return text(DatabaseText::Foreign).arg(shownPath);
    }
    QStringList present;
    while (catalogue.next())
        present << catalogue.value(0).toString();
    catalogue.finish();

    QStringList missing;
    for (const QString &table : Schema::Tables()) {
        if (!present.contains(table)) {
            missing << table;
            continue;
        }
        const QSqlRecord record = db.record(table);
        for (const QString &field : Schema::Fields(table))
            if (record.indexOf(field) < 0)
                missing << table + QLatin1Char('.') + field;
    }
    if (!missing.isEmpty()) {
        CloseDatabase();
        return text(DatabaseText::MissingParts).arg(shownPath, missing.join(QStringLiteral(", ")));
    }

    // Rollback journal with full sync: the .mdb file alone is always a complete database, so a
    // byte copy of it is a good backup.
    QSqlQuery pragma(db);
    pragma.exec(QStringLiteral("PRAGMA journal_mode = DELETE"));
    pragma.exec(QStringLiteral("PRAGMA synchronous = FULL"));
    // 16 MiB of page cache keeps the code indexes of a large register in memory.
    pragma.exec(QStringLiteral("PRAGMA cache_size = -16384"));
    return {};
}

void CloseDatabase()
{
    const QString name = QLatin1String(QSqlDatabase::defaultConnection);
    if (!QSqlDatabase::contains(name))
        return;
    {
        QSqlDatabase db = QSqlDatabase::database(name, false);
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
}

bool IsDatabaseOpen()
{
    return QSqlDatabase::database(QLatin1String(QSqlDatabase::defaultConnection), false).isOpen();
}

bool IsDuplicateError(const QSqlError &error)
{
    // 2067 and 1555 are SQLite's extended codes for a UNIQUE and a PRIMARY KEY violation.
    const QString code = error.nativeErrorCode();
    return code == QLatin1String("2067") || code == QLatin1String("1555") ||
           error.databaseText().contains(QLatin1String("UNIQUE constraint failed"));
}

QString QuotedName(const QString &name)
{
    QString quoted = name;
    quoted.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}
