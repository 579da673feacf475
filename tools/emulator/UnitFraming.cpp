#include "UnitFraming.h"

#include <cstdio>

namespace {

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

}  // namespace

std::uint8_t UnitFraming::Frame::replyCommand() const {
    return isCommand && command >= 0 ? static_cast<std::uint8_t>(command) : kWrite;
}

std::string UnitFraming::Frame::kind() const {
    if (isCommand)
        return "command " + letter(command);
    return length == 0 ? "end frame" : "data " + hex6(address);
}

std::string UnitFraming::Frame::describe() const {
    if (isCommand)
        return "command " + letter(command) + (payload.empty() ? "" : " [" + hexList(payload) + "]");
    if (length == 0)
        return "end frame";
    return "data frame at " +
           hexList({static_cast<std::uint8_t>(address >> 16), static_cast<std::uint8_t>(address >> 8),
                    static_cast<std::uint8_t>(address)}) +
           ", " + std::to_string(payload.size()) + " bytes";
}

void UnitFraming::feed(const std::uint8_t* bytes, std::size_t count) {
    m_pending.insert(m_pending.end(), bytes, bytes + count);
}

std::optional<UnitFraming::Frame> UnitFraming::take() {
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
    return frame;
}

std::vector<std::uint8_t> UnitFraming::reply(std::uint8_t command, const std::vector<std::uint8_t>& payload) {
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

void UnitFraming::appendHex(std::vector<std::uint8_t>& out, std::uint8_t value) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    out.push_back(static_cast<std::uint8_t>(kDigits[value >> 4]));
    out.push_back(static_cast<std::uint8_t>(kDigits[value & 0x0F]));
}

std::string UnitFraming::hex2(int value) {
    char cell[8];
    std::snprintf(cell, sizeof cell, "%02X", value & 0xFF);
    return cell;
}

std::string UnitFraming::hex6(std::uint32_t value) {
    char cell[8];
    std::snprintf(cell, sizeof cell, "%06X", value & 0xFFFFFF);
    return cell;
}

std::string UnitFraming::hexList(const std::vector<std::uint8_t>& bytes, std::size_t limit) {
    std::string text;
    for (std::size_t i = 0; i < bytes.size() && i < limit; ++i)
        text += (i ? " " : "") + hex2(bytes[i]);
    if (bytes.size() > limit)
        text += " ...";
    return text;
}

std::string UnitFraming::letter(int command) {
    return command >= 0x20 && command < 0x7F ? std::string(1, static_cast<char>(command)) : "0x" + hex2(command);
}

std::uint32_t UnitFraming::address24(const std::uint8_t* bytes) {
    return static_cast<std::uint32_t>(bytes[0]) << 16 | static_cast<std::uint32_t>(bytes[1]) << 8 | bytes[2];
}

std::uint16_t UnitFraming::wordAt(const std::vector<std::uint8_t>& bytes, std::size_t i) {
    return static_cast<std::uint16_t>(bytes[2 * i] << 8 | bytes[2 * i + 1]);
}
