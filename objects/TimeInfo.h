// The object of a TIME section: the current time in the user's locale
// (GetTimeFormatW), redrawn every minute unless "Interval" says otherwise.
#pragma once

#include "objects/ClockText.h"

class TimeInfo : public ClockText {
public:
    TimeInfo();
};
