#pragma once
#include <QString>

// Text as pdftotext gives it back, made comparable: presentation forms folded to letters, the
// Arabic yeh and kaf to the Persian ones (their joined glyphs are the same), Persian digits to
// Arabic-Indic ones (the same glyphs), no direction marks.
QString Fold(const QString &text);

// What pdftotext reads in a PDF (laid out as on the page when asked), folded; empty when it
// cannot be read.
QString PdfText(const QString &path, bool layout = false);
