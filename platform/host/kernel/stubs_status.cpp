// Placeholders until the real implementation lands; each is removed as its
// function is implemented.
#include "platform/win32.h"

BOOL ShellExecuteExW(SHELLEXECUTEINFOW*) { return {}; }
