#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>

/// The percentage and remaining time the clock shows during a long transfer, from the bytes done so far and
/// the seconds since it began (counted from 1). A rate of 0 keeps the previous estimate.
struct ProgressEstimate {
    std::int32_t percent = 0;
    std::int32_t remainingSeconds = 0;

    void update(std::int32_t done, std::int32_t total, std::int32_t seconds) {
        if (total <= 0)
            return;
        done = std::min(done, total);
        percent =
            static_cast<std::int32_t>(std::nearbyint(static_cast<double>(done) / static_cast<double>(total) * 100.0));
        const std::int32_t rate = done / std::max(seconds, 1);
        if (rate > 0)
            remainingSeconds = std::max(0, total / rate - seconds);
    }
};
