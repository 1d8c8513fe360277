// Skin files as palettes: what a line gives, what is refused, how the template is filled, and
// that the delivered skins are complete, readable, show focus clearly and let every control stand
// out from its ground.
#include "themes/SkinPalette.h"
#include "themes/ThemeCatalogue.h"

#include <QFile>
#include <QtTest>

namespace {
const QString Header = QStringLiteral("/* Korvat skin: Test */\n");

QMap<QString, QString> deliveredSkin(const QString &file, QStringList *valueLines = nullptr)
{
    QFile skin(QString::fromUtf8(KORVAT_SOURCE_DIR) + QStringLiteral("/resources/skins/") + file);
    if (!skin.open(QIODevice::ReadOnly))
        return {};
    const QString text = QString::fromUtf8(skin.readAll());
    if (valueLines)
        for (const QString &line : text.split(u'\n'))
            if (line.contains(u':') && !line.startsWith(QStringLiteral("/*")))
                *valueLines << line;
    return SkinPalette::fromText(text).given();
}

void addDeliveredSkinRows()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<double>("least");
    for (const QString &file : ThemeCatalogue::SkinFiles())
        // Paper is the high-contrast theme.
        QTest::newRow(qPrintable(file))
            << file << (file == QStringLiteral("Paper.skn") ? 7.0 : 4.5);
}
} // namespace

class TestSkinPalette : public QObject
{
    Q_OBJECT

private slots:
    void readsOneValuePerLine_data();
    void readsOneValuePerLine();
    void firstLineNamesTheSkin_data();
    void firstLineNamesTheSkin();
    void fillsTheTemplate_data();
    void fillsTheTemplate();
    void contrastRatio_data();
    void contrastRatio();
    void deliveredSkinsGiveEveryValue_data() { addDeliveredSkinRows(); }
    void deliveredSkinsGiveEveryValue();
    void deliveredSkinsAreReadable_data() { addDeliveredSkinRows(); }
    void deliveredSkinsAreReadable();
    void deliveredFocusMarksStandOut_data() { addDeliveredSkinRows(); }
    void deliveredFocusMarksStandOut();
    void deliveredControlsStandOut_data();
    void deliveredControlsStandOut();
};

void TestSkinPalette::readsOneValuePerLine_data()
{
    QTest::addColumn<QString>("body");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("expected"); // empty: the plain look's value
    auto row = [](const char *tag, const char *body, const char *name, const char *expected) {
        QTest::newRow(tag) << QString::fromUtf8(body) << QString::fromUtf8(name)
                           << QString::fromUtf8(expected);
    };

    row("colour", "text: #111111", "text", "#111111");
    row("short colour", "text: #abc", "text", "#abc");
    row("rgb()", "text: rgb(17, 17, 17)", "text", "rgb(17, 17, 17)");
    row("platform colour", "text: palette(text)", "text", "palette(text)");
    row("fill of three", "button: #fff #eee #ddd", "button", "#fff #eee #ddd");
    row("fill with rgb()", "button: rgb(1, 2, 3) #eee", "button", "rgb(1, 2, 3) #eee");
    row("length", "button-radius: 6px", "button-radius", "6px");
    row("weight", "heading-weight: 600", "heading-weight", "600");
    row("blanks around", "   text :   #111111   ", "text", "#111111");
    row("Windows line ends", "text: #111111\r\nwindow: #ffffff\r\n", "window", "#ffffff");
    row("a later line wins", "text: #111111\ntext: #222222", "text", "#222222");
    row("comments and blank lines", "/* ink */\n\n   text: #111111", "text", "#111111");
    row("other values stay", "text: #111111\nshadow: #000000\nwindow: #eeeeee", "window",
        "#eeeeee");

    // A value missing, or refused, is the plain look's.
    row("missing", "text: #111111", "button", "");
    row("unknown name", "txt: #111111", "txt", "");
    row("no colon", "text #111111", "text", "");
    row("empty value", "text:", "text", "");
    row("name in capitals", "Text: #111111", "text", "");
    row("colour name", "text: red", "text", "");
    row("bad hex", "text: #11111g", "text", "");
    row("rgb() out of range", "text: rgb(256, 0, 0)", "text", "");
    row("unknown palette role", "text: palette(ink)", "text", "");
    row("fill in a colour", "text: #111 #222", "text", "");
    row("fill of five", "button: #111 #222 #333 #444 #555", "button", "");
    row("length without unit", "button-radius: 6", "button-radius", "");
    row("Persian digits", "button-radius: ۶px", "button-radius", "");
    row("Persian digits in rgb()", "text: rgb(۱۷, 17, 17)", "text", "");
    row("length too long", "button-radius: 100px", "button-radius", "");
    row("colour as length", "button-radius: #111", "button-radius", "");
    row("unknown weight", "heading-weight: heavy", "heading-weight", "");

    // Values that would carry a rule of their own into the style sheet.
    row("semicolon", "text: #111111; background: red", "text", "");
    row("trailing semicolon", "text: #111111;", "text", "");
    row("closing brace", "text: #111111 } QWidget { color: red", "text", "");
    row("brace in a fill", "button: #fff } QPushButton { color: red", "button", "");
    row("brace in rgb()", "text: rgb(1, 2, 3)}", "text", "");
    row("comment", "text: /* x */ #111111", "text", "");
    row("quotes", "text: \"#111111\"", "text", "");
    row("url()", "window: url(/etc/passwd)", "window", "");
    row("length with more", "button-radius: 4px; border: 9px", "button-radius", "");
    row("weight with more", "heading-weight: bold} *{font-size:99pt", "heading-weight", "");
}

