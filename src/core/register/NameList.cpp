#include "register/NameList.h"

#include "data/Database.h"

#include <QCollator>
#include <QLocale>
#include <QSqlDatabase>
#include <QSqlQuery>

#include <algorithm>
#include <numeric>
#include <vector>

bool ReadNameList(const QString &field, QStringList *names, QSqlError *error)
{
    names->clear();
    QSqlQuery query(QSqlDatabase::database());
    query.setForwardOnly(true);
    // The field's index makes this one pass over the index, whatever the size of the register.
    const QString sql = QStringLiteral("SELECT DISTINCT %1 FROM %2 WHERE %1 <> ''")
                            .arg(QuotedName(field), QuotedName(QStringLiteral("IDE")));
    bool ok = query.exec(sql);
    while (ok && query.next())
        names->append(query.value(0).toString());
    const QSqlError failure = query.lastError();
    // Finished at once: an open statement would hold a read lock on the file.
    query.finish();
    if (!ok || failure.isValid()) {
        names->clear();
        if (error)
            *error = failure;
        return false;
    }
    SortInPersianOrder(*names);
    if (error)
        *error = QSqlError();
    return true;
}

void SortInPersianOrder(QStringList &names)
{
    QCollator collator(QLocale(QLocale::Persian, QLocale::Iran));
    collator.setNumericMode(true);
    collator.setCaseSensitivity(Qt::CaseSensitive);
    // A key per name once, rather than the collator's work at every comparison.
    std::vector<QCollatorSortKey> keys;
    keys.reserve(size_t(names.size()));
    for (const QString &name : std::as_const(names))
        keys.push_back(collator.sortKey(name));
    std::vector<qsizetype> order(size_t(names.size()));
    std::iota(order.begin(), order.end(), 0);
    std::sort(order.begin(), order.end(), [&](qsizetype a, qsizetype b) {
        const int compared = keys[size_t(a)].compare(keys[size_t(b)]);
        return compared != 0 ? compared < 0 : names.at(a) < names.at(b);
    });
    QStringList sorted;
    sorted.reserve(names.size());
    for (const qsizetype i : order)
        sorted.append(names.at(i));
    names = sorted;
}
