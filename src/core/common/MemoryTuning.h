#pragma once

// Every query of Qt's SQLite driver sets up a value cache of 128 rows (about 230 KB for the
// answers table). With glibc's defaults that block is handed back to the system after each
// query and faulted in again on the next, which made saving into a large register markedly
// slower than into a small one. Called once at start-up; does nothing on other C libraries.
void TuneMemoryAllocator();
