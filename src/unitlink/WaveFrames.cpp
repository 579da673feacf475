#include "unitlink/WaveFrames.h"

WaveFrames::Frame WaveFrames::next() {
    m_savedP = m_p;
    m_savedB = m_b;
    Frame frame;
    int at = 0;
    for (int word = 0; word < kFrameBytes / 2; ++word) {
        std::uint32_t first = 0;
        std::uint32_t second = 0;
        if (m_p <= length()) {
            first = byteAt(m_p);
            frame[at++] = static_cast<std::uint8_t>(first);
        } else if (m_placed != 0) {
            first = 0xFF;
            frame[at++] = 0xFF;
        } else {
            // The check word fills this whole word and counts for nothing in B.
            m_b = static_cast<std::uint16_t>(0xFFFF - m_b);
            frame[at++] = static_cast<std::uint8_t>(m_b >> 8);
            frame[at++] = static_cast<std::uint8_t>(m_b);
            m_placed = 1;
        }
        if (m_p + 1 <= length()) {
            second = byteAt(m_p + 1);
            frame[at++] = static_cast<std::uint8_t>(second);
        } else if (m_placed == 1) {
            m_placed = 2;
        } else {
            second = 0xFF;
            frame[at++] = 0xFF;
        }
        m_b = static_cast<std::uint16_t>(m_b + first * 256 + second + 1);
        m_p += 2;
    }
    return frame;
}

void WaveFrames::repeat() {
    m_p = m_savedP;
    m_b = m_savedB;
    m_placed = 0;
}

std::vector<WaveFrames::Frame> WaveFrames::all(std::vector<std::uint8_t> file) {
    WaveFrames frames(std::move(file));
    std::vector<Frame> out;
    while (!frames.placed())
        out.push_back(frames.next());
    return out;
}
