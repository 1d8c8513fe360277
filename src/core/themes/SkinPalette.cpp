#include "themes/SkinPalette.h"

#include <QRegularExpression>

#include <algorithm>
#include <cmath>

namespace {
struct Entry
{
    const char *name;
    SkinPalette::Kind kind;
    // The plain look's value: the platform's own colours where the plain look takes them from
    // its palette, so a skin that leaves a value out looks as a window without a skin does there.
    const char *plain;
};

using K = SkinPalette::Kind;
const Entry Entries[] = {
    // the window, its text and the heading
    {"window", K::Colour, "palette(window)"},
    {"dialog", K::Colour, "palette(window)"},
    {"text", K::Colour, "palette(window-text)"},
    {"accent", K::Colour, "#2f8f9d"},
    {"accent-text", K::Colour, "#ffffff"},
    {"heading-size", K::Length, "14pt"},
    {"heading-weight", K::Weight, "bold"},
    // the main button column and the panels beside it
    {"column", K::Fill, "palette(window)"},
    {"column-border", K::Colour, "palette(mid)"},
    {"panel", K::Fill, "palette(window)"},
    {"panel-border", K::Colour, "palette(mid)"},
    {"panel-radius", K::Length, "2px"},
    // the hint line at the foot of the main window
    {"hint", K::Fill, "palette(window)"},
    {"hint-text", K::Colour, "palette(window-text)"},
    {"hint-border", K::Colour, "palette(mid)"},
    {"hint-radius", K::Length, "2px"},
    // push buttons
    {"button", K::Fill, "palette(button)"},
    {"button-text", K::Colour, "palette(button-text)"},
    {"button-border", K::Colour, "palette(dark)"},
    {"button-radius", K::Length, "2px"},
    {"button-hover", K::Fill, "palette(midlight)"},
    {"button-hover-text", K::Colour, "palette(button-text)"},
    {"button-pressed", K::Fill, "palette(mid)"},
    {"button-pressed-text", K::Colour, "palette(button-text)"},
    {"button-focus", K::Colour, "palette(highlight)"},
    {"disabled", K::Fill, "palette(button)"},
    {"disabled-text", K::Colour, "palette(dark)"},
    {"disabled-border", K::Colour, "palette(mid)"},
    // text boxes, lists, tables, check boxes and number boxes
    {"field", K::Colour, "palette(base)"},
    {"field-text", K::Colour, "palette(text)"},
    {"field-border", K::Colour, "palette(dark)"},
    {"field-radius", K::Length, "2px"},
    {"field-disabled", K::Colour, "palette(window)"},
    {"field-disabled-text", K::Colour, "palette(dark)"},
    {"focus", K::Colour, "palette(highlight)"},
    {"selection", K::Colour, "palette(highlight)"},
    {"selection-text", K::Colour, "palette(highlighted-text)"},
    // the filled part of a progress bar: a wash under its text in field-text, and along its foot
    // a line that shows how far it has come
    {"progress", K::Colour, "palette(mid)"},
    {"progress-line", K::Colour, "palette(highlight)"},
    {"alternate", K::Colour, "palette(alternate-base)"},
    {"grid", K::Colour, "palette(mid)"},
    {"header", K::Fill, "palette(button)"},
    {"header-text", K::Colour, "palette(button-text)"},
    {"header-border", K::Colour, "palette(mid)"},
    // scroll bars and tool tips
    {"scrollbar", K::Colour, "palette(window)"},
    {"scrollbar-handle", K::Colour, "palette(mid)"},
    {"scrollbar-hover", K::Colour, "palette(dark)"},
    {"tooltip", K::Colour, "#ffffdc"},
    {"tooltip-text", K::Colour, "#000000"},
    {"tooltip-border", K::Colour, "palette(dark)"},
};

const Entry *entryFor(const QString &name)
{
    for (const Entry &entry : Entries)
        if (name == QLatin1String(entry.name))
            return &entry;
    return nullptr;
}

// The colour roles a style sheet's palette() knows.
bool isPaletteRole(const QString &role)
{
    static const QStringList roles = {QStringLiteral("window"),
                                      QStringLiteral("window-text"),
                                      QStringLiteral("base"),
                                      QStringLiteral("alternate-base"),
                                      QStringLiteral("text"),
                                      QStringLiteral("button"),
                                      QStringLiteral("button-text"),
                                      QStringLiteral("bright-text"),
                                      QStringLiteral("light"),
                                      QStringLiteral("midlight"),
                                      QStringLiteral("mid"),
                                      QStringLiteral("dark"),
                                      QStringLiteral("shadow"),
                                      QStringLiteral("highlight"),
                                      QStringLiteral("highlighted-text"),
                                      QStringLiteral("link"),
                                      QStringLiteral("link-visited")};
    return roles.contains(role);
}

// Red, green and blue of a colour written out; false for anything else.
bool rgbOf(const QString &colour, int rgb[3])
{
    static const QRegularExpression hex(QStringLiteral("^#([0-9a-fA-F]{3}|[0-9a-fA-F]{6})$"));
    static const QRegularExpression function(
        QStringLiteral("^rgb\\(\\s*(\\d{1,3})\\s*,\\s*(\\d{1,3})\\s*,\\s*(\\d{1,3})\\s*\\)$"));
    if (const QRegularExpressionMatch match = hex.match(colour); match.hasMatch()) {
        const QString digits = match.captured(1);
        const int width = digits.size() / 3;
        for (int channel = 0; channel < 3; ++channel) {
            QString part = digits.mid(channel * width, width);
            if (width == 1)
                part += part; // #abc is #aabbcc
            rgb[channel] = part.toInt(nullptr, 16);
        }
        return true;
    }
    if (const QRegularExpressionMatch match = function.match(colour); match.hasMatch()) {
        for (int channel = 0; channel < 3; ++channel) {
            rgb[channel] = match.captured(channel + 1).toInt();
            if (rgb[channel] > 255)
                return false;
        }
        return true;
    }
    return false;
}

bool isColour(const QString &value)
{
    int rgb[3];
    if (rgbOf(value, rgb))
        return true;
    static const QRegularExpression role(QStringLiteral("^palette\\(([a-z-]+)\\)$"));
    const QRegularExpressionMatch match = role.match(value);
    return match.hasMatch() && isPaletteRole(match.captured(1));
}

// The colours of a fill: split at blanks outside parentheses, since rgb(1, 2, 3) has blanks of
// its own.
QStringList fillColours(const QString &value)
{
    QStringList colours;
    QString current;
    int depth = 0;
    for (const QChar c : value) {
        if (c == u'(')
            ++depth;
        else if (c == u')')
            --depth;
        if (c.isSpace() && depth == 0) {
            if (!current.isEmpty())
                colours << current;
            current.clear();
        } else {
            current += c;
        }
    }
    if (!current.isEmpty())
        colours << current;
    return colours;
}

const int MostFillColours = 4;

// A fill of several colours is a vertical gradient with its stops evenly spread.
QString fillText(const QString &value)
{
    const QStringList colours = fillColours(value);
    if (colours.size() < 2)
        return value;
    QStringList stops;
    for (int i = 0; i < colours.size(); ++i)
        stops << QStringLiteral("stop:%1 %2")
                     .arg(QString::number(double(i) / (colours.size() - 1), 'g', 2), colours.at(i));
    return QStringLiteral("qlineargradient(x1:0, y1:0, x2:0, y2:1, %1)")
        .arg(stops.join(QStringLiteral(", ")));
}

double luminance(const int rgb[3])
{
    double linear[3];
    for (int channel = 0; channel < 3; ++channel) {
        const double c = rgb[channel] / 255.0;
        linear[channel] = c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    }
    return 0.2126 * linear[0] + 0.7152 * linear[1] + 0.0722 * linear[2];
}
} // namespace

