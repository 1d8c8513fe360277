#pragma once

#include <QMap>
#include <QString>
#include <QStringList>

// The values of one skin. A skin file names its skin on the first line and then lists a few
// named colours and shapes, one to a line:
//     /* Korvat skin: Paper */
//     window: #fbf9f3
//     button: #ffffff #f1f1f1      (a fill: one colour, or colours from top to bottom)
//     button-radius: 2px
// Every rule lives once in the shared style-sheet template, which names these values as
// ${window}, ${button} and so on. A value a skin does not give is the plain look's. An unknown
// name, a malformed line or a value that is not of its name's kind is ignored: a value can never
// carry a rule of its own into the style sheet.
class SkinPalette
{
public:
    enum class Kind {
        Colour, // #rgb, #rrggbb, rgb(r, g, b) or palette(role)
        Fill,   // one to four colours, top to bottom
        Length, // a whole number of px or pt
        Weight  // normal, bold, or 100 to 900
    };

    // Reads a skin file's text. A text whose first line does not name a skin gives a palette that
    // is not valid.
    static SkinPalette fromText(const QString &text);

    bool isValid() const { return m_valid; }
    QString skinName() const { return m_skinName; }
    // What the skin file gave, name by name.
    QMap<QString, QString> given() const { return m_given; }
    // The skin's value for a name, or the plain look's where the skin gives none.
    QString value(const QString &name) const;

    // The template with every ${name} replaced by its value; empty when the template names a
    // value that does not exist.
    QString styleSheet(const QString &styleTemplate) const;

    // Every name a skin may give, in the order a skin file lists them.
    static QStringList names();
    static bool isName(const QString &name);
    static Kind kindOf(const QString &name);
    static QString plainValue(const QString &name);
    static bool isAcceptable(Kind kind, const QString &value);

    // The contrast ratio of text in one colour on another, as WCAG reckons it (1 to 21). For a
    // fill it is the lowest over its colours. 0 when a value is not a colour written out (a
    // palette(role) depends on the platform).
    static double contrast(const QString &foreground, const QString &background);

private:
    bool m_valid = false;
    QString m_skinName;
    QMap<QString, QString> m_given;
};
