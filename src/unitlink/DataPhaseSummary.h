#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <string>
#include <vector>

/// How the protocol trace shows the data frames of one message, which go to consecutive words between a "W"
/// and the end frame: the first and the last exchanges (frame and reply) in full, every frame the unit did not
/// acknowledge at once in full with the frame sent after it, and the rest counted in one line at the end (frames,
/// NAKs, repeats, time taken). Lines come out in the order they happened.
class DataPhaseSummary {
public:
    static constexpr std::size_t kShown = 3;

    struct Line {
        /// Seconds since midnight.
        double at = 0;
        std::string event;
        std::string text;
    };
    using Lines = std::vector<Line>;

    bool active() const { return m_frames > 0; }
    /// A data frame of a message sent to word `address`: the lines to write now.
    Lines frameSent(Line frame, std::uint32_t address);
    /// The reply to the last frame sent, as read: `acknowledged` when it was the unit's ACK and nothing else
    /// came, `refused` when it was its NAK. The lines to write now.
    Lines replyRead(Lines reply, bool acknowledged, bool refused);
    /// The data phase ends at `at`: the last exchanges, a frame whose reply did not come, then the "DATA" line
    /// that counts them all. Nothing when no data frame was sent.
    Lines end(double at);

private:
    enum class Waiting { None, Shown, Held };

    std::size_t m_frames = 0;
    std::size_t m_naks = 0;
    std::size_t m_repeats = 0;
    /// Acknowledged frames shown neither among the first nor among the last.
    std::size_t m_hidden = 0;
    std::uint32_t m_firstWord = 0;
    std::uint32_t m_lastWord = 0;
    double m_start = 0;
    /// The frame after one not acknowledged at once is shown too.
    bool m_showNext = false;
    Waiting m_waiting = Waiting::None;
    /// The frame sent whose reply is not read yet, while it is held.
    Lines m_pending;
    /// The last acknowledged exchanges, shown when the phase ends.
    std::deque<Lines> m_held;
};
