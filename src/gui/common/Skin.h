#pragma once

#include "themes/SkinPalette.h"

#include <QLabel>
#include <QObject>
#include <QString>

// A window's skin object. A skin file is a short list of named colours and shapes under a first
// line that names it (see SkinPalette); the program's one style-sheet template turns those
// values into the window's style sheet. LoadSkinFile reads a skin file from the program folder;
// SkinWindow gives the window the look last loaded, or its plain look when none was. A missing
// or broken file leaves the plain look: it never stops a window.
class Skin : public QObject
{
    Q_OBJECT

public:
    explicit Skin(QObject *parent = nullptr);

    // True when the file was read and is a skin.
    bool LoadSkinFile(const QString &fileName);
    void SkinWindow(QWidget *window);

    QString loadedFile() const { return m_file; }
    QString styleSheet() const { return m_styleSheet; }

    // The shared style-sheet template, as the program carries it.
    static QString styleTemplate();
    // The values of a skin file in the program folder; not valid when the file is missing, too
    // large, not a regular file or not a skin.
    static SkinPalette ReadSkinFile(const QString &fileName);

private:
    QString m_file;
    QString m_styleSheet;
};

// A label drawn by the skin: the program sets its text, visibility and geometry.
class SkinLabel : public QLabel
{
    Q_OBJECT

public:
    explicit SkinLabel(const QString &objectName, QWidget *parent = nullptr);
};
