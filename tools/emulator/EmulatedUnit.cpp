#include "EmulatedUnit.h"

#include <algorithm>
#include <cstdio>
#include <utility>

namespace {

constexpr std::uint8_t kStart = 0x2A;
constexpr std::uint8_t kPc = 0x64;
constexpr std::uint8_t kUnit = 0x55;
constexpr std::uint8_t kWrite = 'W';
constexpr std::size_t kMaxPayload = 1200;
constexpr std::size_t kWaveBytes = 2 * EmulatedUnit::kFrameWords;
constexpr std::size_t kTableBytes = 128;

int hexValue(std::uint8_t c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

int hexByte(const std::uint8_t* two) {
    int high = hexValue(two[0]);
    int low = hexValue(two[1]);
    return high < 0 || low < 0 ? -1 : high * 16 + low;
}

void appendHex(std::vector<std::uint8_t>& out, std::uint8_t value) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    out.push_back(static_cast<std::uint8_t>(kDigits[value >> 4]));
    out.push_back(static_cast<std::uint8_t>(kDigits[value & 0x0F]));
}

std::string hex2(int value) {
    char cell[8];
    std::snprintf(cell, sizeof cell, "%02X", value & 0xFF);
    return cell;
}

std::string hex6(std::uint32_t value) {
    char cell[8];
    std::snprintf(cell, sizeof cell, "%06X", value & 0xFFFFFF);
    return cell;
}

std::string hexList(const std::vector<std::uint8_t>& bytes, std::size_t limit = 8) {
    std::string text;
    for (std::size_t i = 0; i < bytes.size() && i < limit; ++i)
        text += (i ? " " : "") + hex2(bytes[i]);
    if (bytes.size() > limit)
        text += " ...";
    return text;
}

std::uint32_t address24(const std::uint8_t* bytes) {
    return static_cast<std::uint32_t>(bytes[0]) << 16 | static_cast<std::uint32_t>(bytes[1]) << 8 | bytes[2];
}

std::uint16_t wordAt(const std::vector<std::uint8_t>& bytes, std::size_t i) {
    return static_cast<std::uint16_t>(bytes[2 * i] << 8 | bytes[2 * i + 1]);
}

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

std::string letter(int command) {
    return command >= 0x20 && command < 0x7F ? std::string(1, static_cast<char>(command)) : "0x" + hex2(command);
}

}  // namespace

const char* const EmulatedUnit::kChecks =
    "Every frame is checked; one that fails a check is answered with NAK, changes nothing, and its log line\n"
    "gives the reason:\n"
    "  - a frame whose checksum is wrong, or that does not end with CR LF;\n"
    "  - a command frame whose sender is not the PC (64) or whose receiver is not the unit (55), whose\n"
    "    command is unknown, or whose payload length is not its command's (0 for P, W and L; 3, a word\n"
    "    address, for R, E, C and T); R and C must address 64 words inside the memory;\n"
    "  - W, P, L or E while a write sequence is open (after an acknowledged W, until the end frame);\n"
    "  - a data frame without an acknowledged W before it;\n"
    "  - a wave data frame that does not carry exactly 350 data bytes, that is not at the next word address\n"
    "    (0 after P, going on from the previous message, the same address again after a NAK), that reaches\n"
    "    0x3FF000, or that would overwrite memory that is not erased;\n"
    "  - a table frame that is not 128 bytes at 0x3FF000 or 0x3FF100, whose 64 words do not sum to 0xFFC0,\n"
    "    or whose entries are malformed (message table: 12 entries of 00 and an address below 0x3FF000 or\n"
    "    FF FF FF FF, the end address in the same form, 00, a count of at most 12 matching the entries,\n"
    "    zeros; trigger table: 12 records of four pairs 00 and a message number up to 12 and a pair 00 and\n"
    "    a zone byte below 0x40, then zeros), or that would overwrite memory that is not erased;\n"
    "  - an end frame whose message does not close with its check word (the sum of (w + 1) over its words\n"
    "    is not a multiple of 65536); where the message's RIFF header gives the file's length and the check\n"
    "    word stands right after it, also an odd file not padded with FF or a fill that is not FF;\n"
    "  - a frame sent again after a NAK (the same command, or data to the same address) that is not\n"
    "    byte for byte the frame refused;\n"
    "  - anything that arrives while an erase is still sending its progress bytes (paced line only).\n"
    "Bytes outside frames are skipped, as line noise.\n";

