#include "Seed.h"

#include "data/Database.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QStringList>

bool SeedSubjects(int n, const QString &prefix)
{
    QSqlDatabase db = QSqlDatabase::database();
    if (!db.transaction())
        return false;
    const QStringList ideFields = Schema::Fields(QStringLiteral("IDE"));
    const QStringList answerFields = Schema::Fields(QStringLiteral("Answer"));
    auto insertSql = [](const QString &table, const QStringList &fields) {
        QStringList quoted;
        for (const QString &field : fields)
            quoted << QuotedName(field);
        return QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
            .arg(QuotedName(table), quoted.join(QLatin1Char(',')),
                 QStringList(fields.size(), QStringLiteral("?")).join(QLatin1Char(',')));
    };
    QSqlQuery ide(db);
    QSqlQuery answer(db);
    bool ok = ide.prepare(insertSql(QStringLiteral("IDE"), ideFields)) &&
              answer.prepare(insertSql(QStringLiteral("Answer"), answerFields));
    const QString groups = QStringLiteral("ABCDEFG");
    for (int i = 0; ok && i < n; ++i) {
        const QString code = prefix + QString::number(i);
        const QStringList subject = {code,
                                     QString::fromUtf8("آزمودنی"),
                                     QString::fromUtf8("شماره ") + QString::number(i),
                                     QString::number(6 + i % 12),
                                     i % 2 ? QString::fromUtf8("زن") : QString::fromUtf8("مرد"),
                                     QString::fromUtf8("مجرد"),
                                     QString::fromUtf8("ابتدایی"),
                                     QString(groups.at(i % 7)),
                                     QStringLiteral("1403/07/15"),
                                     QStringLiteral("10:30"),
                                     QStringLiteral("54"),
                                     QStringLiteral("33"),
                                     QStringLiteral("36"),
                                     QStringLiteral("18"),
                                     QStringLiteral("27"),
                                     QStringLiteral("168")};
        for (const QString &value : subject)
            ide.addBindValue(value);
        answer.addBindValue(code);
        for (int q = 1; q <= 56; ++q)
            answer.addBindValue(QString::number(1 + (i + q) % 5));
        ok = ide.exec() && answer.exec();
    }
    if (!ok) {
        db.rollback();
        return false;
    }
    return db.commit();
}
