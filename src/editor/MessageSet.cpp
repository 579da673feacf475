#include "editor/MessageSet.h"

#include <algorithm>
#include <cmath>

#include "editor/Formats.h"

std::uint8_t MessageSet::stepValue(std::string_view text) {
    double value = std::nearbyint(Formats::leadingNumber(text));
    // Far beyond any message number; only its low byte would travel, and a cast of it would overflow.
    if (!std::isfinite(value) || std::fabs(value) > 1e15)
        return 0;
    auto whole = static_cast<std::int64_t>(value) % 256;
    return static_cast<std::uint8_t>(whole < 0 ? whole + 256 : whole);
}

bool MessageSet::hasMessageFile() const {
    return std::any_of(WaveFile.begin() + 1, WaveFile.end(), [](const std::string& name) { return !name.empty(); });
}
