#include "UnitRules.h"

#include <algorithm>

namespace {

using F = UnitFraming;

constexpr std::size_t kTableBytes = 128;

/// The payload each command carries: none, or a 3-byte word address; -1 for a command the unit does not know.
int ownPayload(int command) {
    switch (command) {
        case 'P':
        case 'W':
        case 'L':
            return 0;
        case 'R':
        case 'E':
        case 'C':
        case 'T':
            return 3;
        default:
            return -1;
    }
}

}  // namespace

UnitRules::UnitRules() : m_memory(2 * kWords, 0xFF) {}

std::uint16_t UnitRules::word(std::uint32_t address) const {
    return static_cast<std::uint16_t>(m_memory[2 * address] << 8 | m_memory[2 * address + 1]);
}

void UnitRules::setWord(std::uint32_t address, std::uint16_t value) {
    m_memory[2 * address] = static_cast<std::uint8_t>(value >> 8);
    m_memory[2 * address + 1] = static_cast<std::uint8_t>(value);
}

int UnitRules::commandCount(char command) const {
    auto it = m_commands.find(command);
    return it == m_commands.end() ? 0 : it->second;
}

void UnitRules::arrived(bool whileReplying) {
    m_arrivedDuringErase = m_lastReplyErase && whileReplying;
    m_lastReplyErase = false;
}

void UnitRules::answered(const Frame& frame, bool refused) {
    // An end frame closes the write sequence whatever the verdict: the PC does not send it twice.
    if (refused && frame.wellFormed() && frame.isEndFrame())
        m_writing = false;
    // Until a frame of its kind is taken, the first one refused is the one to repeat.
    if (!refused) {
        m_refused.clear();
        m_refusedKind.clear();
    } else if (frame.wellFormed() && frame.kind() != m_refusedKind) {
        m_refused = frame.bytes;
        m_refusedKind = frame.kind();
    }
}

std::string UnitRules::check(const Frame& frame) const {
    if (m_arrivedDuringErase)
        return "arrived while the erase was still sending its progress bytes";
    if (!frame.broken.empty())
        return frame.broken;
    if (!frame.checksumOk) {
        std::uint8_t sum = 0;
        for (std::size_t i = 0; i + 4 < frame.bytes.size(); ++i)
            sum = static_cast<std::uint8_t>(sum + frame.bytes[i]);
        return "checksum " + std::string(frame.bytes.end() - 4, frame.bytes.end() - 2) + ", the bytes sum to " +
               F::hex2(sum);
    }
    if (!frame.endOk)
        return "no CR LF at the end";
    std::string reason = frame.isCommand ? checkCommand(frame) : checkData(frame);
    if (!reason.empty())
        return reason;
    if (!m_refused.empty() && frame.kind() == m_refusedKind && frame.bytes != m_refused)
        return "sent again after a NAK, but not the same bytes";
    return {};
}

std::string UnitRules::checkCommand(const Frame& frame) const {
    if (frame.sender != F::kPc)
        return "sender " + F::hex2(frame.sender) + " is not the PC (64)";
    if (frame.receiver != F::kUnit)
        return "receiver " + F::hex2(frame.receiver) + " is not this unit (55)";
    const int own = ownPayload(frame.command);
    if (own < 0)
        return "unknown command";
    if (static_cast<int>(frame.length) != own)
        return "payload length " + std::to_string(frame.length) + ", the command carries " + std::to_string(own);
    if (m_writing && (frame.command == 'W' || frame.command == 'P' || frame.command == 'L' || frame.command == 'E'))
        return "inside an open write sequence";
    if ((frame.command == 'R' || frame.command == 'C') && frame.address + 64 > kWords)
        return "64 words from " + F::hex6(frame.address) + " run past the memory";
    return {};
}

std::string UnitRules::checkData(const Frame& frame) const {
    if (!m_writing)
        return "no acknowledged W before it";
    if (frame.length == 0)
        return checkMessage();
    if (frame.length < 3)
        return "no address";
    const auto& data = frame.payload;
    if (frame.address >= kTableArea)
        return checkTable(frame);
    if (data.size() != F::kWaveBytes)
        return "a wave data frame carries 350 bytes, not " + std::to_string(data.size());
    if (frame.address != m_nextWave)
        return "the next wave data goes to " + F::hex6(m_nextWave);
    if (frame.address + kFrameWords > kTableArea)
        return "wave data reaches the table area at 3FF000";
    return checkErased(frame.address, data);
}

std::string UnitRules::checkTable(const Frame& frame) const {
    const auto& data = frame.payload;
    if (frame.address != kMsgTable && frame.address != kTrgTable)
        return "no table starts at " + F::hex6(frame.address);
    if (data.size() != kTableBytes)
        return "a table block is 128 bytes, not " + std::to_string(data.size());
    std::uint16_t sum = 0;
    for (std::size_t i = 0; i < kTableBytes / 2; ++i)
        sum = static_cast<std::uint16_t>(sum + F::wordAt(data, i));
    if (sum != 0xFFC0)
        return "the 64 words sum to " + F::hex2(sum >> 8) + F::hex2(sum) + ", not FFC0";
    if (frame.address == kMsgTable) {
        auto entry = [&](std::size_t at) -> std::int64_t {
            if (data[at] == 0xFF && data[at + 1] == 0xFF && data[at + 2] == 0xFF && data[at + 3] == 0xFF)
                return -1;
            if (data[at] != 0)
                return -2;
            return F::address24(&data[at + 1]);
        };
        const std::int64_t end = entry(48);
        if (end < 0 || end > kTableArea)
            return "the end address is malformed";
        int present = 0;
        for (std::size_t i = 0; i < 12; ++i) {
            const std::int64_t start = entry(4 * i);
            if (start == -2 || start > end)
                return "entry " + std::to_string(i + 1) + " is malformed";
            present += start >= 0;
        }
        if (data[52] != 0 || data[53] > 12 || data[53] != present)
            return "the message count " + std::to_string(data[53]) + " does not match " + std::to_string(present) +
                   " entries";
        for (std::size_t i = 54; i < 126; ++i)
            if (data[i] != 0)
                return "byte " + std::to_string(i) + " is not 0";
    } else {
        for (std::size_t t = 0; t < 12; ++t) {
            for (std::size_t k = 0; k < 5; ++k) {
                const std::uint8_t high = data[10 * t + 2 * k];
                const std::uint8_t low = data[10 * t + 2 * k + 1];
                if (high != 0 || (k < 4 && low > 12) || (k == 4 && low >= 0x40))
                    return "trigger record " + std::to_string(t + 1) + " is malformed";
            }
        }
        for (std::size_t i = 120; i < 126; ++i)
            if (data[i] != 0)
                return "byte " + std::to_string(i) + " is not 0";
    }
    return checkErased(frame.address, data);
}

