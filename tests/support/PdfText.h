#pragma once
#include <QString>

// Text as pdftotext gives it back, made comparable: presentation forms folded to letters, the
// Arabic yeh and kaf to the Persian ones (their joined glyphs are the same), Persian digits to
// Arabic-Indic ones (the same glyphs), no direction marks.
QString Fold(const QString &text);

// What pdftotext reads in a PDF (laid out as on the page when asked), folded; empty when it
// cannot be read.
QString PdfText(const QString &path, bool layout = false);

#include <QRectF>
#include <QVector>

// Where pdftotext (-bbox-layout) finds a text on a PDF's pages, in points from the page's top
// left corner: each occurrence's box, top to bottom. text is matched without its blanks, in
// either reading direction (pdftotext gives glyphs in the order they stand on the page), and
// only where blanks, or the ends of a line, surround it.
struct PdfPlace
{
    int page = 0;
    QRectF box;
};
QVector<PdfPlace> PdfFind(const QString &path, const QString &text);
