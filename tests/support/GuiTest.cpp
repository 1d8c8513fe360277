#include "GuiTest.h"

#include "app/Frm1.h"
#include "common/Dialogs.h"
#include "common/ProgramEnd.h"
#include "common/ProgramLook.h"

#include <QApplication>
#include <QSettings>
#include <QStandardPaths>

bool GuiTest::beginRun()
{
    QStandardPaths::setTestModeEnabled(true);
    if (!m_settings.isValid())
        return false;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_settings.path());
    ApplyProgramLook(*qApp);
    Frm1::RegisterAsMainWindow();
    return true;
}

QString GuiTest::begin(int timedDelayMs)
{
    m_folder = std::make_unique<TestProgramFolder>();
    if (!m_folder->isValid())
        return QStringLiteral("the program folder could not be made");
    const QString failure = m_folder->openDatabase();
    if (!failure.isEmpty())
        return failure;
    DialogHooks::Enable();
    if (timedDelayMs >= 0)
        DialogHooks::SetTimedDelay(timedDelayMs);
    m_ended = false;
    ProgramEndHooks::SetHandler([this] { m_ended = true; });
    return QString();
}

void GuiTest::end()
{
    ProgramEndHooks::SetHandler({});
    DialogHooks::Disable();
    DeleteAllWindows();
    m_folder.reset();
}
