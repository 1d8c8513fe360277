#include "common/Skin.h"

#include "common/ProgramFolder.h"

#include <QFile>
#include <QStringDecoder>

namespace {
// A skin is a few kilobytes; anything far larger is not one of ours.
const qint64 LargestSkin = 1 << 20;

QString readSkin(const QString &path)
{
    QFile file(path);
    if (file.size() > LargestSkin || !file.open(QIODevice::ReadOnly))
        return {};
    QStringDecoder decoder(QStringDecoder::Utf8);
    const QString text = decoder(file.readAll());
    if (decoder.hasError() || !text.startsWith(QLatin1String("/* Korvat skin:")))
        return {};
    return text;
}
} // namespace

Skin::Skin(QObject *parent) : QObject(parent)
{
    setObjectName(QStringLiteral("Skin1"));
}

bool Skin::LoadSkinFile(const QString &fileName)
{
    const QString text = readSkin(SkinFilePath(fileName));
    if (text.isEmpty())
        return false;
    m_file = fileName;
    m_styleSheet = text;
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