/// One frame from the PC as it came off the line.
struct EmulatedUnit::Frame {
    std::vector<std::uint8_t> bytes;
    bool isCommand = false;
    bool checksumOk = false;
    bool endOk = false;
    std::size_t length = 0;
    int sender = -1;
    int receiver = -1;
    int command = -1;
    std::uint32_t address = 0;
    std::vector<std::uint8_t> payload;
    /// Refused as it came off the line (a length no frame can have); the rest of its bytes are skipped.
    std::string broken;

    /// Frames of one kind are repeats of each other: the same command, or data to the same address.
    std::string kind() const {
        if (isCommand)
            return "command " + letter(command);
        return length == 0 ? "end frame" : "data " + hex6(address);
    }
    std::string describe() const {
        if (isCommand)
            return "command " + letter(command) + (payload.empty() ? "" : " [" + hexList(payload) + "]");
        if (length == 0)
            return "end frame";
        return "data frame at " +
               hexList({static_cast<std::uint8_t>(address >> 16), static_cast<std::uint8_t>(address >> 8),
                        static_cast<std::uint8_t>(address)}) +
               ", " + std::to_string(payload.size()) + " bytes";
    }
};

EmulatedUnit::EmulatedUnit(UnitFaults faults) : m_faults(std::move(faults)), m_memory(2 * kWords, 0xFF) {}

std::uint16_t EmulatedUnit::word(std::uint32_t address) const {
    return static_cast<std::uint16_t>(m_memory[2 * address] << 8 | m_memory[2 * address + 1]);
}

void EmulatedUnit::setWord(std::uint32_t address, std::uint16_t value) {
    m_memory[2 * address] = static_cast<std::uint8_t>(value >> 8);
    m_memory[2 * address + 1] = static_cast<std::uint8_t>(value);
}

int EmulatedUnit::commandCount(char command) const {
    auto it = m_commands.find(command);
    return it == m_commands.end() ? 0 : it->second;
}

void EmulatedUnit::note(const std::string& line) {
    m_log.push_back("#" + std::to_string(m_frames) + " " + line);
}

std::vector<std::uint8_t> EmulatedUnit::receive(const std::uint8_t* bytes, std::size_t count, bool whileReplying) {
    m_pending.insert(m_pending.end(), bytes, bytes + count);
    std::vector<std::uint8_t> out;
    while (auto frame = takeFrame()) {
        auto answered = answer(*frame, whileReplying);
        out.insert(out.end(), answered.begin(), answered.end());
    }
    return out;
}

std::optional<EmulatedUnit::Frame> EmulatedUnit::takeFrame() {
    std::size_t start = 0;
    while (start < m_pending.size() && m_pending[start] != kStart)
        ++start;
    m_pending.erase(m_pending.begin(), m_pending.begin() + static_cast<std::ptrdiff_t>(start));
    if (m_pending.size() < 3)
        return std::nullopt;
    Frame frame;
    // A command frame's sender field is two hex digits; a data frame has its raw length there instead, whose
    // high byte is 0 or 1 for every frame the protocol has.
    frame.isCommand = hexValue(m_pending[1]) >= 0;
    const std::size_t header = frame.isCommand ? 9 : 3;
    if (m_pending.size() < header)
        return std::nullopt;
    const std::size_t length =
        frame.isCommand ? m_pending[7] * 256u + m_pending[8] : m_pending[1] * 256u + m_pending[2];
    frame.length = length;
    if (frame.isCommand) {
        frame.sender = hexByte(&m_pending[1]);
        frame.receiver = hexByte(&m_pending[3]);
        frame.command = hexByte(&m_pending[5]);
    }
    if (length > kMaxPayload || (!frame.isCommand && length > 3 + kWaveBytes)) {
        // No frame is that long: waiting for its end would swallow the frames that follow.
        frame.broken = "length " + std::to_string(length) + " is more than any frame carries";
        frame.bytes.assign(m_pending.begin(), m_pending.begin() + static_cast<std::ptrdiff_t>(header));
        m_pending.erase(m_pending.begin());
        ++m_frames;
        return frame;
    }
    const std::size_t total = header + length + 4;
    if (m_pending.size() < total)
        return std::nullopt;

    std::uint8_t sum = 0;
    for (std::size_t i = 0; i < header + length; ++i)
        sum = static_cast<std::uint8_t>(sum + m_pending[i]);
    frame.checksumOk = hexByte(&m_pending[header + length]) == sum;
    frame.endOk = m_pending[total - 2] == 13 && m_pending[total - 1] == 10;
    if (frame.isCommand) {
        frame.payload.assign(m_pending.begin() + 9, m_pending.begin() + 9 + static_cast<std::ptrdiff_t>(length));
        if (length == 3)
            frame.address = address24(frame.payload.data());
    } else if (length >= 3) {
        frame.address = address24(&m_pending[3]);
        frame.payload.assign(m_pending.begin() + 6, m_pending.begin() + 3 + static_cast<std::ptrdiff_t>(length));
    }
    frame.bytes.assign(m_pending.begin(), m_pending.begin() + static_cast<std::ptrdiff_t>(total));
    m_pending.erase(m_pending.begin(), m_pending.begin() + static_cast<std::ptrdiff_t>(total));
    ++m_frames;
    return frame;
}

