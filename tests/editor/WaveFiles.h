#pragma once

#include <cstdint>
#include <fstream>
#include <string>

/// Wave files for the editor tests, laid out byte by byte as the canonical 44-byte header: "RIFF", size,
/// "WAVE", "fmt " chunk of 16 bytes (format 1, channels, rate, byte rate, block align, bits), "data", size,
/// then the sound bytes.
namespace WaveFiles {

struct Format {
    std::uint16_t channels = 1;
    std::uint32_t rate = 8000;
    std::uint16_t bits = 16;
    std::uint32_t dataSize = 16000;
    /// Sound bytes written after the header; the file is 44 + this long.
    std::uint32_t soundBytes = 16000;
};

inline void put16(std::string& out, std::uint16_t v) {
    out += static_cast<char>(v & 0xFF);
    out += static_cast<char>(v >> 8);
}

inline void put32(std::string& out, std::uint32_t v) {
    put16(out, static_cast<std::uint16_t>(v & 0xFFFF));
    put16(out, static_cast<std::uint16_t>(v >> 16));
}

/// The 44 header bytes; the "data" tag stands at offset 36.
inline std::string header(const Format& f) {
    std::string out = "RIFF";
    put32(out, 36 + f.soundBytes);
    out += "WAVEfmt ";
    put32(out, 16);
    put16(out, 1);
    put16(out, f.channels);
    put32(out, f.rate);
    put32(out, f.rate * f.channels * f.bits / 8);
    put16(out, static_cast<std::uint16_t>(f.channels * f.bits / 8));
    put16(out, f.bits);
    out += "data";
    put32(out, f.dataSize);
    return out;
}

inline std::string bytes(const Format& f) {
    return header(f) + std::string(f.soundBytes, '\x01');
}

inline void write(const std::string& path, const std::string& content) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(content.data(), static_cast<std::streamsize>(content.size()));
}

/// A valid 16-bit mono file of exactly `length` bytes (at least 44) whose data chunk claims `dataSize`.
inline void writeOfLength(const std::string& path, std::uint32_t length, std::uint32_t dataSize = 16000,
                          std::uint32_t rate = 8000) {
    Format f;
    f.rate = rate;
    f.dataSize = dataSize;
    f.soundBytes = length - 44;
    write(path, bytes(f));
}

}  // namespace WaveFiles
