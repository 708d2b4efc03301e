// What the GDI tests take from the host, on Windows: the process's GDI
// object count, and a temporary folder maker for the test file helpers.
#include <cstdio>
#include <cstdlib>
#include <direct.h>
#include <io.h>

#include "platform/host/testing.h"

int host::testing::LiveGdiObjects() { return static_cast<int>(GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS)); }

extern "C" char* mkdtemp(char* pattern)
{
    if (_mktemp_s(pattern, std::strlen(pattern) + 1) != 0 || _mkdir(pattern) != 0) return nullptr;
    return pattern;
}