std::vector<std::uint8_t> EmulatedUnit::answer(const Frame& frame, bool whileReplying) {
    const bool wasErasing = m_lastReplyErase && whileReplying;
    m_lastReplyErase = false;
    if (m_faults.silentAfter >= 0 && m_frames > m_faults.silentAfter) {
        note(frame.describe() + ": silent (injected fault)");
        return {};
    }
    const std::uint8_t replyCommand =
        frame.isCommand && frame.command >= 0 ? static_cast<std::uint8_t>(frame.command) : kWrite;
    std::string reason = wasErasing ? "arrived while the erase was still sending its progress bytes" : frame.broken;
    if (reason.empty())
        reason = check(frame);
    const bool wellFormed = frame.broken.empty() && frame.checksumOk && frame.endOk;
    std::vector<std::uint8_t> out;
    bool refused = true;
    if (!reason.empty()) {
        ++m_refusals;
        note(frame.describe() + ": " + reason + ": NAK");
    } else if (m_faults.nakFrames.count(m_frames)) {
        note(frame.describe() + ": NAK (injected fault)");
    } else if (frame.isCommand && m_faults.nakCommands.count(static_cast<char>(frame.command)) &&
               m_nakedCommands.insert(static_cast<char>(frame.command)).second) {
        note(frame.describe() + ": NAK (injected fault, first " + letter(frame.command) + ")");
    } else {
        refused = false;
        out = carryOut(frame);
    }
    if (refused) {
        out = nak(replyCommand);
        // An end frame closes the write sequence whatever the verdict: the PC does not send it twice.
        if (wellFormed && !frame.isCommand && frame.length == 0)
            m_writing = false;
    }
    // Until a frame of its kind is taken, the first one refused is the one to repeat.
    if (!refused) {
        m_refused.clear();
        m_refusedKind.clear();
    } else if (wellFormed && frame.kind() != m_refusedKind) {
        m_refused = frame.bytes;
        m_refusedKind = frame.kind();
    }
    disturb(out);
    return out;
}

void EmulatedUnit::disturb(std::vector<std::uint8_t>& out) {
    if (out.size() >= 14 && m_faults.corruptFrames.count(m_frames)) {
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
        before.push_back(b == kStart ? 0x00 : b);
    }
    if (!out.empty())
        out.insert(out.begin(), before.begin(), before.end());
}

