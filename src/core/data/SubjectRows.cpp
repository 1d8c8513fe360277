#include "data/SubjectRows.h"

#include "common/TextRules.h"
#include "data/Backend.h"
#include "data/Database.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QStringList>

namespace {
// A code in SQL in the digits 0 to 9, as LatinDigits() does; trimmed of blanks first when
// trimmed is set, as CodeKey() does.
QString codeInLatinDigits(bool trimmed)
{
    return Backend::Current().codeInLatinDigits(trimmed);
}

// The codes of up to limit rows of table meeting condition (one bound value per ?).
bool codesWhere(const QString &table, const QString &condition, const QStringList &values,
                int limit, QStringList *codes, QSqlError *error)
{
    QSqlQuery query(RegisterConnection());
    query.setForwardOnly(true);
    const QString sql = QStringLiteral("SELECT \"Code\" FROM %1 WHERE %2 LIMIT %3")
                            .arg(QuotedName(table), condition)
                            .arg(limit);
    bool ok = query.prepare(sql);
    for (const QString &value : values)
        query.addBindValue(value);
    ok = ok && query.exec();
    while (ok && query.next())
        *codes << query.value(0).toString();
    if (query.lastError().isValid()) {
        *error = query.lastError();
        ok = false;
    }
    // Finished at once: an open statement would hold a read lock on the file.
    query.finish();
    return ok;
}

bool hasCode(const QString &table, const QString &code, bool *found, QSqlError *error)
{
    QStringList codes;
    if (!codesWhere(table, QStringLiteral("\"Code\" = ?"), {code}, 1, &codes, error))
        return false;
    *found = !codes.isEmpty();
    return true;
}

// The one row of table whose code is not code but comes to the same (in digits 0 to 9, and
// trimmed of blanks when trimmed is set); nothing when there is none, or more than one. A search
// through every code: made only when the exact code missed.
bool sameCode(const QString &table, const QString &code, bool trimmed, QString *found,
              QSqlError *error)
{
    found->clear();
    QStringList codes;
    const QString wanted = trimmed ? CodeKey(code) : LatinDigits(code);
    if (!codesWhere(table,
                    QStringLiteral("\"Code\" <> ? AND %1 = ?").arg(codeInLatinDigits(trimmed)),
                    {code, wanted}, 2, &codes, error))
        return false;
    if (codes.size() == 1)
        *found = codes.first();
    return true;
}

// The row of table that pairs with the other table's row of code: the same code trimmed of
// blanks, provided no row of other has exactly that code (it is then that row's partner).
bool partner(const QString &table, const QString &other, const QString &code, bool *found,
             QString *partnerCode, QSqlError *error)
{
    *found = false;
    QString candidate;
    if (!sameCode(table, code, true, &candidate, error))
        return false;
    if (candidate.isEmpty())
        return true;
    bool owned = false;
    if (!hasCode(other, candidate, &owned, error))
        return false;
    if (!owned) {
        *found = true;
        *partnerCode = candidate;
    }
    return true;
}
} // namespace

Result SubjectRows::find(const QString &typedCode)
{
    QSqlError failure;
    if (!findRows(typedCode, &failure))
        return ReadFailure(failure);
    return {};
}

bool SubjectRows::findRows(const QString &typedCode, QSqlError *error)
{
    *this = SubjectRows();
    m_typed = typedCode;
    const QString details = QStringLiteral("IDE");
    const QString answers = QStringLiteral("Answer");
    if (!hasCode(details, typedCode, &hasDetails, error) ||
        !hasCode(answers, typedCode, &hasAnswers, error))
        return false;
    if (hasDetails)
        detailsCode = typedCode;
    if (hasAnswers)
        answersCode = typedCode;
    if (!hasDetails && !hasAnswers) {
        // The code typed with the other digits: Persian where the file has Latin, or the reverse.
        if (!sameCode(details, typedCode, false, &detailsCode, error) ||
            !sameCode(answers, typedCode, false, &answersCode, error))
            return false;
        hasDetails = !detailsCode.isEmpty();
        hasAnswers = !answersCode.isEmpty();
    }
    if (hasDetails && !hasAnswers)
        return partner(answers, details, detailsCode, &hasAnswers, &answersCode, error);
    if (hasAnswers && !hasDetails)
        return partner(details, answers, answersCode, &hasDetails, &detailsCode, error);
    return true;
}
