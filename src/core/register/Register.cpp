#include "register/Register.h"

#include "common/TextRules.h"
#include "data/Cursor.h"
#include "data/Database.h"
#include "data/Transaction.h"

#include <QCollator>
#include <QLocale>

#include <algorithm>
#include <numeric>
#include <vector>

namespace {
const QString CodeField = QStringLiteral("Code");
} // namespace

Result Register::RegisterSubject(Cursor &subjects, Cursor &answers, const QString &code)
{
    Result written;
    {
        // Both rows or neither: an answers row never stays without its subject.
        Transaction transaction;
        written = answers.add();
        if (written)
            written = answers.setField(CodeField, TrimBlanks(code));
        if (written)
            written = answers.save();
        if (written)
            written = subjects.save();
        if (written)
            written = transaction.commit();
    }
    // Once the transaction has rolled back: the answers row is begun afresh at the next try.
    if (!written)
        answers.revert();
    return written;
}

Result Register::FindSubject(const QString &typedCode, SubjectRows *rows, Cursor *details,
                             Cursor *answers)
{
    Result found = rows->find(typedCode);
    if (found && answers)
        found = answers->filter(CodeField, rows->answersFilter());
    if (found && details)
        found = details->filter(CodeField, rows->detailsFilter());
    return found;
}

Result Register::StoreAnswers(Cursor &answers, Cursor &details)
{
    if (!answers.hasUnsavedChanges())
        return {};
    // Checked in the same transaction as the write: the file can give a new person's empty
    // answers row the place of the deleted subject's.
    Transaction transaction;
    if (details.currentRow() >= 0) {
        const Result same = details.isCurrentStillStored();
        if (!same)
            return same;
    }
    const Result saved = answers.save();
    if (!saved)
        return saved;
    return transaction.commit();
}

Result Register::StoreScores(Cursor &details, const ScoringKey::Scores &scores)
{
    // The six scores reach the file together or not at all.
    const QVector<ScoringKey::Subscale> &subscales = ScoringKey::Subscales();
    Transaction transaction;
    Result written;
    for (int i = 0; i < subscales.size() && written; ++i)
        written = details.setField(subscales.at(i).field,
                                   TrimBlanks(ScoringKey::ScoreText(scores.subscale[i])));
    if (written)
        written = details.setField(ScoringKey::TotalField(),
                                   TrimBlanks(ScoringKey::ScoreText(scores.total)));
    if (written)
        written = details.save();
    if (written)
        written = transaction.commit();
    return written;
}

Result Register::DeleteSubject(Cursor &details, Cursor &answers)
{
    // Both rows or neither. A subject without an answers row is deleted all the same.
    Transaction transaction;
    Result deleted = details.deleteCurrent();
    if (deleted && !answers.isEmpty())
        deleted = answers.deleteCurrent();
    if (deleted)
        deleted = transaction.commit();
    return deleted;
}

Result Register::ReadNameList(const QString &field, QStringList *names)
{
    const Result read = ReadDistinctValues(QStringLiteral("IDE"), field, names);
    if (read)
        SortInPersianOrder(*names);
    return read;
}

Result Register::StoreTheme(Cursor &settings, const QString &number)
{
    // Read again first, so that a clinic name typed and cancelled is not stored with it.
    Result stored = settings.reread();
    // A file without its settings row is told as a store that did not happen.
    if (stored && settings.currentRow() < 0)
        stored = NotStored();
    if (stored)
        stored = settings.setField(QStringLiteral("TH"), number);
    if (stored)
        stored = settings.save();
    // The stored theme stays the one in the file, and nothing of this try is left in the row for
    // a later save to carry along.
    if (!stored)
        settings.revert();
    return stored;
}

Result Register::StoreClinic(Cursor &settings)
{
    if (settings.currentRow() < 0)
        return NotStored();
    return settings.save();
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
