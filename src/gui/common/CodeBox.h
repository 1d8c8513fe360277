#pragma once

class QLineEdit;

// Makes a box that takes a subject code write Persian and Arabic-Indic digits as the digits 0 to
// 9 as they are typed or pasted, as the number boxes do: a code typed on a Persian keyboard is
// then the code typed on a Latin one. Everything else is kept as typed, blanks included.
void TakeCodeDigits(QLineEdit *box);
