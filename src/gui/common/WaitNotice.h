#pragma once

// While a save waits for another program that holds the database, a small notice over the active
// window says so and the pointer shows that the program is busy; both go when the wait ends. The
// program installs it once at start.
void InstallWaitNotice();