SkinPalette SkinPalette::fromText(const QString &text)
{
    SkinPalette palette;
    QStringList lines = text.split(u'\n');
    const QString first = lines.takeFirst().trimmed();
    static const QString opening = QStringLiteral("/* Korvat skin:");
    if (!first.startsWith(opening) || !first.endsWith(QStringLiteral("*/")))
        return palette;
    palette.m_valid = true;
    palette.m_skinName = first.mid(opening.size(), first.size() - opening.size() - 2).trimmed();

    static const QRegularExpression valueLine(QStringLiteral("^([a-z][a-z0-9-]*)\\s*:\\s*(.+)$"));
    for (const QString &raw : std::as_const(lines)) {
        const QString line = raw.trimmed();
        const bool comment = line.startsWith(QStringLiteral("/*")) &&
                             line.endsWith(QStringLiteral("*/")) &&
                             line.indexOf(QStringLiteral("*/")) == line.size() - 2;
        if (line.isEmpty() || comment)
            continue;
        const QRegularExpressionMatch match = valueLine.match(line);
        if (!match.hasMatch())
            continue;
        const QString name = match.captured(1);
        const QString value = match.captured(2).trimmed();
        if (isName(name) && isAcceptable(kindOf(name), value))
            palette.m_given.insert(name, value);
    }
    return palette;
}

