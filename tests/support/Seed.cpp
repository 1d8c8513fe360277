#include "Seed.h"

#include "data/Database.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QStringList>

namespace {
const char *const FirstNames[] = {
    "سارا",  "علی",  "مریم",  "رضا",  "زهرا", "حسین",  "فاطمه",  "محمد",  "نرگس",  "امیر",
    "کوثر",  "مهدی", "یاسمن", "آرش",  "هستی", "پارسا", "نازنین", "کیان",  "ترانه", "بردیا",
    "الناز", "سینا", "مهسا",  "امید", "پریا", "نیما",  "آیدا",   "سهیل",  "رها",   "دانیال",
    "شیوا",  "کاوه", "غزل",   "بابک", "نگار", "سامان", "ملیکا",  "آرمان", "لیلا",  "یزدان"};
const char *const Surnames[] = {"محمدی",  "احمدی",   "رضایی",   "کریمی", "حسینی", "موسوی", "جعفری",
                                "کاظمی",  "رحیمی",   "صادقی",   "نوری",  "اکبری", "قاسمی", "عباسی",
                                "طاهری",  "زارعی",   "یوسفی",   "شریفی", "نجفی",  "مرادی", "فرهادی",
                                "بهرامی", "سلیمانی", "کامرانی", "ملکی"};
const char *const Schooling[] = {"پیش‌دبستانی",
                                 "اول دبستان",
                                 "سوم دبستان",
                                 "پنجم دبستان",
                                 "هفتم",
                                 "نهم",
                                 "دهم",
                                 "دوازدهم"};

QString text(const char *utf8)
{
    return QString::fromUtf8(utf8);
}

template <typename T, int N> int size(T (&)[N])
{
    return N;
}
} // namespace

QString SeedFirstName(int i)
{
    return text(FirstNames[(i * 7) % size(FirstNames)]);
}

// 250 different last names: a name and a number-like suffix, as families share surnames.
QString SeedLastName(int i)
{
    const int family = i % 250;
    return text(Surnames[family % size(Surnames)]) + QStringLiteral(" ") +
           QString::number(family / size(Surnames) + 1);
}

QString SeedDate(int day)
{
    return QStringLiteral("1403/%1/%2")
        .arg(1 + day / 5, 2, 10, QChar(u'0'))
        .arg(1 + (day % 5) * 6, 2, 10, QChar(u'0'));
}

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
            .arg(QuotedName(table), quoted.join(u','),
                 QStringList(fields.size(), QStringLiteral("?")).join(u','));
    };
    QSqlQuery ide(db);
    QSqlQuery answer(db);
    bool ok = ide.prepare(insertSql(QStringLiteral("IDE"), ideFields)) &&
              answer.prepare(insertSql(QStringLiteral("Answer"), answerFields));
    const QString groups = QStringLiteral("ABCDEFG");
    for (int i = 0; ok && i < n; ++i) {
        const QString code = prefix + QString::number(i);
        const int age = 4 + (i * 13) % 15;
        int answers[57];
        int total = 0;
        for (int q = 1; q <= 56; ++q) {
            answers[q] = 1 + (i * 31 + q * 17 + i / 7) % 5;
            total += answers[q];
        }
        const QStringList subject = {code,
                                     SeedFirstName(i),
                                     SeedLastName(i),
                                     QString::number(age),
                                     i % 2 ? text("زن") : text("مرد"),
                                     age > 17 && i % 3 == 0 ? text("متأهل") : text("مجرد"),
                                     text(Schooling[qMin(age - 4, 14) / 2]),
                                     QString(groups.at(i % 7)),
                                     SeedDate(i % 50),
                                     QStringLiteral("%1:%2:%3")
                                         .arg(8 + i % 9)
                                         .arg((i * 7) % 60, 2, 10, QChar(u'0'))
                                         .arg((i * 13) % 60, 2, 10, QChar(u'0')),
                                     QString::number(total / 5),
                                     QString::number(total / 6),
                                     QString::number(total / 5 - 3),
                                     QString::number(total / 8),
                                     QString::number(total / 7),
                                     QString::number(total)};
        for (const QString &value : subject)
            ide.addBindValue(value);
        answer.addBindValue(code);
        for (int q = 1; q <= 56; ++q)
            answer.addBindValue(QString::number(answers[q]));
        ok = ide.exec() && answer.exec();
    }
    if (!ok) {
        db.rollback();
        return false;
    }
    return db.commit();
}

bool AddRow(const QString &table, const QHash<QString, QString> &fields)
{
    QStringList names;
    for (auto it = fields.cbegin(); it != fields.cend(); ++it)
        names << QuotedName(it.key());
    QSqlQuery query(QSqlDatabase::database());
    if (!query.prepare(QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                           .arg(QuotedName(table), names.join(u','),
                                QStringList(names.size(), QStringLiteral("?")).join(u','))))
        return false;
    for (auto it = fields.cbegin(); it != fields.cend(); ++it)
        query.addBindValue(it.value());
    return query.exec();
}

bool StoreSetting(const QString &field, const QString &value)
{
    QSqlQuery query(QSqlDatabase::database());
    return query.prepare(QStringLiteral("UPDATE \"Theme\" SET %1 = ?").arg(QuotedName(field))) &&
           (query.addBindValue(value), query.exec()) && query.numRowsAffected() == 1;
}
