#include "common/ProgramLook.h"

#include "common/ProgramFolder.h"
#include "common/WaitNotice.h"

#include <QApplication>
#include <QDir>
#include <QFont>
#include <QIcon>
#include <QLibraryInfo>
#include <QTranslator>

#include <memory>

void ApplyProgramIcon()
{
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/images/korvat.svg")));
}

void ApplyProgramLook(QApplication &app)
{
    QApplication::setApplicationName(QStringLiteral("Korvat"));
    QApplication::setLayoutDirection(Qt::RightToLeft);
    QFont font = QApplication::font();
    // Each letter is taken from the first family that has it: Persian from the Arabic-script
    // families, Latin letters and digits from the sans serif ones after them. Only families
    // the platform may have are named: every family asked for costs a look-up at start-up.
#if defined(Q_OS_WIN)
    font.setFamilies(
        {QStringLiteral("Vazirmatn"), QStringLiteral("Tahoma"), QStringLiteral("Segoe UI")});
#elif defined(Q_OS_MACOS)
    font.setFamilies({QStringLiteral("Vazirmatn"), QStringLiteral("Geeza Pro"),
                      QStringLiteral("Helvetica Neue")});
#else
    font.setFamilies({QStringLiteral("Vazirmatn"), QStringLiteral("Noto Sans Arabic"),
                      QStringLiteral("Noto Sans"), QStringLiteral("Nazli"),
                      QStringLiteral("DejaVu Sans")});
#endif
    if (font.pointSizeF() < 10)
        font.setPointSizeF(10);
    app.setFont(font);
    // A save that waits for another program says so, rather than look frozen.
    InstallWaitNotice();
}

QStringList QtTranslationFolders()
{
    return {QDir(ProgramFolder()).filePath(QStringLiteral("translations")),
            QLibraryInfo::path(QLibraryInfo::TranslationsPath)};
}

QTranslator *LoadQtTranslation(const QStringList &folders)
{
    auto translator = std::make_unique<QTranslator>();
    // qt_fa is the catalogue a deployment tool may ship instead; it takes in qtbase_fa.
    for (const QString &folder : folders) {
        for (const QString &name : {QStringLiteral("qtbase_fa"), QStringLiteral("qt_fa")}) {
            if (translator->load(name, folder) &&
                QCoreApplication::installTranslator(translator.get())) {
                translator->setParent(QCoreApplication::instance());
                return translator.release();
            }
        }
    }
    return nullptr;
}
