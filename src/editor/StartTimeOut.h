#pragma once

#include <cstdint>

/// The per-byte read time-out of the serial link at start, in milliseconds. A time-out of 0 or less, from
/// the settings file or anywhere else, takes this value too: it would otherwise wait for ever.
inline constexpr std::int16_t kStartTimeOut = 5000;
