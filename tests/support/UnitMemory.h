#pragma once

#include <cstdint>
#include <vector>

/// Reading the emulated unit's memory dump (8 MiB, 16-bit words high byte first) as the upload leaves it.
namespace UnitMemory {

using Bytes = std::vector<std::uint8_t>;

/// A wave file as the unit stores it: the file, 0xFF pad for an odd length, and a check word making the sum
/// of (w + 1) over all words a multiple of 65536.
inline Bytes storedForm(Bytes stream) {
    if (stream.size() % 2)
        stream.push_back(0xFF);
    std::uint32_t b = 0;
    for (std::size_t i = 0; i < stream.size(); i += 2)
        b += stream[i] * 256u + stream[i + 1] + 1;
    const std::uint16_t check = static_cast<std::uint16_t>(0xFFFF - (b & 0xFFFF));
    stream.push_back(static_cast<std::uint8_t>(check >> 8));
    stream.push_back(static_cast<std::uint8_t>(check));
    return stream;
}

/// `count` bytes from word address `word`.
inline Bytes at(const Bytes& memory, std::uint32_t word, std::size_t count) {
    return Bytes(memory.begin() + 2 * word, memory.begin() + 2 * word + static_cast<std::ptrdiff_t>(count));
}

/// Message table entry `i` (1 to 12) as a word address; -1 for an empty slot (FF FF FF FF).
inline std::int64_t tableEntry(const Bytes& memory, int i) {
    Bytes e = at(memory, 0x3FF000 + 2 * static_cast<std::uint32_t>(i - 1), 4);
    if (e == Bytes(4, 0xFF))
        return -1;
    return static_cast<std::int64_t>(e[1]) << 16 | e[2] << 8 | e[3];
}

}  // namespace UnitMemory
