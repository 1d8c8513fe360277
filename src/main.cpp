#include "app/Frm1.h"
#include "app/Frm1Text.h"
#include "app/SingleInstance.h"
#include "backup/Backup.h"
#include "common/Dialogs.h"
#include "common/MemoryTuning.h"
#include "common/ProgramEnd.h"
#include "common/ProgramFolder.h"
#include "common/ProgramLook.h"
#include "data/Database.h"

#include <QApplication>
#include <QTimer>

#include <cstdio>

namespace {
// The server's password, asked at most once a start and kept in memory only.
bool askServerPassword(const QString &where, QString *password)
{
    *password = AskPassword(nullptr, QString::fromUtf8(Frm1Text::ServerPasswordPrompt).arg(where),
                            QString::fromUtf8(Frm1Text::ServerPasswordTitle));
    return !password->isEmpty();
}
} // namespace

int main(int argc, char *argv[])
{
    TuneMemoryAllocator();
    QApplication app(argc, argv);
    ApplyProgramLook(app);
    LoadQtTranslation();

    // Also on stderr, for whoever started the program from a terminal.
    auto report = [](const QString &message, const QString &title, QMessageBox::Icon icon) {
        std::fprintf(stderr, "%s\n", qUtf8Printable(message));
        ShowMessage(nullptr, message, title, icon);
    };

    SingleInstance instance;
    switch (instance.acquire()) {
    case SingleInstance::Outcome::Guarded:
        // No other copy of the program runs, so no restore is under way: what one left beside
        // the database when it was stopped half-way goes.
        Backup::RemoveRestoreLeftover(DatabaseFilePath());
        break;
    case SingleInstance::Outcome::AlreadyRunning:
        report(QString::fromUtf8(Frm1Text::AlreadyRunning),
               QString::fromUtf8(Frm1Text::AlreadyRunningTitle), QMessageBox::Information);
        return 0;
    case SingleInstance::Outcome::Unguarded:
        // Better a program without the guard than none at all.
        report(instance.failure(), QString(), QMessageBox::Warning);
        break;
    }

    SetPasswordAsker(&askServerPassword);
    if (const Result opened = OpenDatabase(DatabaseFilePath()); !opened) {
        report(opened.description(), QString(), QMessageBox::Critical);
        return 1;
    }

    Frm1::RegisterAsMainWindow();
    Frm1::ShowNew();
    QTimer::singleShot(0, &app, &ApplyProgramIcon);
    const int result = app.exec();
    // Windows still about are deleted before the database closes under their cursors.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    DeleteAllWindows();
    CloseDatabase();
    return result;
}
