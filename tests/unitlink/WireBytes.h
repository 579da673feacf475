#pragma once

#include <cstdint>
#include <vector>

/// Frames of the link written from its rules, for comparing what the program sends byte for byte.
namespace WireBytes {

using Bytes = std::vector<std::uint8_t>;

/// Appends the checksum (the sum of every byte so far, modulo 256, as two uppercase hex digits) and CR LF.
inline Bytes closed(Bytes frame) {
    std::uint8_t sum = 0;
    for (std::uint8_t b : frame)
        sum = static_cast<std::uint8_t>(sum + b);
    const char* hex = "0123456789ABCDEF";
    frame.insert(frame.end(),
                 {static_cast<std::uint8_t>(hex[sum >> 4]), static_cast<std::uint8_t>(hex[sum & 15]), 13, 10});
    return frame;
}

/// "*", length, the three address bytes, data, checksum, CR LF.
inline Bytes dataFrame(std::uint32_t address, const Bytes& data) {
    Bytes f = {0x2A,
               static_cast<std::uint8_t>((data.size() + 3) >> 8),
               static_cast<std::uint8_t>(data.size() + 3),
               static_cast<std::uint8_t>(address >> 16),
               static_cast<std::uint8_t>(address >> 8),
               static_cast<std::uint8_t>(address)};
    f.insert(f.end(), data.begin(), data.end());
    return closed(f);
}

// "W" from the PC to the unit: "*", "64", "55", "57", 00 00, checksum "6A", CR LF.
inline const Bytes kWToUnit = {0x2A, 0x36, 0x34, 0x35, 0x35, 0x35, 0x37, 0x00, 0x00, 0x36, 0x41, 0x0D, 0x0A};
inline const Bytes kEndFrame = {0x2A, 0x00, 0x00, 0x32, 0x41, 0x0D, 0x0A};

}  // namespace WireBytes
