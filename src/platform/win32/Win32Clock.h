#pragma once

#include "platform/IClock.h"

/// The system's steady tick count and local time.
class Win32Clock : public IClock {
public:
    std::int64_t steadyMs() const override;
    double secondsOfDay() const override;
};
