#include "PdfText.h"

#include <QProcess>
#include <QRegularExpression>
#include <QStringList>
#include <QXmlStreamReader>

#include <algorithm>

QString Fold(const QString &text)
{
    QString folded = text.normalized(QString::NormalizationForm_KC);
    folded.replace(QChar(0x064A), QChar(0x06CC)).replace(QChar(0x0643), QChar(0x06A9));
    folded.remove(QRegularExpression(
        QStringLiteral("[\\x{200E}\\x{200F}\\x{202A}-\\x{202E}\\x{2066}-\\x{2069}]")));
    for (QChar &c : folded)
        if (c.unicode() >= 0x06F0 && c.unicode() <= 0x06F9)
            c = QChar(c.unicode() - 0x06F0 + 0x0660);
    return folded;
}

QString PdfText(const QString &path, bool layout)
{
    QStringList arguments{QStringLiteral("-enc"), QStringLiteral("UTF-8"), path,
                          QStringLiteral("-")};
    if (layout)
        arguments.prepend(QStringLiteral("-layout"));
    QProcess process;
    process.start(QStringLiteral("pdftotext"), arguments);
    if (!process.waitForFinished(60000))
        return QString();
    return Fold(QString::fromUtf8(process.readAllStandardOutput()));
}

namespace {
struct Glyph
{
    QString text; // folded
    QRectF box;
};
struct Line
{
    int page = 0;
    QVector<Glyph> glyphs;
};

QVector<Line> PdfLines(const QString &path)
{
    QProcess process;
    process.start(QStringLiteral("pdftotext"),
                  {QStringLiteral("-bbox-layout"), QStringLiteral("-enc"), QStringLiteral("UTF-8"),
                   path, QStringLiteral("-")});
    if (!process.waitForFinished(60000))
        return {};
    QXmlStreamReader xml(process.readAllStandardOutput());
    QVector<Line> lines;
    int page = -1;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        const QXmlStreamAttributes a = xml.attributes();
        if (xml.name() == QStringLiteral("page")) {
            ++page;
        } else if (xml.name() == QStringLiteral("line")) {
            lines.append(Line{page, {}});
        } else if (xml.name() == QStringLiteral("word") && !lines.isEmpty()) {
            const QRectF box(QPointF(a.value(QStringLiteral("xMin")).toDouble(),
                                     a.value(QStringLiteral("yMin")).toDouble()),
                             QPointF(a.value(QStringLiteral("xMax")).toDouble(),
                                     a.value(QStringLiteral("yMax")).toDouble()));
            lines.last().glyphs.append(Glyph{Fold(xml.readElementText()), box});
        }
    }
    return lines;
}
} // namespace

QVector<PdfPlace> PdfFind(const QString &path, const QString &text)
{
    QString wanted = Fold(text);
    wanted.remove(QRegularExpression(QStringLiteral("\\s")));
    QVector<PdfPlace> places;
    if (wanted.isEmpty())
        return places;
    for (const Line &line : PdfLines(path)) {
        // Glyphs apart by more than a sliver of their height stand in different words.
        auto apart = [&line](int left, int right) {
            if (left < 0 || right >= line.glyphs.size())
                return true;
            const QRectF &a = line.glyphs[left].box, &b = line.glyphs[right].box;
            return b.left() - a.right() > 0.15 * qMax(a.height(), b.height());
        };
        for (const bool reversed : {false, true}) {
            // The line's letters in one direction, and the glyph each letter comes from.
            QString letters;
            QVector<int> from;
            for (int k = 0; k < line.glyphs.size(); ++k) {
                const int g = reversed ? int(line.glyphs.size()) - 1 - k : k;
                for (const QChar c : line.glyphs[g].text)
                    if (!c.isSpace())
                        letters += c, from.append(g);
            }
            for (int at = letters.indexOf(wanted); at >= 0; at = letters.indexOf(wanted, at + 1)) {
                const int first = qMin(from[at], from[at + wanted.size() - 1]);
                const int last = qMax(from[at], from[at + wanted.size() - 1]);
                if (!apart(first - 1, first) || !apart(last, last + 1))
                    continue;
                QRectF box;
                for (int g = first; g <= last; ++g)
                    box = box.united(line.glyphs[g].box);
                // A text that reads the same both ways is found once.
                if (std::none_of(places.begin(), places.end(), [&](const PdfPlace &p) {
                        return p.page == line.page && p.box == box;
                    }))
                    places.append(PdfPlace{line.page, box});
            }
        }
    }
    std::sort(places.begin(), places.end(), [](const PdfPlace &a, const PdfPlace &b) {
        return std::make_pair(a.page, a.box.top()) < std::make_pair(b.page, b.box.top());
    });
    return places;
}
