#include "common/Skin.h"

#include "common/ProgramFolder.h"
#include "themes/SkinPalette.h"

#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

namespace {
// A skin is a couple of kilobytes; anything far larger is not one of ours.
const qint64 LargestSkin = 64 * 1024;

QString readSkin(const QString &path)
{
    // Only a regular file is opened: a named pipe would block in open() and a device such as
    // /dev/zero reads without end while its size says 0.
    const QFileInfo info(path);
    if (!info.isFile() || info.size() > LargestSkin)
        return {};
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    // The file may have grown since it was looked at.
    const QByteArray bytes = file.read(LargestSkin + 1);
    if (bytes.size() > LargestSkin)
        return {};
    QStringDecoder decoder(QStringDecoder::Utf8);
    const QString text = decoder(bytes);
    return decoder.hasError() ? QString() : text;
}
} // namespace

Skin::Skin(QObject *parent) : QObject(parent)
{
    setObjectName(QStringLiteral("Skin1"));
}

QString Skin::styleTemplate()
{
    static const QString text = [] {
        QFile file(QStringLiteral(":/skins/template.qss"));
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    }();
    return text;
}

SkinPalette Skin::ReadSkinFile(const QString &fileName)
{
    return SkinPalette::fromText(readSkin(SkinFilePath(fileName)));
}

bool Skin::LoadSkinFile(const QString &fileName)
{
    const SkinPalette palette = ReadSkinFile(fileName);
    if (!palette.isValid())
        return false;
    const QString sheet = palette.styleSheet(styleTemplate());
    if (sheet.trimmed().isEmpty())
        return false;
    m_file = fileName;
    m_styleSheet = sheet;
    return true;
}

void Skin::SkinWindow(QWidget *window)
{
    if (window)
        window->setStyleSheet(m_styleSheet);
}

SkinLabel::SkinLabel(const QString &objectName, QWidget *parent) : QLabel(parent)
{
    setObjectName(objectName);
    setTextFormat(Qt::PlainText); // stored text, such as the clinic's name, is never markup
}