std::string EmulatedUnit::check(const Frame& frame) const {
    if (!frame.checksumOk) {
        std::uint8_t sum = 0;
        for (std::size_t i = 0; i + 4 < frame.bytes.size(); ++i)
            sum = static_cast<std::uint8_t>(sum + frame.bytes[i]);
        return "checksum " + std::string(frame.bytes.end() - 4, frame.bytes.end() - 2) + ", the bytes sum to " +
               hex2(sum);
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

std::string EmulatedUnit::checkCommand(const Frame& frame) const {
    if (frame.sender != kPc)
        return "sender " + hex2(frame.sender) + " is not the PC (64)";
    if (frame.receiver != kUnit)
        return "receiver " + hex2(frame.receiver) + " is not this unit (55)";
    const int own = ownPayload(frame.command);
    if (own < 0)
        return "unknown command";
    if (static_cast<int>(frame.length) != own)
        return "payload length " + std::to_string(frame.length) + ", the command carries " + std::to_string(own);
    if (m_writing && (frame.command == 'W' || frame.command == 'P' || frame.command == 'L' || frame.command == 'E'))
        return "inside an open write sequence";
    if ((frame.command == 'R' || frame.command == 'C') && frame.address + 64 > kWords)
        return "64 words from " + hex6(frame.address) + " run past the memory";
    return {};
}

std::string EmulatedUnit::checkData(const Frame& frame) const {
    if (!m_writing)
        return "no acknowledged W before it";
    if (frame.length == 0)
        return checkMessage();
    if (frame.length < 3)
        return "no address";
    const auto& data = frame.payload;
    if (frame.address >= kTableArea)
        return checkTable(frame);
    if (data.size() != kWaveBytes)
        return "a wave data frame carries 350 bytes, not " + std::to_string(data.size());
    if (frame.address != m_nextWave)
        return "the next wave data goes to " + hex6(m_nextWave);
    if (frame.address + kFrameWords > kTableArea)
        return "wave data reaches the table area at 3FF000";
    return checkErased(frame.address, data);
}

std::string EmulatedUnit::checkTable(const Frame& frame) const {
    const auto& data = frame.payload;
    if (frame.address != kMsgTable && frame.address != kTrgTable)
        return "no table starts at " + hex6(frame.address);
    if (data.size() != kTableBytes)
        return "a table block is 128 bytes, not " + std::to_string(data.size());
    std::uint16_t sum = 0;
    for (std::size_t i = 0; i < kTableBytes / 2; ++i)
        sum = static_cast<std::uint16_t>(sum + wordAt(data, i));
    if (sum != 0xFFC0)
        return "the 64 words sum to " + hex2(sum >> 8) + hex2(sum) + ", not FFC0";
    if (frame.address == kMsgTable) {
        auto entry = [&](std::size_t at) -> std::int64_t {
            if (data[at] == 0xFF && data[at + 1] == 0xFF && data[at + 2] == 0xFF && data[at + 3] == 0xFF)
                return -1;
            if (data[at] != 0)
                return -2;
            return address24(&data[at + 1]);
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

std::string EmulatedUnit::checkErased(std::uint32_t address, const std::vector<std::uint8_t>& data) const {
    for (std::uint32_t i = 0; i < data.size() / 2; ++i) {
        const std::uint16_t stored = word(address + i);
        if (stored != 0xFFFF && stored != wordAt(data, i))
            return "the memory there is not erased";
    }
    return {};
}

std::string EmulatedUnit::checkMessage() const {
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

std::vector<std::uint8_t> EmulatedUnit::carryOut(const Frame& frame) {
    return frame.isCommand ? command(frame) : dataFrame(frame);
}

std::vector<std::uint8_t> EmulatedUnit::command(const Frame& frame) {
    const auto code = static_cast<std::uint8_t>(frame.command);
    std::vector<std::uint8_t> out = ack(code);
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
            out = reply(code, std::vector<std::uint8_t>(m_memory.begin() + 2 * frame.address,
                                                        m_memory.begin() + 2 * (frame.address + 64)));
            break;
        case 'C': {
            std::uint16_t sum = 0;
            for (std::uint32_t w = frame.address; w < frame.address + 64; ++w)
                sum = static_cast<std::uint16_t>(sum + word(w) + 1);
            out.insert(out.end(), static_cast<std::size_t>(progressBytes), '.');
            out.push_back(6);
            appendHex(out, static_cast<std::uint8_t>(sum >> 8));
            appendHex(out, static_cast<std::uint8_t>(sum));
            break;
        }
        default:
            break;
    }
    ++m_commands[static_cast<char>(frame.command)];
    note(frame.describe() + ": ACK");
    return out;
}

std::vector<std::uint8_t> EmulatedUnit::dataFrame(const Frame& frame) {
    if (frame.length == 0) {
        m_writing = false;
        note("end frame: ACK");
        return ack(kWrite);
    }
    const auto& data = frame.payload;
    const auto words = static_cast<std::uint32_t>(data.size() / 2);
    for (std::uint32_t i = 0; i < words; ++i)
        setWord(frame.address + i, wordAt(data, i));
    if (frame.address < kTableArea)
        m_nextWave += kFrameWords;
    note(frame.describe() + ": ACK");
    return ack(kWrite);
}

std::vector<std::uint8_t> EmulatedUnit::reply(std::uint8_t command, const std::vector<std::uint8_t>& payload) const {
    std::vector<std::uint8_t> out{kStart};
    appendHex(out, kUnit);
    appendHex(out, kPc);
    appendHex(out, command);
    out.push_back(static_cast<std::uint8_t>(payload.size() >> 8));
    out.push_back(static_cast<std::uint8_t>(payload.size()));
    out.insert(out.end(), payload.begin(), payload.end());
    std::uint8_t sum = 0;
    for (std::uint8_t b : out)
        sum = static_cast<std::uint8_t>(sum + b);
    appendHex(out, sum);
    out.push_back(13);
    out.push_back(10);
    return out;
}

void EmulatedUnit::erase(std::uint32_t address) {
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
