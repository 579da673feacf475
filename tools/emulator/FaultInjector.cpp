#include "FaultInjector.h"

#include "UnitRules.h"

bool FaultInjector::silent(int number) const {
    return m_faults.silentAfter >= 0 && number > m_faults.silentAfter;
}

std::string FaultInjector::refusal(const UnitFraming::Frame& frame, int number) {
    if (m_faults.nakFrames.count(number))
        return "NAK (injected fault)";
    if (frame.isCommand && m_faults.nakCommands.count(static_cast<char>(frame.command)) &&
        m_nakedCommands.insert(static_cast<char>(frame.command)).second)
        return "NAK (injected fault, first " + UnitFraming::letter(frame.command) + ")";
    if (m_faults.refuseDataReads && frame.isCommand && frame.command == 'R' && frame.address < UnitRules::kTableArea)
        return "NAK (injected fault, no reads below the tables)";
    return {};
}

void FaultInjector::disturb(std::vector<std::uint8_t>& out, int number) {
    if (out.size() >= 14 && m_faults.corruptFrames.count(number)) {
        // The reply frame's checksum digit is made wrong; progress bytes after it stay as they are.
        std::size_t length = out[7] * 256u + out[8];
        std::size_t digit = 9 + length + 1;
        if (digit < out.size())
            out[digit] = out[digit] == '0' ? '1' : '0';
    }
    std::vector<std::uint8_t> before;
    for (int i = 0; i < m_faults.noiseBytes; ++i)
        before.push_back(static_cast<std::uint8_t>(i % 2 ? 0x55 : 0xFF));
    for (int i = 0; i < m_faults.garbageBytes; ++i) {
        m_garbageSeed = m_garbageSeed * 1103515245u + 12345u;
        auto b = static_cast<std::uint8_t>(m_garbageSeed >> 16);
        before.push_back(b == UnitFraming::kStart ? 0x00 : b);
    }
    if (!out.empty())
        out.insert(out.begin(), before.begin(), before.end());
}
