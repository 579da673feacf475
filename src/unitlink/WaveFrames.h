#pragma once

#include <array>
#include <cstdint>
#include <vector>

/// Cuts one message's wave file into the data of its 350-byte frames: the file as it lies on disk, one 0xFF
/// pad byte when its length is odd, the check word 0xFFFF - B (B the sum of w + 1 over all words before it),
/// then 0xFF up to the end of the frame. The state can be put back to the start of a frame, so a rejected
/// frame goes out again unchanged.
class WaveFrames {
public:
    static constexpr int kFrameBytes = 350;
    using Frame = std::array<std::uint8_t, kFrameBytes>;

    explicit WaveFrames(std::vector<std::uint8_t> file) : m_file(std::move(file)) {}

    /// The next frame's data. Remembers the state before it for `repeat`.
    Frame next();
    /// Back to the state before the last `next`: the same frame comes again.
    void repeat();
    /// Stops the file here: the next frame carries the check word and the fill. B is kept as it stands.
    void endEarly() { m_p = length() + 1; }
    /// The check word has gone out in a frame; no frame follows.
    bool placed() const { return m_placed != 0; }

    /// Every frame of a file sent without a rejection.
    static std::vector<Frame> all(std::vector<std::uint8_t> file);

private:
    std::int64_t length() const { return static_cast<std::int64_t>(m_file.size()); }
    std::uint8_t byteAt(std::int64_t p) const { return m_file[static_cast<std::size_t>(p - 1)]; }

    std::vector<std::uint8_t> m_file;
    /// 1-based position of the next file byte.
    std::int64_t m_p = 1;
    std::uint16_t m_b = 0;
    /// 0 the check word is not yet written, 1 it has just been written as a word's first half, 2 it is written.
    int m_placed = 0;
    std::int64_t m_savedP = 1;
    std::uint16_t m_savedB = 0;
};
