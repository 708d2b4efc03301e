#include "objects/DateInfo.h"

DateInfo::DateInfo() : ClockText(GetDateFormatW, 600000, TEXT("DateInfo - Ignoriere Fehler:")) {}
