#include "EmulatedUnit.h"

#include <algorithm>
#include <cstdio>
#include <utility>

namespace {

constexpr std::uint8_t kStart = 0x2A;
constexpr std::uint8_t kPc = 0x64;
constexpr std::uint8_t kUnit = 0x55;
constexpr std::uint8_t kWrite = 'W';

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

std::string hexList(const std::vector<std::uint8_t>& bytes, std::size_t limit = 8) {
    std::string text;
    char cell[4];
    for (std::size_t i = 0; i < bytes.size() && i < limit; ++i) {
        std::snprintf(cell, sizeof cell, "%02X", bytes[i]);
        text += (i ? " " : "") + std::string(cell);
    }
    if (bytes.size() > limit)
        text += " ...";
    return text;
}

std::uint32_t address24(const std::vector<std::uint8_t>& bytes) {
    return static_cast<std::uint32_t>(bytes[0]) << 16 | static_cast<std::uint32_t>(bytes[1]) << 8 | bytes[2];
}

}  // namespace

/// One frame from the PC as it came off the line.
struct EmulatedUnit::Frame {
    bool isCommand = false;
    bool checksumOk = false;
    bool endOk = false;
    std::size_t length = 0;
    int receiver = -1;
    int command = -1;
    std::uint32_t address = 0;
    std::vector<std::uint8_t> payload;
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

void EmulatedUnit::note(std::string line) {
    m_log.push_back("#" + std::to_string(m_frames) + " " + line);
}

std::vector<std::uint8_t> EmulatedUnit::receive(const std::uint8_t* bytes, std::size_t count) {
    m_pending.insert(m_pending.end(), bytes, bytes + count);
    std::vector<std::uint8_t> out;
    Frame frame;
    while (takeFrame(frame)) {
        auto answered = answer(frame);
        out.insert(out.end(), answered.begin(), answered.end());
        frame = Frame{};
    }
    return out;
}

bool EmulatedUnit::takeFrame(Frame& frame) {
    std::size_t start = 0;
    while (start < m_pending.size() && m_pending[start] != kStart)
        ++start;
    m_pending.erase(m_pending.begin(), m_pending.begin() + static_cast<std::ptrdiff_t>(start));
    if (m_pending.size() < 3)
        return false;
    // A command frame's sender field is the PC's "64"; a data frame has its raw length there instead.
    frame.isCommand = m_pending[1] == '6';
    std::size_t header = frame.isCommand ? 9 : 3;
    if (m_pending.size() < header)
        return false;
    std::size_t length = frame.isCommand ? m_pending[7] * 256u + m_pending[8] : m_pending[1] * 256u + m_pending[2];
    std::size_t total = header + length + 4;
    if (m_pending.size() < total)
        return false;

    std::uint8_t sum = 0;
    for (std::size_t i = 0; i < header + length; ++i)
        sum = static_cast<std::uint8_t>(sum + m_pending[i]);
    frame.checksumOk = hexByte(&m_pending[header + length]) == sum;
    frame.endOk = m_pending[total - 2] == 13 && m_pending[total - 1] == 10;
    frame.length = length;
    if (frame.isCommand) {
        frame.receiver = hexByte(&m_pending[3]);
        frame.command = hexByte(&m_pending[5]);
        frame.payload.assign(m_pending.begin() + 9, m_pending.begin() + 9 + static_cast<std::ptrdiff_t>(length));
    } else if (length >= 3) {
        frame.address = address24({m_pending[3], m_pending[4], m_pending[5]});
        frame.payload.assign(m_pending.begin() + 6, m_pending.begin() + 3 + static_cast<std::ptrdiff_t>(length));
    }
    m_pending.erase(m_pending.begin(), m_pending.begin() + static_cast<std::ptrdiff_t>(total));
    ++m_frames;
    return true;
}

std::vector<std::uint8_t> EmulatedUnit::answer(const Frame& frame) {
    if (frame.isCommand && frame.receiver != kUnit) {
        note("frame for another unit, ignored");
        return {};
    }
    if (m_faults.silentAfter >= 0 && m_frames > m_faults.silentAfter) {
        note("silent");
        return {};
    }
    std::uint8_t replyCommand = frame.isCommand ? static_cast<std::uint8_t>(frame.command) : kWrite;
    std::vector<std::uint8_t> out;
    if (m_faults.nakFrames.count(m_frames)) {
        note("NAK by fault injection");
        out = nak(replyCommand);
    } else if (!frame.checksumOk || !frame.endOk) {
        note(frame.checksumOk ? "no CR LF: NAK" : "wrong checksum: NAK");
        out = nak(replyCommand);
    } else {
        out = frame.isCommand ? command(frame) : dataFrame(frame);
    }
    if (out.size() >= 4 && m_faults.corruptFrames.count(m_frames)) {
        // The first reply frame's checksum digit is made wrong; progress bytes after it stay as they are.
        std::size_t length = out[7] * 256u + out[8];
        std::size_t digit = 9 + length + 1;
        if (digit < out.size())
            out[digit] = out[digit] == '0' ? '1' : '0';
    }
    if (!out.empty() && m_faults.noiseBytes > 0) {
        std::vector<std::uint8_t> noise;
        for (int i = 0; i < m_faults.noiseBytes; ++i)
            noise.push_back(static_cast<std::uint8_t>(i % 2 ? 0x55 : 0xFF));
        out.insert(out.begin(), noise.begin(), noise.end());
    }
    return out;
}

std::vector<std::uint8_t> EmulatedUnit::command(const Frame& frame) {
    const auto letter = static_cast<char>(frame.command);
    const std::uint8_t code = static_cast<std::uint8_t>(frame.command);
    std::string what = std::string("command ") + (letter >= 0x20 && letter < 0x7F ? letter : '?');
    if (!frame.payload.empty())
        what += " [" + hexList(frame.payload) + "]";
    const bool hasAddress = frame.payload.size() == 3;
    std::vector<std::uint8_t> out;
    switch (letter) {
        case 'P':
        case 'L':
        case 'T':
            out = ack(code);
            break;
        case 'W':
            m_writing = true;
            m_sequence.clear();
            out = ack(code);
            break;
        case 'E':
            if (!hasAddress)
                break;
            erase(address24(frame.payload));
            out = ack(code);
            out.insert(out.end(), static_cast<std::size_t>(progressBytes), '.');
            out.push_back(6);
            break;
        case 'R': {
            if (!hasAddress)
                break;
            std::uint32_t address = address24(frame.payload);
            if (address + 64 > kWords)
                break;
            out = reply(
                code, std::vector<std::uint8_t>(m_memory.begin() + 2 * address, m_memory.begin() + 2 * (address + 64)));
            break;
        }
        case 'C': {
            if (!hasAddress)
                break;
            std::uint32_t address = address24(frame.payload);
            if (address + 64 > kWords)
                break;
            std::uint16_t sum = 0;
            for (std::uint32_t w = address; w < address + 64; ++w)
                sum = static_cast<std::uint16_t>(sum + word(w) + 1);
            out = ack(code);
            out.insert(out.end(), static_cast<std::size_t>(progressBytes), '.');
            out.push_back(6);
            appendHex(out, static_cast<std::uint8_t>(sum >> 8));
            appendHex(out, static_cast<std::uint8_t>(sum));
            break;
        }
        default:
            break;
    }
    if (out.empty()) {
        note(what + ": NAK");
        return nak(code);
    }
    ++m_commands[letter];
    note(what + ": ACK");
    return out;
}

std::vector<std::uint8_t> EmulatedUnit::dataFrame(const Frame& frame) {
    if (!m_writing) {
        note("data frame outside a write sequence: NAK");
        return nak(kWrite);
    }
    if (frame.length == 0) {
        m_writing = false;
        std::uint32_t total = 0;
        for (const auto& [address, sum] : m_sequence)
            total += sum;
        bool ok = total % 65536 == 0;
        note(std::string("end frame: ") + (ok ? "check words hold, ACK" : "check word wrong, NAK"));
        return ok ? ack(kWrite) : nak(kWrite);
    }
    if (frame.length < 3) {
        note("data frame without an address: NAK");
        return nak(kWrite);
    }
    const auto& data = frame.payload;
    std::string where =
        "data frame at " +
        hexList({static_cast<std::uint8_t>(frame.address >> 16), static_cast<std::uint8_t>(frame.address >> 8),
                 static_cast<std::uint8_t>(frame.address)}) +
        ", " + std::to_string(data.size()) + " bytes";
    std::uint32_t words = static_cast<std::uint32_t>(data.size() / 2);
    if (data.size() % 2 != 0 || frame.address + words > kWords) {
        note(where + ": outside the memory, NAK");
        return nak(kWrite);
    }
    std::uint16_t sum = 0;
    bool erased = true;
    for (std::uint32_t i = 0; i < words; ++i) {
        std::uint16_t w = static_cast<std::uint16_t>(data[2 * i] << 8 | data[2 * i + 1]);
        sum = static_cast<std::uint16_t>(sum + w + 1);
        std::uint16_t stored = word(frame.address + i);
        if (stored != 0xFFFF && stored != w)
            erased = false;
    }
    const bool table = frame.address >= kTableArea;
    if (table && (words != 64 || sum != 0)) {
        note(where + ": table check word wrong, NAK");
        return nak(kWrite);
    }
    if (!erased) {
        note(where + ": area not erased, NAK");
        return nak(kWrite);
    }
    for (std::uint32_t i = 0; i < words; ++i)
        setWord(frame.address + i, static_cast<std::uint16_t>(data[2 * i] << 8 | data[2 * i + 1]));
    if (!table)
        m_sequence[frame.address] = sum;
    note(where + ": ACK");
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
