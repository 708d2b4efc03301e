// Forced into every file of the Windows build of the GDI tests: what the
// shared test helpers take from POSIX.
#pragma once
#include <cstring>
extern "C" char* mkdtemp(char* pattern);
