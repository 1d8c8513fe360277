#pragma once

#include "TestServer.h"

#include <QTest>

// Whether this run of the tests is on the shared register on the tests' server, not the file;
// FILE_ONLY skips there a case about the database file itself, with the reason.
// clang-format off
inline bool OnServer() { return TestServer::Wanted(); }
#define FILE_ONLY(reason) do { if (OnServer()) QSKIP(reason); } while (false)
// clang-format on
