// Successive readings of a 32-bit system counter (idle milliseconds, octets)
// against the tick count, and what the processor and network gauges make of
// the step between two readings. Counter and tick count both wrap at 2^32,
// so every difference is taken in unsigned 32-bit arithmetic.
#pragma once

#include <optional>

#include "platform/win32.h"

// How long after its first reading a counter gauge takes the second one
// that gives its first value, whatever its interval.
constexpr DWORD kSecondReadingDelay = 250;

class CounterReading {
public:
    struct Step {
        DWORD elapsed;  // milliseconds since the previous reading, never 0
        DWORD growth;   // the counter's difference, modulo 2^32
        DWORD count;    // the counter now
    };

    // The step from the previous reading to this one, which then takes its
    // place. Nothing for the first reading, and nothing for one at the same
    // tick, which is left out so that the next step spans it.
    std::optional<Step> Next(DWORD tick, DWORD count);
    // The next reading is a first one again.
    void Restart() { started_ = stepped_ = false; }
    // True once a reading gave a step.
    bool HasStepped() const { return stepped_; }

private:
    bool started_ = false;
    bool stepped_ = false;
    DWORD tick_ = 0;
    DWORD count_ = 0;
};

// The busy share of a step of the idle time, in tenths of a percent (0 to
// 1000), rounded: 1 - idle / elapsed. Idle growing faster than the clock
// (readings taken apart, a processor brought online) counts as no load.
UINT LoadPerMille(const CounterReading::Step& idle);

// Bytes per second of a step of an octet counter. A growth of 2^31 or more is
// no wrap but a counter that went down, restarted within the step (an
// interface reset): the count since that restart is what was carried.
ULONGLONG BytesPerSecond(const CounterReading::Step& octets);