void TestSkinPalette::readsOneValuePerLine()
{
    QFETCH(QString, body);
    QFETCH(QString, name);
    QFETCH(QString, expected);
    const SkinPalette palette = SkinPalette::fromText(Header + body);
    QVERIFY(palette.isValid());
    QCOMPARE(palette.value(name), expected.isEmpty() ? SkinPalette::plainValue(name) : expected);
    QCOMPARE(palette.given().contains(name), !expected.isEmpty());
}

void TestSkinPalette::firstLineNamesTheSkin_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<QString>("skinName");
    auto row = [](const char *tag, const char *text, bool valid, const char *skinName) {
        QTest::newRow(tag) << QString::fromUtf8(text) << valid << QString::fromUtf8(skinName);
    };
    row("ours", "/* Korvat skin: Paper */\ntext: #111", true, "Paper");
    row("with blanks", "  /* Korvat skin:  Office 2007 */  \r\n", true, "Office 2007");
    row("header only", "/* Korvat skin: Empty */", true, "Empty");
    row("empty", "", false, "");
    row("a style sheet", "QWidget { color: red; }", false, "");
    row("header not first", "\n/* Korvat skin: Paper */", false, "");
    row("unclosed", "/* Korvat skin: Paper\ntext: #111", false, "");
    row("someone else's", "/* Other skin: Paper */", false, "");
}

void TestSkinPalette::firstLineNamesTheSkin()
{
    QFETCH(QString, text);
    QFETCH(bool, valid);
    QFETCH(QString, skinName);
    const SkinPalette palette = SkinPalette::fromText(text);
    QCOMPARE(palette.isValid(), valid);
    QCOMPARE(palette.skinName(), skinName);
}

void TestSkinPalette::fillsTheTemplate_data()
{
    QTest::addColumn<QString>("body");
    QTest::addColumn<QString>("styleTemplate");
    QTest::addColumn<QString>("expected");
    auto row = [](const char *tag, const char *body, const char *styleTemplate,
                  const char *expected) {
        QTest::newRow(tag) << QString::fromUtf8(body) << QString::fromUtf8(styleTemplate)
                           << QString::fromUtf8(expected);
    };
    row("colour", "text: #111", "a { color: ${text}; }", "a { color: #111; }");
    row("fill of one", "button: #fff", "b: ${button};", "b: #fff;");
    row("fill of three", "button: #fff #eee #ddd", "b: ${button};",
        "b: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #fff, stop:0.5 #eee, stop:1 #ddd);");
    row("fill of four", "button: #111 #222 #333 #444", "${button}",
        "qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #111, stop:0.33 #222, "
        "stop:0.67 #333, stop:1 #444)");
    row("missing value", "", "${button-radius} ${field}", "2px palette(base)");
    row("twice, with text around", "text: #111", "x${text}y${text}z", "x#111y#111z");
    row("no placeholder", "text: #111", "QLabel { }", "QLabel { }");
    row("unknown placeholder", "text: #111", "a { color: ${ink}; }", "");
}

void TestSkinPalette::fillsTheTemplate()
{
    QFETCH(QString, body);
    QFETCH(QString, styleTemplate);
    QFETCH(QString, expected);
    QCOMPARE(SkinPalette::fromText(Header + body).styleSheet(styleTemplate), expected);
}

void TestSkinPalette::contrastRatio_data()
{
    QTest::addColumn<QString>("foreground");
    QTest::addColumn<QString>("background");
    QTest::addColumn<double>("ratio");
    auto row = [](const char *tag, const char *foreground, const char *background, double ratio) {
        QTest::newRow(tag) << QString::fromUtf8(foreground) << QString::fromUtf8(background)
                           << ratio;
    };
    row("black on white", "#000000", "#ffffff", 21.0);
    row("white on black", "#fff", "#000", 21.0);
    row("same colour", "#777777", "#777777", 1.0);
    row("grey on white", "#767676", "#ffffff", 4.54);
    row("rgb()", "rgb(118, 118, 118)", "#ffffff", 4.54);
    row("pure red on white", "#ff0000", "#ffffff", 4.0);
    row("fill: its worst colour", "#000000", "#ffffff #000000", 1.0);
    row("platform colour", "palette(text)", "#ffffff", 0.0);
}

