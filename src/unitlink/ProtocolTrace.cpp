#include "unitlink/ProtocolTrace.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "platform/Platform.h"
#include "settings/AppState.h"
#include "unitlink/FrameCodec.h"

namespace {

constexpr std::uint8_t kStart = FrameCodec::kStart;
constexpr std::uint64_t kSmallestLimit = 4096;
/// A length beyond any frame of the link: the bytes are shown as they are, not waited for.
constexpr std::size_t kLongestPayload = 1200;

std::string hex(const std::uint8_t* bytes, std::size_t count) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string out;
    out.reserve(count * 3);
    for (std::size_t i = 0; i < count; ++i) {
        if (i)
            out += ' ';
        out += kDigits[bytes[i] >> 4];
        out += kDigits[bytes[i] & 0x0F];
    }
    return out;
}

std::string hex2(std::uint8_t value) {
    return hex(&value, 1);
}

std::string commandName(std::uint8_t command) {
    if (command >= 0x21 && command < 0x7F)
        return std::string(1, static_cast<char>(command)) + " (" + hex2(command) + ")";
    return hex2(command);
}

/// The length of the frame at the start of `b`, once enough of it is there to tell.
std::optional<std::size_t> frameLength(const std::vector<std::uint8_t>& b) {
    const auto header = FrameCodec::readHeader(b.data(), b.size());
    if (!header)
        return std::nullopt;
    return header->size + std::min(header->payloadLength, kLongestPayload + 1) + FrameCodec::kTrailer;
}

/// What the frame's bytes say, as far as they go; its header is there.
std::string decode(const std::vector<std::uint8_t>& b, std::size_t length, bool whole) {
    const FrameCodec::Header header = *FrameCodec::readHeader(b.data(), b.size());
    std::string text;
    if (header.isCommand) {
        text =
            "from " + hex2(header.sender) + " to " + hex2(header.receiver) + ", command " + commandName(header.command);
    } else {
        text = "data frame";
        if (length >= header.size + 3)
            text += " to word " + hex(&b[header.size], 3);
    }
    const std::size_t payload = header.payloadLength;
    text += ", payload " + std::to_string(payload);
    if (!whole || payload > kLongestPayload)
        return text + ", incomplete";
    const FrameCodec::Trailer trailer = FrameCodec::readTrailer(b.data(), header);
    text += ", checksum " + hex2(trailer.received);
    text += trailer.received == trailer.computed ? " ok" : " bad (computed " + hex2(trailer.computed) + ")";
    if (!trailer.lineEnd())
        text += ", no CR LF at the end";
    if (header.isCommand && payload == 1)
        text += ", payload byte " + std::to_string(b[header.size]);
    return text;
}

}  // namespace

void ProtocolTrace::setEnabled(bool on) {
    if (on && !m_enabled) {
        m_enabled = true;
        m_failureTold = false;
        write("TRACE", "on, file " + file() + ", rotated past " + std::to_string(m_limit) + " bytes");
    } else if (!on && m_enabled) {
        write("TRACE", "off");
        m_enabled = false;
    }
    m_sent.bytes.clear();
    m_received.bytes.clear();
    if (enabledChanged)
        enabledChanged(m_enabled);
}

std::string ProtocolTrace::file() const {
    if (!m_file.empty())
        return m_file;
    std::string folder = m_app.strAPPFilePath;
    if (folder.empty())
        folder = m_platform.fs.programFolder() + m_platform.fs.separator();
    return folder + kFileName;
}

void ProtocolTrace::setFile(std::string path) {
    m_file = std::move(path);
    m_size.reset();
    m_failureTold = false;
}

void ProtocolTrace::setLimit(std::uint64_t bytes) {
    m_limit = std::max(bytes, kSmallestLimit);
}

std::string ProtocolTrace::rotatedName(const std::string& path) {
    const std::size_t name = path.find_last_of("/\\");
    const std::size_t dot = path.find_last_of('.');
    if (dot == std::string::npos || (name != std::string::npos && dot < name))
        return path + ".1";
    return path.substr(0, dot) + ".1" + path.substr(dot);
}

std::string ProtocolTrace::replyMeaning(std::uint8_t code, bool frameFault) {
    if (!frameFault && code >= 1 && code <= 5)
        return "refused by the unit with code " + std::to_string(code);
    switch (code) {
        case 0:
            return "time-out or no frame";
        case 1:
            return "bad checksum";
        case 2:
            return "no CR after the checksum";
        case 3:
            return "no LF after the CR";
        case 4:
            return "wrong sender or receiver";
        case 5:
            return "wrong command";
        case 6:
            return "ACK";
        case 21:
            return "NAK";
        default:
            return "refused by the unit with code " + std::to_string(code);
    }
}

