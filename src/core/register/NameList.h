#pragma once

#include <QSqlError>
#include <QString>
#include <QStringList>

// Reads every value a field of the register (IDE) holds, once each, leaving out the empty ones,
// and puts them in Persian alphabetical order (see SortInPersianOrder). The values are exactly as
// stored: two spellings of one name (with ي or ی, with or without a blank) are two entries, as
// each finds its own rows. False, with the error, when the file could not be read.
bool ReadNameList(const QString &field, QStringList *names, QSqlError *error = nullptr);

// Persian alphabetical order (پ after ب, چ after ج, ژ after ز, گ after ک), Persian names before
// Latin ones, numbers in a name by their value ("2" before "10"). Texts the order holds equal
// (differing only in a zero-width non-joiner or a direction mark) keep one fixed order.
void SortInPersianOrder(QStringList &names);
