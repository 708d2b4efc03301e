// The handheld power status on the host. The program reaches it only through
// LoadLibraryW(TEXT("coredll.dll")) and GetProcAddressW, as on the device.
#pragma once

#include <string>

#include "platform/win32.h"

// Fills up to `length` bytes of the record from the host's power supplies (or
// the fake battery) and returns the bytes filled, 0 on failure. `update` is
// accepted for compatibility: every call reads afresh.
DWORD GetSystemPowerStatusEx2(PSYSTEM_POWER_STATUS_EX2 status, DWORD length, BOOL update);

namespace host {

// The power status that the supplies under `folder` (laid out like
// /sys/class/power_supply) describe. The first system battery counts;
// batteries of devices such as mice are not the machine's. No battery means
// life percent 255, flag BATTERY_FLAG_NO_BATTERY and on AC.
SYSTEM_POWER_STATUS_EX2 ReadPowerSupplies(const std::string& folder);

}  // namespace host