void TestSkinPalette::contrastRatio()
{
    QFETCH(QString, foreground);
    QFETCH(QString, background);
    QFETCH(double, ratio);
    QVERIFY2(qAbs(SkinPalette::contrast(foreground, background) - ratio) < 0.01,
             qPrintable(QString::number(SkinPalette::contrast(foreground, background))));
}

void TestSkinPalette::deliveredSkinsGiveEveryValue()
{
    // A delivered skin leaves nothing to the platform, and no line of it is dropped as unknown
    // or malformed.
    QFETCH(QString, file);
    QStringList lines;
    const QMap<QString, QString> given = deliveredSkin(file, &lines);
    QCOMPARE(given.keys(), [] {
        QStringList names = SkinPalette::names();
        names.sort();
        return names;
    }());
    QCOMPARE(lines.size(), given.size());
}

void TestSkinPalette::deliveredSkinsAreReadable()
{
    // Every text on its ground, reckoned from the skin's own values: WCAG AA (4.5:1) in every
    // theme, AAA (7:1) in the high-contrast one.
    QFETCH(QString, file);
    QFETCH(double, least);
    const QMap<QString, QString> skin = deliveredSkin(file);
    const QList<QPair<const char *, const char *>> pairs = {
        {"text", "window"},
        {"text", "dialog"},
        {"text", "column"},
        {"text", "panel"},
        {"accent", "window"},
        {"accent-text", "accent"},
        {"hint-text", "hint"},
        {"button-text", "button"},
        {"button-hover-text", "button-hover"},
        {"button-pressed-text", "button-pressed"},
        {"field-text", "field"},
        {"field-text", "alternate"},
        {"field-text", "progress"},
        {"selection-text", "selection"},
        {"header-text", "header"},
        {"tooltip-text", "tooltip"}};
    for (const auto &[foreground, background] : pairs) {
        const double ratio = SkinPalette::contrast(skin.value(QLatin1String(foreground)),
                                                   skin.value(QLatin1String(background)));
        QVERIFY2(ratio >= least,
                 qPrintable(QStringLiteral("%1 on %2: %3")
                                .arg(QLatin1String(foreground), QLatin1String(background))
                                .arg(ratio)));
    }
    // Greyed-out text is exempt from the rule, yet stays legible.
    QVERIFY(SkinPalette::contrast(skin.value(QStringLiteral("disabled-text")),
                                  skin.value(QStringLiteral("disabled"))) >= 4.5);
}

void TestSkinPalette::deliveredFocusMarksStandOut()
{
    // The focus border against the border it replaces: at least 3:1.
    QFETCH(QString, file);
    const QMap<QString, QString> skin = deliveredSkin(file);
    const QList<QPair<const char *, const char *>> pairs = {
        {"button-focus", "button-border"}, {"focus", "field-border"}, {"focus", "accent-text"}};
    for (const auto &[focus, border] : pairs) {
        const double ratio = SkinPalette::contrast(skin.value(QLatin1String(focus)),
                                                   skin.value(QLatin1String(border)));
        QVERIFY2(ratio >= 3, qPrintable(QStringLiteral("%1 against %2: %3")
                                            .arg(QLatin1String(focus), QLatin1String(border))
                                            .arg(ratio)));
    }
}

void TestSkinPalette::deliveredControlsStandOut_data()
{
    // What shows where a control is and what state it is in, against each colour it meets
    // (WCAG's non-text contrast): the edge of text boxes, lists, check boxes and option rings;
    // a ticked box and a chosen option; the line that shows how far a progress bar has come, on
    // the bar; and the focus frame round a check box or option, on the ground it stands on.
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("part");
    QTest::addColumn<QString>("ground");
    const QStringList grounds = {QStringLiteral("field"), QStringLiteral("window"),
                                 QStringLiteral("dialog"), QStringLiteral("panel")};
    QList<QPair<QString, QString>> pairs;
    for (const QString &ground : grounds) {
        pairs << qMakePair(QStringLiteral("field-border"), ground)
              << qMakePair(QStringLiteral("selection"), ground)
              << qMakePair(QStringLiteral("focus"), ground);
    }
    pairs << qMakePair(QStringLiteral("progress-line"), QStringLiteral("field"));
    for (const QString &file : ThemeCatalogue::SkinFiles())
        for (const auto &[part, ground] : std::as_const(pairs))
            QTest::newRow(qPrintable(QStringLiteral("%1: %2 on %3").arg(file, part, ground)))
                << file << part << ground;
}

void TestSkinPalette::deliveredControlsStandOut()
{
    QFETCH(QString, file);
    QFETCH(QString, part);
    QFETCH(QString, ground);
    const QMap<QString, QString> skin = deliveredSkin(file);
    const double ratio = SkinPalette::contrast(skin.value(part), skin.value(ground));
    QVERIFY2(ratio >= 3, qPrintable(QString::number(ratio)));
}

QTEST_GUILESS_MAIN(TestSkinPalette)
#include "test_skinpalette.moc"
