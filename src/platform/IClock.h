#pragma once

#include <cstdint>

/// Time as the program reads it.
class IClock {
public:
    virtual ~IClock() = default;
    /// Milliseconds of a steady clock, for intervals.
    virtual std::int64_t steadyMs() const = 0;
    /// Seconds since midnight of the local wall clock, as the connected-time display counts.
    virtual double secondsOfDay() const = 0;
};
