#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "unitlink/ILinkTrace.h"

struct AppState;
struct Platform;

/// The protocol trace for support: one line per event in a text file beside the settings file
/// ("KVT3310.LOG"), or in a file of the caller's choice. Every frame sent and received, its bytes in hex and
/// decoded (sender, receiver, command, payload length, checksum, and the code the reply was read as), every
/// read time-out, port open and close, and every status text shown. Off until switched on (settings file,
/// menu item `Trace` of the Setup menu, or the command line's --trace). The file is kept small: past the size
/// limit it becomes "KVT3310.1.LOG", replacing an older one, and a new file starts.
class ProtocolTrace : public ILinkTrace {
public:
    static constexpr const char* kFileName = "KVT3310.LOG";
    static constexpr std::uint64_t kDefaultLimit = 1024 * 1024;

    /// `app` gives the folder of the default file, as it stands when the trace writes.
    ProtocolTrace(Platform& platform, const AppState& app) : m_platform(platform), m_app(app) {}
    ProtocolTrace(const ProtocolTrace&) = delete;
    ProtocolTrace& operator=(const ProtocolTrace&) = delete;

    bool enabled() const { return m_enabled; }
    /// Switches the trace on or off and tells `enabledChanged`.
    void setEnabled(bool on);
    /// Runs after every switch on or off: the menu item's check mark follows it.
    std::function<void(bool)> enabledChanged;
    /// Runs when a line cannot be written, with the file and the system's reason: once, until a line is written
    /// again or the trace is switched on or pointed at another file. The trace goes on; the upload too.
    std::function<void(const std::string& file, const std::string& reason)> writeFailed;
    /// The status line now shows `text`: traced when it differs from the last one shown.
    void statusShown(const std::string& text);
    /// The file traced to: the given one, else "KVT3310.LOG" beside the settings file.
    std::string file() const;
    /// Traces to this file from now on (empty: back to the one beside the settings file).
    void setFile(std::string path);
    std::uint64_t limit() const { return m_limit; }
    /// Size in bytes past which the file is rotated; at least 4096.
    void setLimit(std::uint64_t bytes);
    /// The file a rotation moves the full file to: "KVT3310.1.LOG" for "KVT3310.LOG".
    static std::string rotatedName(const std::string& path);

    void bytesSent(const std::uint8_t* bytes, std::size_t count) override;
    void bytesReceived(const std::uint8_t* bytes, std::size_t count) override;
    void replyRead(std::uint8_t code, bool frameFault) override;
    void readFailed(int ms, bool overrun) override;
    void portOpened(int port, const std::string& device, const std::string& settings) override;
    void portOpenFailed(int port, const std::string& device, const std::string& reason) override;
    void portClosed() override;
    void portFault(const std::string& reason) override;

    /// The text of a reply code: "ACK", "NAK", "time-out or no frame", "bad checksum" ...; a 1 to 5 that the
    /// unit sent in a sound frame is its own code.
    static std::string replyMeaning(std::uint8_t code, bool frameFault = true);

private:
    /// Bytes of one direction until they make a frame.
    struct Assembler {
        std::vector<std::uint8_t> bytes;
    };
    void write(const std::string& event, const std::string& text);
    /// Takes every whole frame (and any bytes before a start byte) out of the assembler, as lines.
    std::vector<std::string> frames(Assembler& assembler, bool all);
    void flushReceived(bool all, const std::string& reply = {});

    Platform& m_platform;
    const AppState& m_app;
    bool m_enabled = false;
    std::string m_file;
    std::uint64_t m_limit = kDefaultLimit;
    std::optional<std::uint64_t> m_size;
    std::string m_sizeOf;
    Assembler m_sent;
    Assembler m_received;
    std::string m_lastStatus;
    bool m_failureTold = false;
};
