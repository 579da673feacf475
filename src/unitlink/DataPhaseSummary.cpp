#include "unitlink/DataPhaseSummary.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {

std::string word(std::uint32_t address) {
    char text[16];
    std::snprintf(text, sizeof text, "%02X %02X %02X", address >> 16 & 0xFF, address >> 8 & 0xFF, address & 0xFF);
    return text;
}

std::string count(std::size_t n, const char* one, const char* many) {
    return std::to_string(n) + " " + (n == 1 ? one : many);
}

}  // namespace

DataPhaseSummary::Lines DataPhaseSummary::frameSent(Line frame, std::uint32_t address) {
    if (m_waiting == Waiting::Held)
        m_held.push_back(std::move(m_pending));
    m_pending.clear();
    if (m_held.size() > kShown) {
        m_held.pop_front();
        ++m_hidden;
    }
    if (m_frames == 0) {
        m_start = frame.at;
        m_firstWord = address;
    } else if (address == m_lastWord) {
        ++m_repeats;
    }
    m_lastWord = address;
    ++m_frames;
    const bool shown = m_frames <= kShown || m_showNext;
    m_showNext = false;
    if (shown) {
        m_waiting = Waiting::Shown;
        return {std::move(frame)};
    }
    m_waiting = Waiting::Held;
    m_pending.push_back(std::move(frame));
    return {};
}

DataPhaseSummary::Lines DataPhaseSummary::replyRead(Lines reply, bool acknowledged, bool refused) {
    if (refused)
        ++m_naks;
    if (!acknowledged)
        m_showNext = true;
    const Waiting waiting = m_waiting;
    m_waiting = Waiting::None;
    if (waiting != Waiting::Held)
        return reply;
    Lines exchange = std::move(m_pending);
    m_pending.clear();
    exchange.insert(exchange.end(), reply.begin(), reply.end());
    if (acknowledged) {
        m_held.push_back(std::move(exchange));
        if (m_held.size() > kShown) {
            m_held.pop_front();
            ++m_hidden;
        }
        return {};
    }
    // In full; the acknowledged frames held before it are only counted, so that the lines keep their order.
    m_hidden += m_held.size();
    m_held.clear();
    return exchange;
}

DataPhaseSummary::Lines DataPhaseSummary::end(double at) {
    if (!active())
        return {};
    Lines lines;
    for (auto& exchange : m_held)
        lines.insert(lines.end(), exchange.begin(), exchange.end());
    lines.insert(lines.end(), m_pending.begin(), m_pending.end());
    const long long ms = std::max(0LL, std::llround((at - m_start) * 1000.0));
    char seconds[32];
    std::snprintf(seconds, sizeof seconds, "%lld.%03lld s", ms / 1000, ms % 1000);
    lines.push_back({at, "DATA",
                     count(m_frames, "frame", "frames") + " to words " + word(m_firstWord) + " to " + word(m_lastWord) +
                         " in " + seconds + ", " + count(m_naks, "NAK", "NAKs") + ", " +
                         count(m_repeats, "repeat", "repeats") + "; " +
                         count(m_hidden, "acknowledged frame", "acknowledged frames") + " not shown"});
    *this = DataPhaseSummary();
    return lines;
}
