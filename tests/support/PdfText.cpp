#include "PdfText.h"

#include <QProcess>
#include <QRegularExpression>
#include <QStringList>

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