std::string UnitRules::checkErased(std::uint32_t address, const std::vector<std::uint8_t>& data) const {
    for (std::uint32_t i = 0; i < data.size() / 2; ++i) {
        const std::uint16_t stored = word(address + i);
        if (stored != 0xFFFF && stored != F::wordAt(data, i))
            return "the memory there is not erased";
    }
    return {};
}

std::string UnitRules::checkMessage() const {
    if (m_nextWave == m_messageStart)
        return {};
    const std::uint32_t words = m_nextWave - m_messageStart;
    auto at = [&](std::uint32_t w) { return word(m_messageStart + w); };
    std::uint32_t sum = 0;
    for (std::uint32_t w = 0; w < words; ++w)
        sum += at(w) + 1u;
    if (sum % 65536 != 0)
        return "the message does not close with its check word";
    // The file's length is in its RIFF header; a file longer than that keeps to the sum rule alone.
    const auto byte = [&](std::uint32_t i) { return m_memory[2 * m_messageStart + i]; };
    if (words < 4 || byte(0) != 'R' || byte(1) != 'I' || byte(2) != 'F' || byte(3) != 'F')
        return {};
    const std::uint64_t length =
        8ull + (byte(4) | static_cast<std::uint32_t>(byte(5)) << 8 | static_cast<std::uint32_t>(byte(6)) << 16 |
                static_cast<std::uint32_t>(byte(7)) << 24);
    const std::uint64_t checkAt = (length + 1) / 2;
    if (checkAt >= words)
        return {};
    std::uint32_t prefix = 0;
    for (std::uint32_t w = 0; w <= checkAt; ++w)
        prefix += at(w) + 1u;
    if (prefix % 65536 != 0)
        return {};
    if (length % 2 != 0 && byte(static_cast<std::uint32_t>(length)) != 0xFF)
        return "the odd file is not padded with FF";
    for (std::uint64_t w = checkAt + 1; w < words; ++w)
        if (at(static_cast<std::uint32_t>(w)) != 0xFFFF)
            return "the fill after the check word is not FF";
    return {};
}

std::vector<std::uint8_t> UnitRules::carryOut(const Frame& frame, int progressBytes) {
    return frame.isCommand ? command(frame, progressBytes) : dataFrame(frame);
}

std::vector<std::uint8_t> UnitRules::command(const Frame& frame, int progressBytes) {
    const auto code = static_cast<std::uint8_t>(frame.command);
    std::vector<std::uint8_t> out = F::ack(code);
    switch (frame.command) {
        case 'P':
            m_nextWave = 0;
            break;
        case 'W':
            m_writing = true;
            m_messageStart = m_nextWave;
            break;
        case 'E':
            erase(frame.address);
            out.insert(out.end(), static_cast<std::size_t>(progressBytes), '.');
            out.push_back(6);
            m_lastReplyErase = true;
            break;
        case 'R':
            out = F::reply(code, std::vector<std::uint8_t>(m_memory.begin() + 2 * frame.address,
                                                           m_memory.begin() + 2 * (frame.address + 64)));
            break;
        case 'C': {
            std::uint16_t sum = 0;
            for (std::uint32_t w = frame.address; w < frame.address + 64; ++w)
                sum = static_cast<std::uint16_t>(sum + word(w) + 1);
            out.insert(out.end(), static_cast<std::size_t>(progressBytes), '.');
            out.push_back(6);
            F::appendHex(out, static_cast<std::uint8_t>(sum >> 8));
            F::appendHex(out, static_cast<std::uint8_t>(sum));
            break;
        }
        default:
            break;
    }
    ++m_commands[static_cast<char>(frame.command)];
    return out;
}

std::vector<std::uint8_t> UnitRules::dataFrame(const Frame& frame) {
    if (frame.length == 0) {
        m_writing = false;
        return F::ack(F::kWrite);
    }
    const auto& data = frame.payload;
    const auto words = static_cast<std::uint32_t>(data.size() / 2);
    for (std::uint32_t i = 0; i < words; ++i)
        setWord(frame.address + i, F::wordAt(data, i));
    if (frame.address < kTableArea)
        m_nextWave += kFrameWords;
    return F::ack(F::kWrite);
}

void UnitRules::erase(std::uint32_t address) {
    std::uint32_t from = 0;
    std::uint32_t to = 0;
    if (address >= kTableArea && address < kWords - 1) {
        from = kTableArea;
        to = kWords;
    } else {
        from = address & 0x200000;
        to = from + 0x200000;
    }
    std::fill(m_memory.begin() + 2 * from, m_memory.begin() + 2 * to, 0xFF);
}
