#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

/// The sound of a WAVE file as a player hands it to the system's output: the fields of its format chunk and the
/// bytes of its data chunk.
struct PlayableSound {
    std::uint16_t formatTag = 0;
    std::uint16_t channels = 0;
    std::uint32_t rate = 0;
    std::uint32_t byteRate = 0;
    std::uint16_t blockAlign = 0;
    std::uint16_t bits = 0;
    std::vector<std::uint8_t> bytes;

    /// The file's chunks walked from its header: the first "fmt " and the first "data" after it. A data chunk
    /// whose size runs past the end (left by a writer that streamed the file) gives the bytes there are. None
    /// when the file cannot be read, is no RIFF WAVE file or lacks either chunk.
    static std::optional<PlayableSound> read(const std::string& path);
};
