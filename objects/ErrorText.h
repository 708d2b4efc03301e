// What an object shows when its reading failed or its program could not
// run: 'Fehler: "<name>"'.
#pragma once

#include <string>

#include "platform/win32.h"

std::basic_string<WCHAR> ErrorText(const WCHAR* name, UINT length);
