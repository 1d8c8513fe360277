#pragma once

#include <functional>

class QWidget;

// The one way back to the main window. Only the program's own start-up knows the main window: it
// says once, at start, how a new one is made, and every window that hands control back to it
// calls ShowMainWindow(). Returns the new window; nullptr (and a warning) if none was registered.
void SetMainWindowMaker(std::function<QWidget *()> maker);
QWidget *ShowMainWindow();

// Ends the program at once: every window goes, the event loop ends, and the program's start-up
// code closes the database before the process exits.
void EndProgram();

// Deletes every window still about (their cursors with them), children before parents are safe.
void DeleteAllWindows();

namespace ProgramEndHooks {
// For tests: called instead of ending the program; an empty handler restores the real ending.
void SetHandler(std::function<void()> handler);
} // namespace ProgramEndHooks
