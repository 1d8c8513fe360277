// Builds the database file delivered with the program: the schema, the one settings row and the
// 56 statements.
//
//     korvat-mkdb schema.sql statements.txt DBKorvat.mdb
//
// or the same tables on an empty database of a PostgreSQL server, for a clinic with several PCs,
// with the GRANT lines for the examiners' role (the password from ~/.pgpass, PGPASSFILE, the
// service file or PGPASSWORD):
//
//     korvat-mkdb --server DBKORVAT/server.ini [--role examiners]
#include "data/ServerBackend.h"
#include "data/ServerSettings.h"

#include <QCoreApplication>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>

#include <cstdio>

namespace {
// A fresh installation: theme 1, no clinic name or address yet.
const char *const DeliveredTheme = "1";

int fail(const QString &message)
{
    std::fprintf(stderr, "korvat-mkdb: %s\n", qUtf8Printable(message));
    return 1;
}

bool readLines(const QString &path, QStringList *lines)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return false;
    const QString text = QString::fromUtf8(file.readAll());
    *lines = text.split(u'\n');
    return true;
}

int buildOnServer(const QString &settingsPath, const QString &role)
{
    ServerSettings settings;
    if (const Result read = ReadServerSettings(settingsPath, &settings); !read)
        return fail(read.description());
    int status = 0;
    {
        if (const Result connected = ConnectToServer(settings, QStringLiteral("mkdb")); !connected)
            return fail(connected.description());
        QSqlDatabase db = QSqlDatabase::database(QStringLiteral("mkdb"));
        if (const Result built = CreateServerTables(db); !built) {
            status = fail(built.description());
        } else {
            std::printf("korvat-mkdb: the tables are on %s\n"
                        "Give the examiners' role exactly what the program needs:\n",
                        qUtf8Printable(settings.shownPlace()));
            for (const QString &line : ServerGrantLines(role))
                std::printf("%s\n", qUtf8Printable(line));
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("mkdb"));
    return status;
}
} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() >= 3 && args.at(1) == QStringLiteral("--server")) {
        if (args.size() == 3)
            return buildOnServer(args.at(2), QStringLiteral("examiners"));
        if (args.size() == 5 && args.at(3) == QStringLiteral("--role"))
            return buildOnServer(args.at(2), args.at(4));
    }
    if (args.size() != 4)
        return fail(QStringLiteral("usage: korvat-mkdb schema.sql statements.txt output.mdb\n"
                                   "       korvat-mkdb --server server.ini [--role NAME]"));

    QStringList schemaLines;
    if (!readLines(args.at(1), &schemaLines))
        return fail(QStringLiteral("cannot read ") + args.at(1));
    QStringList statements;
    if (!readLines(args.at(2), &statements))
        return fail(QStringLiteral("cannot read ") + args.at(2));
    while (!statements.isEmpty() && statements.constLast().trimmed().isEmpty())
        statements.removeLast();
    if (statements.size() != 56)
        return fail(QStringLiteral("expected 56 statements, found %1").arg(statements.size()));
    for (int i = 0; i < statements.size(); ++i)
        if (statements.at(i).trimmed().isEmpty())
            return fail(QStringLiteral("statement %1 is empty").arg(i + 1));

    // Comment lines go first; the schema's statements end with a semicolon.
    QStringList code;
    for (const QString &line : schemaLines)
        if (!line.trimmed().startsWith(QStringLiteral("--")))
            code << line;
    const QStringList sqlStatements = code.join(u'\n').split(u';');

    // Built beside the target and renamed into place, so a failed build leaves no half file.
    const QString output = args.at(3);
    const QString building = output + QStringLiteral(".building");
    QFile::remove(building);
    {
        QSqlDatabase db =
            QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("mkdb"));
        db.setDatabaseName(building);
        if (!db.open())
            return fail(db.lastError().text());
        QSqlQuery query(db);
        query.exec(QStringLiteral("PRAGMA journal_mode = DELETE"));
        db.transaction();
        for (const QString &statement : sqlStatements) {
            if (statement.trimmed().isEmpty())
                continue;
            if (!query.exec(statement))
                return fail(query.lastError().text() + QStringLiteral(" in: ") + statement);
        }
        query.prepare(QStringLiteral(
            "INSERT INTO \"Theme\" (\"TH\", \"Name\", \"Adress\") VALUES (?, '', '')"));
        query.addBindValue(QString::fromLatin1(DeliveredTheme));
        if (!query.exec())
            return fail(query.lastError().text());
        query.prepare(QStringLiteral("INSERT INTO \"QU\" (\"ID\", \"QUs\") VALUES (?, ?)"));
        for (int i = 0; i < statements.size(); ++i) {
            query.addBindValue(QString::number(i + 1));
            query.addBindValue(statements.at(i).trimmed());
            if (!query.exec())
                return fail(query.lastError().text());
        }
        // Statistics for the query planner from the start; the program keeps them up to date.
        if (!query.exec(QStringLiteral("ANALYZE")))
            return fail(query.lastError().text());
        if (!db.commit())
            return fail(db.lastError().text());
        query.finish();
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("mkdb"));

    QFile::remove(output);
    if (!QFile::rename(building, output))
        return fail(QStringLiteral("cannot write ") + output);
    return 0;
}
