#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

class IByteSource;

/// Reads an 8-bit text file one line at a time, holding no more than one line and one block of the file, so
/// that a reader can stop as soon as the file cannot be valid. CR LF, a CR alone and an LF alone each end a
/// line; text after the last line end is a line of its own.
class TextLineReader {
public:
    /// A line longer than `maxLength` bytes ends the reading: no file of its kind has one.
    TextLineReader(IByteSource& source, std::size_t maxLength);

    /// The next line without its end; nothing at the end of the file or after a line that is too long.
    std::optional<std::string> next();
    /// The reading stopped at a line longer than the most allowed.
    bool tooLong() const { return m_tooLong; }
    /// Every byte of the file was read: false when reading failed before the end.
    bool complete() const { return m_eof && m_total >= m_size; }

private:
    bool fill();

    IByteSource& m_source;
    std::size_t m_maxLength;
    std::uint64_t m_size;
    std::vector<std::uint8_t> m_buffer;
    std::size_t m_pos = 0;
    std::size_t m_end = 0;
    std::uint64_t m_total = 0;
    bool m_eof = false;
    bool m_tooLong = false;
};
