#pragma once

#include <functional>

// Ends the program at once: every window goes, the event loop ends, and the program's start-up
// code closes the database before the process exits.
void EndProgram();

// Deletes every window still about (their cursors with them), children before parents are safe.
void DeleteAllWindows();

namespace ProgramEndHooks {
// For tests: called instead of ending the program; an empty handler restores the real ending.
void SetHandler(std::function<void()> handler);
} // namespace ProgramEndHooks
