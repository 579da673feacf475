#include "unitlink/FrameCodec.h"

#include <algorithm>

namespace {

void appendHex(FrameCodec::Bytes& out, std::uint8_t value) {
    out.push_back(FrameCodec::hexDigit(value >> 4));
    out.push_back(FrameCodec::hexDigit(value));
}

void appendLength(FrameCodec::Bytes& out, std::size_t length) {
    out.push_back(static_cast<std::uint8_t>(length >> 8));
    out.push_back(static_cast<std::uint8_t>(length));
}

/// The checksum of everything so far, then CR LF.
void close(FrameCodec::Bytes& out) {
    appendHex(out, FrameCodec::checksum(out.data(), out.size()));
    out.push_back(FrameCodec::kCr);
    out.push_back(FrameCodec::kLf);
}

}  // namespace

FrameCodec::Bytes FrameCodec::commandFrame(std::uint8_t sender, std::uint8_t receiver, std::uint8_t command,
                                           const std::uint8_t* payload, std::size_t count) {
    Bytes out{kStart};
    out.reserve(kCommandHeader + count + kTrailer);
    appendHex(out, sender);
    appendHex(out, receiver);
    appendHex(out, command);
    appendLength(out, count);
    out.insert(out.end(), payload, payload + count);
    close(out);
    return out;
}

FrameCodec::Bytes FrameCodec::dataFrame(std::uint32_t address, const std::uint8_t* data, std::size_t count) {
    Bytes out{kStart};
    out.reserve(kDataHeader + 3 + count + kTrailer);
    appendLength(out, 3 + count);
    out.push_back(static_cast<std::uint8_t>(address >> 16));
    out.push_back(static_cast<std::uint8_t>(address >> 8));
    out.push_back(static_cast<std::uint8_t>(address));
    out.insert(out.end(), data, data + count);
    close(out);
    return out;
}

FrameCodec::Bytes FrameCodec::endFrame() {
    Bytes out{kStart};
    appendLength(out, 0);
    close(out);
    return out;
}

std::uint8_t FrameCodec::checksum(const std::uint8_t* bytes, std::size_t count) {
    std::uint8_t sum = 0;
    for (std::size_t i = 0; i < count; ++i)
        sum = static_cast<std::uint8_t>(sum + bytes[i]);
    return sum;
}

std::uint8_t FrameCodec::hexDigit(std::uint8_t nibble) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    return static_cast<std::uint8_t>(kDigits[nibble & 0x0F]);
}

bool FrameCodec::isHexDigit(std::uint8_t c) {
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F');
}

std::uint8_t FrameCodec::digitValue(std::uint8_t c) {
    if (c >= '0' && c <= '9')
        return static_cast<std::uint8_t>(c - '0');
    if (c >= 'A' && c <= 'F')
        return static_cast<std::uint8_t>(c - 'A' + 10);
    return 0;
}

std::uint8_t FrameCodec::hexByte(std::uint8_t high, std::uint8_t low) {
    return static_cast<std::uint8_t>(digitValue(high) * 16 + digitValue(low));
}

FrameCodec::Header FrameCodec::commandHeader(const std::uint8_t* bytes) {
    Header header;
    header.sender = hexByte(bytes[1], bytes[2]);
    header.receiver = hexByte(bytes[3], bytes[4]);
    header.command = hexByte(bytes[5], bytes[6]);
    header.payloadLength = bytes[7] * 256u + bytes[8];
    return header;
}

std::optional<FrameCodec::Header> FrameCodec::readHeader(const std::uint8_t* bytes, std::size_t count) {
    if (count < 2)
        return std::nullopt;
    if (isHexDigit(bytes[1])) {
        if (count < kCommandHeader)
            return std::nullopt;
        return commandHeader(bytes);
    }
    if (count < kDataHeader)
        return std::nullopt;
    Header header;
    header.isCommand = false;
    header.size = kDataHeader;
    header.payloadLength = bytes[1] * 256u + bytes[2];
    return header;
}

FrameCodec::Trailer FrameCodec::readTrailer(const std::uint8_t* frame, const Header& header) {
    const std::size_t end = header.size + header.payloadLength;
    Trailer trailer;
    trailer.computed = checksum(frame, end);
    trailer.received = hexByte(frame[end], frame[end + 1]);
    trailer.cr = frame[end + 2];
    trailer.lf = frame[end + 3];
    return trailer;
}

FrameCodec::Fault FrameCodec::check(const Frame& frame, std::uint8_t sender, std::uint8_t receiver,
                                    std::uint8_t command) {
    if (frame.trailer.received != frame.trailer.computed)
        return Fault::Checksum;
    if (frame.trailer.cr != kCr)
        return Fault::Cr;
    if (frame.trailer.lf != kLf)
        return Fault::Lf;
    if (frame.header.sender != sender || frame.header.receiver != receiver)
        return Fault::Address;
    if (frame.header.command != command)
        return Fault::Command;
    return Fault::None;
}

FrameCodec::Reader::Step FrameCodec::Reader::feed(std::uint8_t byte) {
    if (!m_started) {
        if (byte != kStart)
            return Step::Hunting;
        m_started = true;
        m_bytes.push_back(byte);
        return Step::Started;
    }
    m_bytes.push_back(byte);
    if (!m_header) {
        if (m_bytes.size() < kCommandHeader)
            return Step::Reading;
        m_header = commandHeader(m_bytes.data());
        if (m_header->payloadLength > m_maxPayload)
            return Step::TooLong;
    }
    return m_bytes.size() < m_header->frameSize() ? Step::Reading : Step::Complete;
}

FrameCodec::Bytes FrameCodec::Reader::payload() const {
    if (!m_header)
        return {};
    const auto from = m_bytes.begin() + kCommandHeader;
    const auto available = std::min(m_header->payloadLength, m_bytes.size() - kCommandHeader);
    return Bytes(from, from + static_cast<std::ptrdiff_t>(available));
}

FrameCodec::Frame FrameCodec::Reader::frame() const {
    Frame frame;
    frame.header = m_header.value_or(Header{});
    frame.payload = payload();
    if (m_header && m_bytes.size() >= m_header->frameSize())
        frame.trailer = readTrailer(m_bytes.data(), *m_header);
    return frame;
}
