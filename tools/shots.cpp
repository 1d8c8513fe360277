// korvat-shots: renders the program's windows to PNG files, for looking at them without a
// display. Run with QT_SCALE_FACTOR=1.5 to see them at 150 %.
//     korvat-shots OUTPUT-FOLDER
#include "TestProgramFolder.h"
#include "app/Frm1.h"
#include "appearance/Frmskin.h"
#include "appearance/ThemeCatalogue.h"
#include "common/PictureBox.h"
#include "common/ProgramLook.h"
#include "common/Skin.h"
#include "data/Cursor.h"
#include "registration/RegistrationPanel.h"

#include "safety/exitpro.h"
#include <QComboBox>
#include <QLineEdit>

#include <QApplication>
#include <QDir>
#include <QPushButton>
#include <QTest>

#include <cstdio>

namespace {
void save(QWidget *window, const QString &path)
{
    window->show();
    if (!QTest::qWaitForWindowExposed(window))
        std::fprintf(stderr, "not exposed: %s\n", qPrintable(path));
    QCoreApplication::processEvents();
    window->grab().save(path);
    std::printf("%s\n", qPrintable(path));
}

void storeTheme(int theme)
{
    Cursor settings(QStringLiteral("Theme"));
    settings.open();
    settings.setField(QStringLiteral("TH"), QString::number(theme));
    settings.setField(QStringLiteral("Name"),
                      QString::fromUtf8("مرکز مشاوره‌ی امید"));
    settings.save();
}
} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ApplyProgramLook(app);
    const QDir out(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("."));
    out.mkpath(QStringLiteral("."));
    TestProgramFolder folder;
    if (!folder.isValid() || !folder.openDatabase().isEmpty())
        return 1;

    for (int theme = 1; theme <= ThemeCatalogue::SkinFiles().size(); ++theme) {
        storeTheme(theme);
        auto *window = new Frm1;
        // A hint, as when the pointer rests on the scoring button.
        window->SkinLabel2->show();
        window->SkinLabel2->setText(QString::fromUtf8(" جهت کليد گذاري روي اين دکمه کليک مي کنيد"));
        save(window,
             out.filePath(QStringLiteral("Frm1-theme%1.png").arg(theme, 2, 10, QLatin1Char('0'))));
        window->Text3 = QStringLiteral("1");
        delete window;

        auto *confirmation = new Frmskin;
        save(confirmation,
             out.filePath(
                 QStringLiteral("Frmskin-theme%1.png").arg(theme, 2, 10, QLatin1Char('0'))));
        delete confirmation;
    }
    // The registration panel, filled in, under two themes.
    for (int theme : {1, 3}) {
        storeTheme(theme);
        auto *window = new Frm1;
        window->show();
        window->registration->open();
        window->registration->Text11->setText(QStringLiteral("K-1403-017"));
        window->registration->Text6->setText(QString::fromUtf8("سارا"));
        window->registration->Text4->setText(QString::fromUtf8("محمدی‌نژاد"));
        window->registration->Text5->setText(QStringLiteral("11"));
        window->registration->Combo1->setCurrentIndex(0);
        window->registration->Combo2->setCurrentIndex(1);
        window->registration->Combo3->setCurrentIndex(2);
        window->registration->Text7->setText(QString::fromUtf8("پنجم دبستان"));
        save(window, out.filePath(QStringLiteral("registration-theme%1.png").arg(theme)));
        window->Text3 = QStringLiteral("1");
        delete window;
    }

    auto *dialog = new exitpro;
    save(dialog, out.filePath(QStringLiteral("exitpro.png")));
    dialog->k2->show();
    dialog->k1->hide();
    save(dialog, out.filePath(QStringLiteral("exitpro-confirm-lit.png")));
    delete dialog;
    return 0;
}