QString SkinPalette::value(const QString &name) const
{
    return m_given.value(name, plainValue(name));
}

QString SkinPalette::styleSheet(const QString &styleTemplate) const
{
    static const QRegularExpression placeholder(QStringLiteral("\\$\\{([a-z0-9-]+)\\}"));
    QString sheet;
    sheet.reserve(styleTemplate.size() + styleTemplate.size() / 4);
    qsizetype done = 0;
    QRegularExpressionMatchIterator it = placeholder.globalMatch(styleTemplate);
    while (it.hasNext()) {
        const QRegularExpressionMatch match = it.next();
        const QString name = match.captured(1);
        if (!isName(name))
            return {};
        sheet += QStringView(styleTemplate).mid(done, match.capturedStart() - done);
        const QString v = value(name);
        sheet += kindOf(name) == Kind::Fill ? fillText(v) : v;
        done = match.capturedEnd();
    }
    sheet += QStringView(styleTemplate).mid(done);
    return sheet;
}

QStringList SkinPalette::names()
{
    QStringList list;
    for (const Entry &entry : Entries)
        list << QLatin1String(entry.name);
    return list;
}

bool SkinPalette::isName(const QString &name)
{
    return entryFor(name) != nullptr;
}

SkinPalette::Kind SkinPalette::kindOf(const QString &name)
{
    const Entry *entry = entryFor(name);
    return entry ? entry->kind : Kind::Colour;
}

QString SkinPalette::plainValue(const QString &name)
{
    const Entry *entry = entryFor(name);
    return entry ? QLatin1String(entry->plain) : QString();
}

bool SkinPalette::isAcceptable(Kind kind, const QString &value)
{
    switch (kind) {
    case Kind::Colour:
        return isColour(value);
    case Kind::Fill: {
        const QStringList colours = fillColours(value);
        return !colours.isEmpty() && colours.size() <= MostFillColours &&
               std::all_of(colours.cbegin(), colours.cend(), isColour);
    }
    case Kind::Length: {
        static const QRegularExpression length(QStringLiteral("^\\d{1,2}(px|pt)$"));
        return length.match(value).hasMatch();
    }
    case Kind::Weight: {
        static const QRegularExpression weight(QStringLiteral("^(normal|bold|[1-9]00)$"));
        return weight.match(value).hasMatch();
    }
    }
    return false;
}

double SkinPalette::contrast(const QString &foreground, const QString &background)
{
    double lowest = 21;
    for (const QString &front : fillColours(foreground)) {
        for (const QString &back : fillColours(background)) {
            int a[3];
            int b[3];
            if (!rgbOf(front, a) || !rgbOf(back, b))
                return 0;
            const double la = luminance(a);
            const double lb = luminance(b);
            lowest = std::min(lowest, (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05));
        }
    }
    return foreground.trimmed().isEmpty() || background.trimmed().isEmpty() ? 0 : lowest;
}
