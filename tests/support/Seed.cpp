#include "Seed.h"

#include "data/Database.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QStringList>

#include <vector>

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

// Subject i's stored answer to statement q, 1 to 5.
int seedAnswer(int i, int q)
{
    return 1 + (i * 31 + q * 17 + i / 7) % 5;
}

// Subject i's two rows as seeded, every field of IDE and of Answer in stored order.
QStringList subjectRow(int i, const QString &prefix)
{
    const int age = 4 + (i * 13) % 15;
    int total = 0;
    for (int q = 1; q <= 56; ++q)
        total += seedAnswer(i, q);
    return {prefix + QString::number(i),
            SeedFirstName(i),
            SeedLastName(i),
            QString::number(age),
            i % 2 ? text("زن") : text("مرد"),
            age > 17 && i % 3 == 0 ? text("متأهل") : text("مجرد"),
            text(Schooling[qMin(age - 4, 14) / 2]),
            QString(QStringLiteral("ABCDEFG").at(i % 7)),
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
}

QStringList answerRow(int i, const QString &prefix)
{
    QStringList row{prefix + QString::number(i)};
    for (int q = 1; q <= 56; ++q)
        row << QString::number(seedAnswer(i, q));
    return row;
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

namespace {
QString insertSql(const QString &table)
{
    const QStringList fields = Schema::Fields(table);
    QStringList quoted;
    for (const QString &field : fields)
        quoted << QuotedName(field);
    return QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
        .arg(QuotedName(table), quoted.join(u','),
             QStringList(fields.size(), QStringLiteral("?")).join(u','));
}

// INSERT INTO table (fields) SELECT the elements of one text array a field, in their order.
QString unnestSql(const QString &table)
{
    const QStringList fields = Schema::Fields(table);
    QStringList quoted;
    QStringList columns;
    for (int i = 0; i < fields.size(); ++i) {
        quoted << QuotedName(fields.at(i));
        columns << QStringLiteral("c%1").arg(i);
    }
    return QStringLiteral("INSERT INTO %1 (%2) SELECT %3 FROM unnest(%4) WITH ORDINALITY AS "
                          "t(%3, n) ORDER BY n")
        .arg(QuotedName(table), quoted.join(u','), columns.join(u','),
             QStringList(fields.size(), QStringLiteral("?::text[]")).join(u','));
}

// Texts as the server writes a text array: every element quoted, its quotes and backslashes
// escaped.
QString arrayText(const QStringList &values)
{
    QStringList quoted;
    quoted.reserve(values.size());
    for (QString value : values) {
        value.replace(u'\\', QStringLiteral("\\\\")).replace(u'"', QStringLiteral("\\\""));
        quoted << u'"' + value + u'"';
    }
    return u'{' + quoted.join(u',') + u'}';
}
} // namespace

bool SeedSubjects(int n, const QString &prefix)
{
    QSqlDatabase db = QSqlDatabase::database();
    if (!db.transaction())
        return false;
    QSqlQuery ide(db);
    QSqlQuery answer(db);
    bool ok = ide.prepare(insertSql(QStringLiteral("IDE"))) &&
              answer.prepare(insertSql(QStringLiteral("Answer")));
    for (int i = 0; ok && i < n; ++i) {
        for (const QString &value : subjectRow(i, prefix))
            ide.addBindValue(value);
        for (const QString &value : answerRow(i, prefix))
            answer.addBindValue(value);
        ok = ide.exec() && answer.exec();
    }
    if (!ok) {
        db.rollback();
        return false;
    }
    return db.commit();
}

bool SeedSubjectsOnServer(int n, int rowsPerStatement, const QString &prefix)
{
    if (!IsServerRegister() || rowsPerStatement < 1)
        return false;
    QSqlDatabase db = QSqlDatabase::database();
    if (!db.transaction())
        return false;
    QSqlQuery ide(db);
    QSqlQuery answer(db);
    bool ok = ide.prepare(unnestSql(QStringLiteral("IDE"))) &&
              answer.prepare(unnestSql(QStringLiteral("Answer")));
    for (int first = 0; ok && first < n; first += rowsPerStatement) {
        // Each field's values for these subjects, in the order of their codes.
        std::vector<QStringList> details(Schema::Fields(QStringLiteral("IDE")).size());
        std::vector<QStringList> answers(Schema::Fields(QStringLiteral("Answer")).size());
        for (int i = first; i < qMin(n, first + rowsPerStatement); ++i) {
            const QStringList subject = subjectRow(i, prefix);
            for (size_t f = 0; f < details.size(); ++f)
                details[f] << subject.at(int(f));
            const QStringList answered = answerRow(i, prefix);
            for (size_t f = 0; f < answers.size(); ++f)
                answers[f] << answered.at(int(f));
        }
        for (const QStringList &values : details)
            ide.addBindValue(arrayText(values));
        for (const QStringList &values : answers)
            answer.addBindValue(arrayText(values));
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
