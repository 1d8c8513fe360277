#include "app/PlaceholderWindow.h"
#include "common/Dialogs.h"
#include "common/MemoryTuning.h"
#include "common/ProgramFolder.h"
#include "common/ProgramLook.h"
#include "data/Database.h"

#include <QApplication>

#include <cstdio>

int main(int argc, char *argv[])
{
    TuneMemoryAllocator();
    QApplication app(argc, argv);
    ApplyProgramLook(app);

    const QString refusal = OpenDatabase(DatabaseFilePath());
    if (!refusal.isEmpty()) {
        // Also on stderr, for whoever started the program from a terminal.
        std::fprintf(stderr, "%s\n", qUtf8Printable(refusal));
        ShowMessage(nullptr, refusal, QString(), QMessageBox::Critical);
        return 1;
    }

    int result = 0;
    {
        PlaceholderWindow window;
        window.show();
        result = app.exec();
    }
    CloseDatabase();
    return result;
}
