#include "objects/TimeInfo.h"

TimeInfo::TimeInfo() : ClockText(GetTimeFormatW, 60000, TEXT("TimeInfo - Ignoriere Fehler:")) {}
