// The object of a DATE section: the current date in the user's locale
// (GetDateFormatW), redrawn every ten minutes unless "Interval" says otherwise.
#pragma once

#include "objects/ClockText.h"

class DateInfo : public ClockText {
public:
    DateInfo();
};