void ProtocolTrace::write(const std::string& event, const std::string& text) {
    if (!m_enabled)
        return;
    IFileSystem& fs = m_platform.fs;
    const std::string path = file();
    long long ms = std::llround(m_platform.clock.secondsOfDay() * 1000.0);
    ms = ((ms % 86400000) + 86400000) % 86400000;
    char stamp[16];
    std::snprintf(stamp, sizeof stamp, "%02lld:%02lld:%02lld.%03lld", ms / 3600000, ms / 60000 % 60, ms / 1000 % 60,
                  ms % 1000);
    // Status texts are in the language shown; the file is in the code page, as every text file of the program.
    const std::string line = m_platform.codec.fromUtf8(std::string(stamp) + " " + event + " " + text) + "\r\n";
    if (!m_size || m_sizeOf != path) {
        m_size = fs.fileSize(path).value_or(0);
        m_sizeOf = path;
    }
    if (*m_size > 0 && *m_size + line.size() > m_limit) {
        const std::string older = rotatedName(path);
        fs.remove(older);
        if (fs.rename(path, older))
            m_size = 0;
    }
    // A trace that cannot be written must not disturb the upload it watches: it is told once, and the flag is
    // set first, as telling it may show a status text, which is traced in turn.
    if (fs.appendFile(path, line)) {
        *m_size += line.size();
        m_failureTold = false;
    } else if (!m_failureTold) {
        m_failureTold = true;
        if (writeFailed)
            writeFailed(path, fs.lastError());
    }
}

std::vector<std::string> ProtocolTrace::frames(Assembler& assembler, bool all) {
    std::vector<std::string> lines;
    auto& b = assembler.bytes;
    while (!b.empty()) {
        if (b[0] != kStart) {
            auto start = std::find(b.begin(), b.end(), kStart);
            const auto count = static_cast<std::size_t>(start - b.begin());
            lines.push_back(hex(b.data(), count) + " | " + std::to_string(count) + " bytes outside a frame");
            b.erase(b.begin(), start);
            continue;
        }
        auto length = frameLength(b);
        if (length && b.size() >= *length) {
            lines.push_back(hex(b.data(), *length) + " | " + decode(b, *length, true));
            b.erase(b.begin(), b.begin() + static_cast<std::ptrdiff_t>(*length));
            continue;
        }
        if (all) {
            lines.push_back(hex(b.data(), b.size()) + " | " +
                            (FrameCodec::readHeader(b.data(), b.size()) ? decode(b, b.size(), false)
                                                                        : std::string("incomplete frame")));
            b.clear();
        }
        break;
    }
    return lines;
}

void ProtocolTrace::flushReceived(bool all, const std::string& reply) {
    auto lines = frames(m_received, all);
    for (std::size_t i = 0; i < lines.size(); ++i)
        write("RX", lines[i] + (i + 1 == lines.size() ? reply : std::string()));
    if (lines.empty() && !reply.empty())
        write("RX", "no frame" + reply);
}

void ProtocolTrace::bytesSent(const std::uint8_t* bytes, std::size_t count) {
    if (!m_enabled)
        return;
    flushReceived(false);
    m_sent.bytes.insert(m_sent.bytes.end(), bytes, bytes + count);
    for (const auto& line : frames(m_sent, false))
        write("TX", line);
}

void ProtocolTrace::bytesReceived(const std::uint8_t* bytes, std::size_t count) {
    if (!m_enabled)
        return;
    m_received.bytes.insert(m_received.bytes.end(), bytes, bytes + count);
}

void ProtocolTrace::replyRead(std::uint8_t code, bool frameFault) {
    if (!m_enabled)
        return;
    flushReceived(false, ", read as " + std::to_string(code) + " (" + replyMeaning(code, frameFault) + ")");
}

void ProtocolTrace::readFailed(int ms, bool overrun) {
    if (!m_enabled)
        return;
    flushReceived(true);
    write("TIMEOUT", overrun ? "received bytes lost (receive buffer full)"
                             : "no byte within " + std::to_string(ms) + " ms; the port is closed");
}

void ProtocolTrace::portOpened(int port, const std::string& device, const std::string& settings) {
    flushReceived(true);
    write("PORT", "open COM" + std::to_string(port) + (device.empty() ? "" : " (" + device + ")") + " " + settings);
}

void ProtocolTrace::portOpenFailed(int port, const std::string& device, const std::string& reason) {
    write("PORT", "cannot open COM" + std::to_string(port) + (device.empty() ? "" : " (" + device + ")") +
                      (reason.empty() ? "" : ": " + reason));
}

void ProtocolTrace::portClosed() {
    flushReceived(true);
    write("PORT", "closed");
}

void ProtocolTrace::portFault(const std::string& reason) {
    flushReceived(true);
    write("PORT", reason);
}

void ProtocolTrace::statusShown(const std::string& text) {
    if (text == m_lastStatus)
        return;
    m_lastStatus = text;
    if (m_enabled)
        write("STATUS", text);
}
