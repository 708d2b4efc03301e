// The one header through which the core reaches the platform.
//
// On Windows it is the SDK's own <windows.h>, plus the few operations of the
// handheld platform that desktop Windows lacks. On Linux it is the host
// implementation's declarations of the same names, types and constants.
#pragma once

#ifdef _WIN32
#ifndef UNICODE
#define UNICODE
#endif
#ifndef _UNICODE
#define _UNICODE
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#include <shellapi.h>
#include <iphlpapi.h>
#include "platform/win32/ce.h"
#else
#include "platform/host/api/types.h"
#include "platform/host/api/kernel.h"
#include "platform/host/api/user.h"
#include "platform/host/api/gdi.h"
#include "platform/host/api/shell.h"
#include "platform/host/api/iphlpapi.h"
#endif
