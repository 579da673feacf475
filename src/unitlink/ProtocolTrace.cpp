#include "unitlink/ProtocolTrace.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <utility>

#include "platform/Platform.h"
#include "settings/AppState.h"
#include "unitlink/TraceText.h"

namespace {

constexpr std::uint64_t kSmallestLimit = 4096;
/// Past this many times the limit a file is rotated wherever it stands, so that a trace that sees no upload
/// (or one with endless refusals) cannot fill the disk.
constexpr std::uint64_t kRunawayFactor = 4;
/// Uploads a file holds before an upload's start may rotate it: with the one starting, three in the pair.
constexpr int kUploadsKept = 2;
constexpr std::uint8_t kAck = 6;
constexpr std::uint8_t kNak = 21;

}  // namespace

void ProtocolTrace::setEnabled(bool on) {
    if (on && !m_enabled) {
        m_enabled = true;
        m_failureTold = false;
        write("TRACE", "on, file " + file() + ", rotated past " + std::to_string(m_limit) + " bytes");
    } else if (!on && m_enabled) {
        endDataPhase();
        write("TRACE", "off");
        m_enabled = false;
    }
    m_sent.bytes.clear();
    m_received.bytes.clear();
    m_phase = DataPhaseSummary();
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

void ProtocolTrace::write(const std::string& event, const std::string& text, std::optional<double> at) {
    if (!m_enabled)
        return;
    IFileSystem& fs = m_platform.fs;
    const std::string path = file();
    long long ms = std::llround(at.value_or(now()) * 1000.0);
    ms = ((ms % 86400000) + 86400000) % 86400000;
    char stamp[16];
    std::snprintf(stamp, sizeof stamp, "%02lld:%02lld:%02lld.%03lld", ms / 3600000, ms / 60000 % 60, ms / 1000 % 60,
                  ms % 1000);
    // Status texts are in the language shown; the file is in the code page, as every text file of the program.
    const std::string line = m_platform.codec.fromUtf8(std::string(stamp) + " " + event + " " + text) + "\r\n";
    const std::uint64_t size = sizeOf(path);
    if (size > 0 && size + line.size() > kRunawayFactor * m_limit)
        rotate(path);
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

double ProtocolTrace::now() const {
    return m_platform.clock.secondsOfDay();
}

std::uint64_t ProtocolTrace::sizeOf(const std::string& path) {
    if (!m_size || m_sizeOf != path) {
        m_size = m_platform.fs.fileSize(path).value_or(0);
        m_sizeOf = path;
        // What an existing file holds is not known: it counts as holding no upload, so it is kept longer.
        m_uploads = 0;
    }
    return *m_size;
}

void ProtocolTrace::rotate(const std::string& path) {
    IFileSystem& fs = m_platform.fs;
    const std::string older = rotatedName(path);
    fs.remove(older);
    if (fs.rename(path, older)) {
        m_size = 0;
        m_uploads = 0;
    }
}

void ProtocolTrace::put(const DataPhaseSummary::Lines& lines) {
    for (const auto& line : lines)
        write(line.event, line.text, line.at);
}

void ProtocolTrace::endDataPhase() {
    put(m_phase.end(now()));
}

std::vector<std::string> ProtocolTrace::receivedLines(bool all, const std::string& reply) {
    auto pieces = TraceText::take(m_received.bytes, all, !reply.empty(), m_lastCommand);
    std::vector<std::string> lines;
    for (auto& piece : pieces)
        lines.push_back(std::move(piece.text));
    if (!reply.empty()) {
        if (lines.empty())
            lines.push_back("no frame" + reply);
        else
            lines.back() += reply;
    }
    return lines;
}

void ProtocolTrace::flushReceived(bool all) {
    const auto lines = receivedLines(all, {});
    if (!lines.empty())
        endDataPhase();
    for (const auto& line : lines)
        write("RX", line);
}

void ProtocolTrace::bytesSent(const std::uint8_t* bytes, std::size_t count) {
    if (!m_enabled)
        return;
    flushReceived(false);
    m_sent.bytes.insert(m_sent.bytes.end(), bytes, bytes + count);
    for (auto& piece : TraceText::take(m_sent.bytes, false, false, m_lastCommand)) {
        if (piece.kind == TraceText::Kind::MessageData) {
            put(m_phase.frameSent({now(), "TX", std::move(piece.text)}, piece.address));
            continue;
        }
        endDataPhase();
        if (piece.kind == TraceText::Kind::Command)
            m_lastCommand = piece.command;
        write("TX", piece.text);
    }
}

void ProtocolTrace::bytesReceived(const std::uint8_t* bytes, std::size_t count) {
    if (!m_enabled)
        return;
    m_received.bytes.insert(m_received.bytes.end(), bytes, bytes + count);
}

void ProtocolTrace::replyRead(std::uint8_t code, bool frameFault) {
    if (!m_enabled)
        return;
    const auto lines =
        receivedLines(false, ", read as " + std::to_string(code) + " (" + replyMeaning(code, frameFault) + ")");
    DataPhaseSummary::Lines reply;
    for (const auto& line : lines)
        reply.push_back({now(), "RX", line});
    if (!m_phase.active()) {
        put(reply);
        return;
    }
    const bool acknowledged = code == kAck && !frameFault && lines.size() == 1;
    put(m_phase.replyRead(std::move(reply), acknowledged, code == kNak && !frameFault));
}

void ProtocolTrace::readFailed(int ms, bool overrun) {
    if (!m_enabled)
        return;
    endDataPhase();
    flushReceived(true);
    write("TIMEOUT", overrun ? "received bytes lost (receive buffer full)"
                             : "no byte within " + std::to_string(ms) + " ms; the port is closed");
}

void ProtocolTrace::portOpened(int port, const std::string& device, const std::string& settings) {
    endDataPhase();
    flushReceived(true);
    write("PORT", "open COM" + std::to_string(port) + (device.empty() ? "" : " (" + device + ")") + " " + settings);
}

void ProtocolTrace::portOpenFailed(int port, const std::string& device, const std::string& reason) {
    endDataPhase();
    write("PORT", "cannot open COM" + std::to_string(port) + (device.empty() ? "" : " (" + device + ")") +
                      (reason.empty() ? "" : ": " + reason));
}

void ProtocolTrace::portClosed() {
    endDataPhase();
    flushReceived(true);
    write("PORT", "closed");
}

void ProtocolTrace::portFault(const std::string& reason) {
    endDataPhase();
    flushReceived(true);
    write("PORT", reason);
}

void ProtocolTrace::uploadStarted() {
    if (!m_enabled)
        return;
    endDataPhase();
    flushReceived(true);
    // Only here, between uploads: the older file then starts with an upload and holds whole ones.
    const std::string path = file();
    if (sizeOf(path) > m_limit && m_uploads >= kUploadsKept)
        rotate(path);
    ++m_uploads;
    write("UPLOAD", "started");
}

void ProtocolTrace::uploadEnded() {
    if (!m_enabled)
        return;
    endDataPhase();
    write("UPLOAD", "ended");
}

void ProtocolTrace::statusShown(const std::string& text, const std::string& caption) {
    std::string bare = text;
    const std::size_t from = caption.find_first_not_of(' ');
    if (from != std::string::npos) {
        const std::string shown = caption.substr(from, caption.find_last_not_of(' ') + 1 - from);
        if (bare.compare(0, shown.size(), shown) == 0)
            bare.erase(0, shown.size());
    }
    bare.erase(0, bare.find_first_not_of(' '));
    if (bare == m_lastStatus)
        return;
    m_lastStatus = bare;
    if (m_enabled && !bare.empty()) {
        endDataPhase();
        // Bytes the unit sent before the change (an erase's dots) come first.
        flushReceived(false);
        write("STATUS", bare);
    }
}
