#pragma once
#include <QString>

// Reads the number at the start of a text the way the program reads every value that passes as
// text: leading blanks (spaces, tabs, CR, LF) skipped, optional sign, digits, optional '.' and
// digits, optional exponent (e/E, optional sign, digits - only taken when at least one exponent
// digit follows). Anything after the number is ignored; a text that does not start with a number
// gives 0.
double LeadingNumber(const QString &text);
