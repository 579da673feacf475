#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "unitlink/DataPhaseSummary.h"
#include "unitlink/ILinkTrace.h"

struct AppState;
struct Platform;

/// The protocol trace for support: one line per event in a text file beside the settings file
/// ("KVT3310.LOG"), or in a file of the caller's choice. Every frame sent and received, its bytes in hex and
/// decoded (sender, receiver, command, payload length, checksum, and the code the reply was read as), every
/// read time-out, port open and close, the start and end of each upload, and every status text shown. The data
/// frames of a message are summarised (`DataPhaseSummary`). Off until switched on (settings file, menu item
/// `Trace` of the Setup menu, or the command line's --trace). The file keeps whole uploads: when an upload
/// starts and the file is past the size limit and holds two uploads, it becomes "KVT3310.1.LOG", replacing an
/// older one, and a new file starts; the two files hold the last three uploads at least.
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
    /// The status line now shows `text`, which may begin with the status panel's `caption`: traced without
    /// it, when it differs from the last one shown.
    void statusShown(const std::string& text, const std::string& caption = {});
    /// The file traced to: the given one, else "KVT3310.LOG" beside the settings file.
    std::string file() const;
    /// Traces to this file from now on (empty: back to the one beside the settings file).
    void setFile(std::string path);
    std::uint64_t limit() const { return m_limit; }
    /// Size in bytes past which the file is rotated at an upload's start; at least 4096. A file past four
    /// times the limit is rotated wherever it stands.
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
    void uploadStarted() override;
    void uploadEnded() override;

    /// The text of a reply code: "ACK", "NAK", "time-out or no frame", "bad checksum" ...; a 1 to 5 that the
    /// unit sent in a sound frame is its own code.
    static std::string replyMeaning(std::uint8_t code, bool frameFault = true);

private:
    /// Bytes of one direction until they make a frame.
    struct Assembler {
        std::vector<std::uint8_t> bytes;
    };
    /// One line stamped with the time `at` (seconds since midnight), else now.
    void write(const std::string& event, const std::string& text, std::optional<double> at = std::nullopt);
    double now() const;
    /// The size of the file at `path`, read once and then counted.
    std::uint64_t sizeOf(const std::string& path);
    void rotate(const std::string& path);
    void put(const DataPhaseSummary::Lines& lines);
    void endDataPhase();
    /// The received bytes as lines: every whole frame, and an incomplete one when `all`. A `reply` (what the
    /// reply was read as) ends the last line and keeps the bytes outside a frame after it for later.
    std::vector<std::string> receivedLines(bool all, const std::string& reply);
    void flushReceived(bool all);

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
    std::uint8_t m_lastCommand = 0;
    /// Uploads started in the file now written.
    int m_uploads = 0;
    DataPhaseSummary m_phase;
    bool m_failureTold = false;
};
