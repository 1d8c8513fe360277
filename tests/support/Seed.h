#pragma once

#include <QHash>
#include <QString>

// Adds n subjects to the open database, an IDE row and a fully answered Answer row each, with the
// codes prefix + 0 ... prefix + (n - 1). Names, ages, groups, dates and answers vary the same way
// whatever n is: subject i is in group "ABCDEFG"[i % 7], has gender "مرد" for even i, the
// first name SeedFirstName(i), the last name SeedLastName(i) and the date SeedDate(i % 50), so
// every date holds one subject in fifty (2,000 of 100,000). One transaction; false if anything
// failed.
bool SeedSubjects(int n, const QString &prefix = QStringLiteral("S"));
// The same rows on a register on a server, rowsPerStatement subjects to an INSERT (the values of
// each field as one array): for a large register, where a statement a row would be a trip to the
// server and back each. One transaction; false if anything failed, or the register is a file.
bool SeedSubjectsOnServer(int n, int rowsPerStatement, const QString &prefix = QStringLiteral("S"));

QString SeedFirstName(int i);
QString SeedLastName(int i);
// One of fifty registration dates, in the stored layout ("1403/04/13").
QString SeedDate(int day);

// Adds one row to a table of the open database, with the fields given (the others stay null);
// false if it was refused.
bool AddRow(const QString &table, const QHash<QString, QString> &fields);

// Writes one field of the settings row (the table Theme: TH the theme, Name and Adress the
// clinic's) in the open database; false if it could not be written.
bool StoreSetting(const QString &field, const QString &value);
