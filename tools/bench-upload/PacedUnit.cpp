#include "PacedUnit.h"

#include <algorithm>

PacedUnit::PacedUnit(int baud) : m_baud(baud) {}

PacedUnit::~PacedUnit() {
    m_stop = true;
    if (m_thread.joinable())
        m_thread.join();
}

bool PacedUnit::start() {
    if (!m_host.open())
        return false;
    m_thread = std::thread([this] {
        m_host.run(
            [this](const std::vector<std::uint8_t>& bytes, bool) {
                std::vector<std::uint8_t> reply;
                if (m_baud <= 0)
                    return m_unit.receive(bytes);
                // The bytes are on the line one after the other from when the line was last free.
                const std::int64_t perByte = 11LL * 1000000000LL / m_baud;
                // The bytes went onto the line when the PC wrote them, not when this thread got round to
                // reading them; the PC writes nothing more until it has a reply.
                std::int64_t arrival = PtyHost::nowNs();
                if (m_pcWroteNs && *m_pcWroteNs > 0)
                    arrival = std::min(arrival, m_pcWroteNs->load());
                if (m_lineFreeNs > 0 && arrival > m_lineFreeNs)
                    m_idleNs += arrival - m_lineFreeNs;
                m_lineFreeNs = std::max(m_lineFreeNs, arrival) + perByte * static_cast<std::int64_t>(bytes.size());
                PtyHost::sleepUntilNs(m_lineFreeNs);
                reply = m_unit.receive(bytes);
                if (!reply.empty()) {
                    // The reply is handed over whole when its last byte would have come off the line: the PC
                    // cannot act on it earlier.
                    m_lineFreeNs =
                        std::max(m_lineFreeNs, PtyHost::nowNs()) + perByte * static_cast<std::int64_t>(reply.size());
                    PtyHost::sleepUntilNs(m_lineFreeNs);
                    // A late wake-up of this thread is the emulator's delay, not the PC's.
                    m_lineFreeNs = PtyHost::nowNs();
                    m_lastReplyByteNs = m_lineFreeNs;
                }
                return reply;
            },
            m_stop);
    });
    return true;
}
