#pragma once

#include <optional>
#include <string>

/// A port settings string such as "115200,N,8,2" taken apart: baud rate, parity letter (N, E, O, M or S, as
/// written in either case), data bits (5 to 8) and stop bits (1, 1.5 or 2).
struct SerialSettings {
    enum class StopBits { One, OneAndHalf, Two };

    int baud = 0;
    char parity = 'N';
    int dataBits = 8;
    StopBits stopBits = StopBits::One;

    /// Nothing when the string is not four such fields.
    static std::optional<SerialSettings> parse(const std::string& settings);
};
