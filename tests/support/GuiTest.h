#pragma once

#include "TestProgramFolder.h"

#include <QString>
#include <QTemporaryDir>

#include <memory>

// What every test of the program's windows stands on, one object per test class:
//   initTestCase()  QVERIFY(m_gui.beginRun());
//   init()          QCOMPARE(m_gui.begin(), QString());
//   cleanup()       m_gui.end();
class GuiTest
{
public:
    // The program's look, and its main window as the one way back, as the program's start-up sets
    // them; and settings of this run's own, so that the user's stay untouched and two runs side by
    // side do not share them.
    bool beginRun();
    // A fresh program folder with its database open; every box goes through the dialog hooks (the
    // timed notice's delay set to timedDelayMs, unless it is -1); and the end of the program is
    // noted (programEnded()) instead of done. The empty text on success.
    QString begin(int timedDelayMs = -1);
    // Every window goes before the database it reads; then the hooks, and the folder.
    void end();

    TestProgramFolder &folder() const { return *m_folder; }
    QString databasePath() const { return m_folder->databasePath(); }
    bool programEnded() const { return m_ended; }
    void forgetProgramEnd() { m_ended = false; }

private:
    QTemporaryDir m_settings;
    std::unique_ptr<TestProgramFolder> m_folder;
    bool m_ended = false;
};
