#pragma once

#include <cstdint>
#include <vector>

/// Reading the emulated unit's memory dump (8 MiB, 16-bit words high byte first) as the upload leaves it.
namespace UnitMemory {

using Bytes = std::vector<std::uint8_t>;

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
